#include "ports/headless/hosting.hpp"

namespace quimbel::headless {

bool HeadlessHosting::TakeTuneLock() {
  ++lockTakes;
  if (display->holder == nullptr)
    display->holder = this;
  return HoldsTuneLock();
}

void HeadlessHosting::GiveTuneLock() {
  if (HoldsTuneLock())
    display->holder = nullptr;
}

}  // namespace quimbel::headless
