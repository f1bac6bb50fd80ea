#pragma once
// Everything the core reaches the world through, handed to it by a port.
#include "platform/hosting.hpp"
#include "platform/message_box.hpp"
#include "platform/preview_window.hpp"
#include "platform/process.hpp"
#include "platform/random.hpp"
#include "platform/screen.hpp"
#include "platform/settings_store.hpp"
#include "platform/sound_service.hpp"

namespace quimbel::platform {

class SaverWindowFactory;
class FormFactory;

struct Platform {
  Process& process;
  Screen& screen;
  SettingsStore& store;
  Random& random;
  SoundService& sound;
  PreviewWindowFactory& previews;
  SaverWindowFactory& savers;
  FormFactory& forms;
  MessageBoxes& messageBoxes;
  // Where a screen-saver daemon can start the program as one of its hacks;
  // none elsewhere.
  Hosting* hosting = nullptr;
};

}  // namespace quimbel::platform
