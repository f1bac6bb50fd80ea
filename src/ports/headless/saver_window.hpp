#pragma once
// Headless saver window.
#include "platform/saver_window.hpp"

namespace quimbel::headless {

class HeadlessSaverFactory : public platform::SaverWindowFactory {};

}  // namespace quimbel::headless
