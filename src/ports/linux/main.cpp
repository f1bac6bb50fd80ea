// The Linux program's entry: builds the port's services and hands the command
// line to the core. Besides the host command line ("/s", "/p N", "/c") it
// takes a screen-saver daemon's arguments ("--root", "--window-id N"), and
// then tells the core which of the daemon's windows it was started in.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.hpp"
#include "app/event_boundary.hpp"
#include "app/main_entry.hpp"
#include "app/program.hpp"
#include "base/runtime_error.hpp"
#include "platform/forms.hpp"
#include "platform/saver_window.hpp"
#include "ports/common/clock_random.hpp"
#include "ports/linux/hosting/host_arguments.hpp"
#include "ports/linux/hosting/hosted_screen.hpp"
#include "ports/linux/hosting/hosting.hpp"
#include "ports/linux/large_blocks.hpp"
#include "ports/linux/qt/fonts.hpp"
#include "ports/linux/qt/forms.hpp"
#include "ports/linux/qt/message_box.hpp"
#include "ports/linux/qt/monitors.hpp"
#include "ports/linux/qt/preview_window.hpp"
#include "ports/linux/qt/process.hpp"
#include "ports/linux/qt/saver_window.hpp"
#include "ports/linux/qt/termination.hpp"
#include "ports/linux/qt/wayland_saver_window.hpp"
#include "ports/linux/settings_store.hpp"
#include "ports/linux/sound/sound_service.hpp"
#include "ports/linux/usage.hpp"
#include "ports/linux/wayland/wayland_display.hpp"
#include "ports/linux/wayland/wayland_screen.hpp"
#include "ports/linux/x11/display.hpp"
#include "ports/linux/x11/screen.hpp"
#include "ports/linux/x11/x11_daemon_window.hpp"

namespace {

// The command line as the core will read it; nothing where reading it fails,
// which the core reports itself later.
std::optional<quimbel::app::CommandLine> PeekCommandLine(const std::vector<std::string>& args) {
  std::string line;
  for (std::size_t i = 1; i < args.size(); ++i)
    line += (i > 1 ? " " : "") + args[i];
  try {
    return quimbel::app::ParseCommandLine(line);
  } catch (const quimbel::base::RuntimeError&) {
    return std::nullopt;
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quimbel;
  linux_port::GiveLargeBlocksBack();
  std::vector<std::string> args(argv, argv + argc);
  if (std::optional<std::string> text = linux_port::InformationFor(args)) {
    std::fputs(text->c_str(), stdout);
    return 0;
  }
  const std::optional<app::CommandLine> asked = PeekCommandLine(args);
  auto asksFor = [&asked](app::RunMode mode) { return asked && asked->mode == mode; };
  linux_port::HostedParse hosted =
      linux_port::ParseHostArguments(args, std::getenv("XSCREENSAVER_WINDOW"));
  if (!hosted.error.empty()) {
    std::fprintf(stderr, "quimbel: %s\n", hosted.error.c_str());
    return 2;
  }

  // A Wayland compositor with a layer shell shows the saver on its overlay
  // layer, over every output; elsewhere the saver is an X11 window.
  std::unique_ptr<linux_port::WaylandDisplay> wayland;
  const char* waylandName = std::getenv("WAYLAND_DISPLAY");
  if (!hosted.run && waylandName != nullptr && *waylandName != '\0' && asksFor(app::RunMode::Saver))
    wayland = linux_port::WaylandDisplay::ConnectWithLayerShell();

  // Qt aborts the process without a display; say so plainly instead. A
  // Wayland session without XWayland still shows the dialogs, on Wayland;
  // a daemon's window is X11's only.
  std::optional<linux_port::DisplayInfo> display = linux_port::ProbeDisplay();
  const bool waylandOnly = waylandName != nullptr && *waylandName != '\0' && !hosted.run;
  if (!display && !wayland && !waylandOnly) {
    std::fprintf(stderr, "quimbel: cannot open display \"%s\"\n",
                 linux_port::RequestedDisplayName().c_str());
    return 1;
  }
  // The preview's host is an X window: a Wayland session without XWayland
  // has none to give.
  if (!display && !hosted.run && asksFor(app::RunMode::Preview)) {
    std::fprintf(stderr,
                 "quimbel: /p needs an X display (XWayland) to find window ids in: "
                 "cannot open display \"%s\"\n",
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
  // A native Wayland saver without XWayland has its boxes on Wayland.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", display ? "xcb" : "wayland");
  QApplication application(argc, argv);
  linux_port::SubstituteJapaneseFonts();

  // Wayland lets no program see another's windows: there the program's own
  // windows hold title locks for the single-instance test.
  const std::string waylandSession = waylandOnly ? waylandName : "";
  linux_port::LinuxProcess process(args, waylandSession);
  linux_port::X11Screen x11Screen;
  // The core ends a preview whose host id names no window at once and
  // silently, as a host expects; someone trying ids by hand learns why.
  if (!hosted.run && asksFor(app::RunMode::Preview)) {
    platform::Rect32 rect;
    if (!x11Screen.WindowRect(asked->handle, rect)) {
      const auto id = static_cast<std::uint32_t>(asked->handle);
      std::fprintf(stderr, "quimbel: /p: no X window 0x%x (%u) to show the preview in\n",
                   static_cast<unsigned>(id), static_cast<unsigned>(id));
    }
  }
  std::optional<linux_port::HostedScreen> hostedScreen;
  if (hostWindow) {
    hostedScreen.emplace(x11Screen, *hostWindow,
                         [host = *hostWindow](base::Surface& dst, const platform::Rect32& r, int x,
                                              int y, int w, int h) {
                           return linux_port::CopyDaemonScreenshot(host, r, dst, x, y, w, h);
                         });
  }
  std::optional<linux_port::WaylandScreen> waylandScreen;
  if (wayland)
    waylandScreen.emplace(*wayland);
  platform::Screen& screen = hostedScreen    ? static_cast<platform::Screen&>(*hostedScreen)
                             : waylandScreen ? static_cast<platform::Screen&>(*waylandScreen)
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
  // The compositor gone ends the run as a host window gone does.
  std::optional<linux_port::WaylandSaverFactory> waylandSavers;
  if (wayland)
    waylandSavers.emplace(*wayland, waylandSession, endRun);
  platform::SaverWindowFactory& savers =
      hostedSavers    ? static_cast<platform::SaverWindowFactory&>(*hostedSavers)
      : waylandSavers ? static_cast<platform::SaverWindowFactory&>(*waylandSavers)
                      : static_cast<platform::SaverWindowFactory&>(fullScreenSavers);
  linux_port::QtFormFactory forms(waylandSession);
  linux_port::QtMessageBoxes messageBoxes;
  if (waylandSavers) {
    messageBoxes.onBoxOpen = [&savers = *waylandSavers](bool open) { savers.BoxOpen(open); };
    process.onBoxOpen = messageBoxes.onBoxOpen;
    // The saver's surfaces are none of Qt's windows: a box answered is the
    // last Qt window closed, which must not end the run.
    QApplication::setQuitOnLastWindowClosed(false);
  }
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
