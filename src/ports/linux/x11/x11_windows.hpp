#pragma once
// Looking up X11 top-level windows by title.
#include <string_view>

namespace quimbel::linux_port {

// True when a top-level window titled exactly title exists on $DISPLAY: the
// root's children and one level below them (window-manager frames), by
// _NET_WM_NAME, else WM_NAME. Without a display no window is found.
bool X11TopLevelWindowExists(std::string_view title);

}  // namespace quimbel::linux_port
