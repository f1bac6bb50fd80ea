#pragma once
// Full screen as a window manager grants it: where a compositor manages the
// X windows (XWayland under GNOME, weston, sway), a frameless window at the
// screen's corner is not enough; the manager tiles or places it unless the
// window asks for the full-screen state.
struct _XDisplay;

namespace quimbel::linux_port {

// Asks the window manager to show window, a mapped top-level window made on
// the connection display (the toolkit's own, so that the request follows the
// map), full screen, over every monitor where the manager offers that
// (_NET_WM_FULLSCREEN_MONITORS, naming the monitors at the desktop's four
// edges), else over the monitor it is on.
void RequestFullScreen(_XDisplay* display, unsigned long window);

}  // namespace quimbel::linux_port
