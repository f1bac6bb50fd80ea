#pragma once
// Headless dialog windows.
#include "platform/forms.hpp"

namespace quimbel::headless {

class HeadlessFormFactory : public platform::FormFactory {};

}  // namespace quimbel::headless
