#pragma once
// A configure run through the headless port, with shortcuts to its windows.
#include <gtest/gtest.h>

#include <string>

#include "app/main_entry.hpp"
#include "app/program.hpp"
#include "ports/headless/headless_platform.hpp"

namespace quimbel::testing {

class UiTest : public ::testing::Test {
 protected:
  headless::HeadlessPlatform hp;
  app::Program program{hp.platform};

  // Starts the program with "/c" as the host would.
  void Configure() {
    hp.process.commandLine = "/c";
    app::RunMain(program);
    ASSERT_NE(Set(), nullptr) << "the dialog opened";
  }

  headless::FormRecord* Set() { return hp.forms.Open("frmSet"); }
  headless::FormRecord* Help() { return hp.forms.Open("frmHelp"); }
  headless::FormRecord* Intro() { return hp.forms.Open("salesf"); }

  // The selected entry's text of a drop-down list.
  static std::string Selected(const headless::ControlRecord& list) {
    if (list.listIndex < 0)
      return "<none>";
    return list.items[static_cast<std::size_t>(list.listIndex)];
  }
  // The caption of the selected option button of a group ("OptionType").
  std::string SelectedOption(const std::string& group) {
    std::string found = "<none>";
    for (auto* option : Set()->Controls(group + "(")) {
      if (option->value)
        found = found == "<none>" ? option->text : "<several>";
    }
    return found;
  }
};

}  // namespace quimbel::testing
