#pragma once
// Qt message boxes with Japanese button texts, the flags' buttons, icon and
// default button.
#include <QMessageBox>
#include <functional>
#include <string>

#include "platform/message_box.hpp"

namespace quimbel::linux_port {

class QtMessageBoxes : public platform::MessageBoxes {
 public:
  int Show(const std::string& text, const std::string& caption, int flags,
           const std::string& helpFile, int helpContext) override;
  // Told true before a box shows and false once it is answered: a saver
  // that stays above every window must make room for it meanwhile.
  std::function<void(bool)> onBoxOpen;
};

// The box Show runs, built but not shown: tests look at it without a modal wait.
// The caller owns the result.
QMessageBox* BuildMessageBox(const std::string& text, const std::string& caption, int flags);

// The answer a clicked standard button stands for.
int AnswerFor(QMessageBox::StandardButton button);

}  // namespace quimbel::linux_port
