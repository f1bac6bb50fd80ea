// The headless forms keep the promises every port's forms make; the user's
// actions arrive through the records' own hooks.
#include "ports/headless/forms.hpp"

#include <cmath>

#include "ports/headless/process.hpp"
#include "support/forms_conformance.hpp"

namespace {

using quimbel::headless::FormRecord;

struct HeadlessFormsDriver {
  static constexpr bool kFindsWindowsByTitle = true;
  static constexpr const char* kNoTitleSearch = "";
  quimbel::headless::HeadlessProcess process;
  quimbel::headless::HeadlessFormFactory factory{process};

  quimbel::platform::FormFactory& Factory() { return factory; }
  FormRecord& Form(const std::string& caption) {
    for (auto& record : factory.created) {
      if (!record->destroyed && record->caption == caption)
        return *record;
    }
    throw std::out_of_range("no open form " + caption);
  }
  void LetTimePass() {
    auto forms = factory.created;  // a tick may open or close forms
    for (auto& form : forms)
      form->Tick();
  }
  void Click(const std::string& caption, const std::string& text) {
    for (auto& control : Form(caption).controls) {
      if (control->text == text)
        return control->kind == "OptionButton" ? control->Select() : control->Click();
    }
    throw std::out_of_range("no button " + text + " in " + caption);
  }
  void ChooseMenu(const std::string& caption, const std::string& menu, const std::string& item) {
    if (item.empty())
      Form(caption).ChooseMenu(menu);
    else
      Form(caption).ChooseMenu(menu, item);
  }
  void RequestClose(const std::string& caption) { Form(caption).RequestClose(); }
  int Windows(const std::string& caption) {
    int count = 0;
    for (auto& record : factory.created)
      count += !record->destroyed && record->caption == caption;
    return count;
  }
  bool Shown(const std::string& caption) { return Form(caption).visible; }
  bool FoundByTitle(const std::string& caption) { return process.TopLevelWindowExists(caption); }
  std::pair<int, int> OuterCornerPx(const std::string& caption) {
    FormRecord& form = Form(caption);
    return {form.leftPx, form.topPx};
  }
  std::string TextBoxText(const std::string& caption) {
    for (auto& control : Form(caption).controls) {
      if (control->kind == "TextBox")
        return control->text;
    }
    throw std::out_of_range("no text box in " + caption);
  }
};

}  // namespace

namespace quimbel::conformance {
INSTANTIATE_TYPED_TEST_SUITE_P(Headless, FormsConformance, HeadlessFormsDriver);
}  // namespace quimbel::conformance
