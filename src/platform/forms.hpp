#pragma once
// The seam: dialog windows built from controls.
namespace quimbel::platform {

class FormFactory {
 public:
  virtual ~FormFactory() = default;
};

}  // namespace quimbel::platform
