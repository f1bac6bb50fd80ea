#pragma once
// The seam: the full-screen saver window.
namespace quimbel::platform {

class SaverWindowFactory {
 public:
  virtual ~SaverWindowFactory() = default;
};

}  // namespace quimbel::platform
