#pragma once
// The seam: the preview window that lives inside the host's preview pane.
#include <memory>

#include "base/surface.hpp"
#include "platform/screen.hpp"

namespace quimbel::platform {

class PreviewWindow {
 public:
  virtual ~PreviewWindow() = default;
  // Adds the child-window style bit to the window's style, keeping every other bit.
  virtual void AddChildStyle() = 0;
  // Makes the host window the preview window's parent.
  virtual void SetParent(WindowHandle host) = 0;
  // Position and size in pixels, relative to the parent's client area.
  virtual void SetBoundsPx(int left, int top, int width, int height) = 0;
  // The background picture, drawn unscaled at the top-left corner on black.
  virtual void SetPicture(const base::Surface& picture) = 0;
  // Shows the window, modeless and without an owner.
  virtual void Show() = 0;
};

class PreviewWindowFactory {
 public:
  virtual ~PreviewWindowFactory() = default;
  // Creates the hidden window titled "preview window". The process lives as
  // long as it exists; the host's destruction of the pane destroys it.
  virtual std::unique_ptr<PreviewWindow> CreatePreviewWindow() = 0;
};

}  // namespace quimbel::platform
