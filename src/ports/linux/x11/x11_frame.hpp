#pragma once
// The frame a window manager puts around a top-level window, asked for
// before the window is first shown, so that the first placement counts it.
#include <optional>

struct _XDisplay;

namespace quimbel::linux_port {

struct FrameExtents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
};

// Asks the running window manager (through _NET_REQUEST_FRAME_EXTENTS) for
// the frame of window, an unmapped top-level window made on the connection
// display (the toolkit's own: the window may not have reached the server
// yet, and requests on the same connection come after it), and waits up to
// timeoutMs for the answer. Nothing without a connection, without a window
// manager that offers the request, or without an answer in time.
std::optional<FrameExtents> RequestFrameExtents(_XDisplay* display, unsigned long window,
                                                int timeoutMs = 500);

}  // namespace quimbel::linux_port
