// The Linux program's entry: builds the port's services and hands the command
// line to the core. Besides the host command line ("/s", "/p N", "/c") it
// takes a screen-saver daemon's arguments ("--root", "--window-id N"), and
// then tells the core which of the daemon's windows it was started in.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/event_boundary.hpp"
#include "app/main_entry.hpp"
#include "app/program.hpp"
#include "platform/forms.hpp"
#include "platform/saver_window.hpp"
#include "ports/common/clock_random.hpp"
#include "ports/linux/hosting/host_arguments.hpp"
#include "ports/linux/hosting/hosted_screen.hpp"
#include "ports/linux/hosting/hosting.hpp"
#include "ports/linux/qt/fonts.hpp"
#include "ports/linux/qt/forms.hpp"
#include "ports/linux/qt/message_box.hpp"
#include "ports/linux/qt/monitors.hpp"
#include "ports/linux/qt/preview_window.hpp"
#include "ports/linux/qt/process.hpp"
#include "ports/linux/qt/saver_window.hpp"
#include "ports/linux/qt/termination.hpp"
#include "ports/linux/settings_store.hpp"
#include "ports/linux/sound/sound_service.hpp"
#include "ports/linux/usage.hpp"
#include "ports/linux/x11/display.hpp"
#include "ports/linux/x11/screen.hpp"
#include "ports/linux/x11/x11_daemon_window.hpp"

int main(int argc, char** argv) {
  using namespace quimbel;
  std::vector<std::string> args(argv, argv + argc);
  if (std::optional<std::string> text = linux_port::InformationFor(args)) {
    std::fputs(text->c_str(), stdout);
    return 0;
  }
  linux_port::HostedParse hosted =
      linux_port::ParseHostArguments(args, std::getenv("XSCREENSAVER_WINDOW"));
  if (!hosted.error.empty()) {
    std::fprintf(stderr, "quimbel: %s\n", hosted.error.c_str());
    return 2;
  }

  // Qt aborts the process without a display; say so plainly instead.
  std::optional<linux_port::DisplayInfo> display = linux_port::ProbeDisplay();
  if (!display) {
    std::fprintf(stderr, "quimbel: cannot open display \"%s\"\n",
                 linux_port::RequestedDisplayName().c_str());
    return 1;
  }
  std::optional<platform::WindowHandle> hostWindow;
  if (hosted.run) {
    unsigned long id = hosted.run->window != 0 ? hosted.run->window : display->root;
    hostWindow = static_cast<platform::WindowHandle>(id);
  }

  // The program lays its windows out in real pixels from the screen's dpi;
  // Qt's own scaling on top of that would enlarge everything twice.
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  // Titles, the pointer, captures and hosting all go through X: in a Wayland
  // session the windows must be on XWayland too, not on Wayland beside it.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication application(argc, argv);
  linux_port::SubstituteJapaneseFonts();

  linux_port::LinuxProcess process(args);
  linux_port::X11Screen x11Screen;
  std::optional<linux_port::HostedScreen> hostedScreen;
  if (hostWindow) {
    hostedScreen.emplace(x11Screen, *hostWindow,
                         [host = *hostWindow](base::Surface& dst, const platform::Rect32& r, int x,
                                              int y, int w, int h) {
                           return linux_port::CopyDaemonScreenshot(host, r, dst, x, y, w, h);
                         });
  }
  platform::Screen& screen = hostedScreen ? static_cast<platform::Screen&>(*hostedScreen)
                                          : static_cast<platform::Screen&>(x11Screen);
  linux_port::FileStore store;
  ports::ClockRandom random;
  linux_port::SdlSoundService sound;
  // What the core needs to know of the daemon's window; it decides the rest.
  std::optional<platform::HostWindow> hostFacts;
  if (hostWindow) {
    hostFacts = platform::HostWindow{*hostWindow, linux_port::IsDaemonSaverWindow(*hostWindow),
                                     linux_port::MonitorRects()};
  }
  linux_port::DaemonHosting hosting(hostFacts,
                                    linux_port::DaemonHosting::LockFileFor(display->name));

  // The host's window gone: the run ends as the core ends it.
  app::Program* running = nullptr;
  std::function<void()> endRun = [&running] {
    if (running != nullptr)
      app::RequestEnd(*running);
  };
  linux_port::X11PreviewFactory previews(endRun);
  linux_port::QtSaverFactory fullScreenSavers;
  std::optional<linux_port::HostedSaverFactory> hostedSavers;
  if (hostWindow)
    hostedSavers.emplace(*hostWindow, endRun);
  platform::SaverWindowFactory& savers =
      hostedSavers ? static_cast<platform::SaverWindowFactory&>(*hostedSavers)
                   : static_cast<platform::SaverWindowFactory&>(fullScreenSavers);
  linux_port::QtFormFactory forms;
  linux_port::QtMessageBoxes messageBoxes;
  platform::Platform platform{process,  screen, store, random,       sound,
                              previews, savers, forms, messageBoxes, &hosting};
  app::Program program(platform);
  running = &program;

  // The daemon ends its hack with SIGTERM; the core decides what that means.
  linux_port::OnTermination([&program = program] { app::RequestEnd(program); });

  int code = app::RunMain(program);
  if (program.ended)
    return code;
  // The saver runs until it ends itself (or the daemon ends it).
  bool windowOpen = previews.Attached() || program.run.Mode == app::RunMode::Saver ||
                    program.run.Mode == app::RunMode::Hosted;
  for (QWidget* widget : QApplication::topLevelWidgets())
    windowOpen = windowOpen || widget->isVisible();
  if (!windowOpen)
    return code;
  return QApplication::exec();
}
