#pragma once
// Headless preview window: records what the core did to it.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/preview_window.hpp"

namespace quimbel::headless {

struct PreviewRecord {
  bool childStyle = false;
  std::optional<platform::WindowHandle> parent;
  int left = 0, top = 0, width = 0, height = 0;  // pixels in the pane
  base::Surface picture;
  bool visible = false;
  std::vector<std::string> calls;  // in order
};

class HeadlessPreviewFactory : public platform::PreviewWindowFactory {
 public:
  std::vector<std::shared_ptr<PreviewRecord>> created;
  std::unique_ptr<platform::PreviewWindow> CreatePreviewWindow() override;
};

}  // namespace quimbel::headless
