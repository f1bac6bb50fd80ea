#include "app/program.hpp"

#include <utility>

#include "app/event_boundary.hpp"
#include "app/settings.hpp"

namespace quimbel::app {

SaverSettings Program::DefaultSettings() const {
  return {kDefaultCaraCount, kDefaultCaraType, kDefaultSaverType, kDefaultMusicMode};
}

void Program::SaveSettings() {
  app::SaveSettings(*this);
}

platform::Handler Program::Guarded(std::function<void()> handler) {
  return app::Guarded(*this, std::move(handler));
}

}  // namespace quimbel::app
