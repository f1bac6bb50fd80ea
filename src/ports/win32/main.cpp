// The Windows program's entry: builds the port's services, hands the command
// line to the core, then keeps the process alive while one of its windows is open.
#include <windows.h>

#include "app/main_entry.hpp"
#include "app/program.hpp"
#include "ports/common/clock_random.hpp"
#include "ports/win32/forms.hpp"
#include "ports/win32/message_box.hpp"
#include "ports/win32/message_loop.hpp"
#include "ports/win32/preview_window.hpp"
#include "ports/win32/process.hpp"
#include "ports/win32/saver_window.hpp"
#include "ports/win32/screen.hpp"
#include "ports/win32/settings_store.hpp"
#include "ports/win32/sound_service.hpp"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace quimbel;
  win32_port::Win32Process process;
  win32_port::Win32Screen screen;
  win32_port::RegistryStore store;
  ports::ClockRandom random;
  win32_port::WinmmSoundService sound;
  win32_port::Win32PreviewFactory previews;
  win32_port::Win32SaverFactory savers(screen);
  win32_port::Win32FormFactory forms;
  win32_port::Win32MessageBoxes messageBoxes;
  platform::Platform platform{process,  screen, store, random,      sound,
                              previews, savers, forms, messageBoxes};
  app::Program program(platform);
  int code = app::RunMain(program);
  if (code != 0 || program.ended)
    return code;
  return win32_port::RunMessageLoop();
}
