#pragma once
// The whole headless port in one object: every fake, and the platform
// aggregate over them, ready for a Program.
#include "platform/platform.hpp"
#include "ports/headless/forms.hpp"
#include "ports/headless/hosting.hpp"
#include "ports/headless/message_box.hpp"
#include "ports/headless/preview_window.hpp"
#include "ports/headless/process.hpp"
#include "ports/headless/random.hpp"
#include "ports/headless/saver_window.hpp"
#include "ports/headless/screen.hpp"
#include "ports/headless/settings_store.hpp"
#include "ports/headless/sound_service.hpp"

namespace quimbel::headless {

struct HeadlessPlatform {
  HeadlessProcess process;
  HeadlessScreen screen;
  MemoryStore store;
  ScriptedRandom random;
  HeadlessSound sound;
  HeadlessPreviewFactory previews;
  HeadlessSaverFactory savers{process, screen};
  HeadlessFormFactory forms{process};
  ScriptedMessageBoxes messageBoxes;
  HeadlessHosting hosting;
  platform::Platform platform{process,  screen, store, random,       sound,
                              previews, savers, forms, messageBoxes, &hosting};
};

}  // namespace quimbel::headless
