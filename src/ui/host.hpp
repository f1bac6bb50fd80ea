#pragma once
// What the dialog run needs of the program that runs it. The program
// implements it: it owns the settings and their store, the one-box rule and
// the event boundary, which the windows use but do not decide.
#include <functional>
#include <optional>
#include <string>

#include "platform/forms.hpp"
#include "platform/platform.hpp"
#include "ui/saver_settings.hpp"
#include "ui/ui_state.hpp"

namespace quimbel::ui {

class Host {
 public:
  virtual platform::Platform& Services() = 0;
  virtual UiState& Windows() = 0;
  // The program's settings; the dialog's Change writes them here, then saves.
  virtual SaverSettings& Settings() = 0;
  // What a value outside the range the dialog offers falls back to.
  virtual SaverSettings DefaultSettings() const = 0;
  // Stores the program's settings; a refused write throws base::RuntimeError.
  virtual void SaveSettings() = 0;
  // A modal box under the program's one-box rule: nothing, and no answer,
  // while another box is open.
  virtual std::optional<int> ShowBox(const std::string& text, const std::string& caption, int flags,
                                     const std::string& helpFile = {}, int helpContext = 0) = 0;
  // The handler as the core's handling of one event (see app/event_boundary).
  virtual platform::Handler Guarded(std::function<void()> handler) = 0;
  virtual bool Ended() const = 0;
  virtual void End(int code) = 0;

 protected:
  ~Host() = default;
};

}  // namespace quimbel::ui
