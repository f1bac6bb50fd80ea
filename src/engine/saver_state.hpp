#pragma once
// What the saver and preview runs keep for the life of the process.
#include <memory>

#include "platform/preview_window.hpp"

namespace quimbel::engine {

struct SaverState {
  std::unique_ptr<platform::PreviewWindow> frmPrev;
};

}  // namespace quimbel::engine
