#pragma once
// Headless hosting: a test plays the screen-saver daemon. It names the window
// the program is to draw in, and puts runs on one display by pointing them at
// one DisplayTuneLock.
#include <optional>

#include "platform/hosting.hpp"

namespace quimbel::headless {

// The tune lock of one display: who holds it, if anyone.
struct DisplayTuneLock {
  const void* holder = nullptr;
};

class HeadlessHosting : public platform::Hosting {
 public:
  std::optional<platform::HostWindow> hostedIn;  // nothing: the program's own command line
  DisplayTuneLock* display = &ownDisplay_;
  int lockTakes = 0;  // every TakeTuneLock, taken or not

  HeadlessHosting() = default;
  HeadlessHosting(const HeadlessHosting&) = delete;
  HeadlessHosting& operator=(const HeadlessHosting&) = delete;
  // The process ends: the lock comes free.
  ~HeadlessHosting() override { GiveTuneLock(); }

  std::optional<platform::HostWindow> HostedIn() override { return hostedIn; }
  bool TakeTuneLock() override;
  void GiveTuneLock() override;

  bool HoldsTuneLock() const { return display->holder == this; }

 private:
  DisplayTuneLock ownDisplay_;
};

}  // namespace quimbel::headless
