#include "app/modal_boxes.hpp"

namespace quimbel::app {

std::optional<int> ModalBoxes::Show(const std::string& text, const std::string& caption, int flags,
                                    const std::string& helpFile, int helpContext) {
  if (open_)
    return std::nullopt;
  open_ = true;
  struct Close {
    bool& open;
    ~Close() { open = false; }
  } close{open_};
  return boxes_.Show(text, caption, flags, helpFile, helpContext);
}

}  // namespace quimbel::app
