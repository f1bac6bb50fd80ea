#include "ports/linux/wayland/screencopy.hpp"

#include "ports/linux/wayland/shm_buffer.hpp"

namespace quimbel::linux_port {
namespace {

struct Copy {
  uint32_t format = 0;
  int width = 0, height = 0, stride = 0;
  bool offered = false;    // a shm buffer description came
  bool described = false;  // all descriptions came: the copy may be asked for
  bool yInvert = false;
  bool ready = false;
  bool failed = false;
};

bool Usable(uint32_t format) {
  return format == WL_SHM_FORMAT_XRGB8888 || format == WL_SHM_FORMAT_ARGB8888 ||
         format == WL_SHM_FORMAT_XBGR8888 || format == WL_SHM_FORMAT_ABGR8888;
}

void OnBuffer(void* data, zwlr_screencopy_frame_v1*, uint32_t format, uint32_t width,
              uint32_t height, uint32_t stride) {
  auto& c = *static_cast<Copy*>(data);
  // The first usable offer wins; a compositor may offer several.
  if (c.offered || !Usable(format) || stride != width * 4)
    return;
  c.offered = true;
  c.format = format;
  c.width = static_cast<int>(width);
  c.height = static_cast<int>(height);
  c.stride = static_cast<int>(stride);
}
void OnFlags(void* data, zwlr_screencopy_frame_v1*, uint32_t flags) {
  static_cast<Copy*>(data)->yInvert = (flags & ZWLR_SCREENCOPY_FRAME_V1_FLAGS_Y_INVERT) != 0;
}
void OnReady(void* data, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {
  static_cast<Copy*>(data)->ready = true;
}
void OnFailed(void* data, zwlr_screencopy_frame_v1*) {
  static_cast<Copy*>(data)->failed = true;
}
void OnDamage(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void OnDmabuf(void*, zwlr_screencopy_frame_v1*, uint32_t, uint32_t, uint32_t) {}
void OnBufferDone(void* data, zwlr_screencopy_frame_v1*) {
  static_cast<Copy*>(data)->described = true;
}
const zwlr_screencopy_frame_v1_listener kFrameListener = {OnBuffer, OnFlags,  OnReady,     OnFailed,
                                                          OnDamage, OnDmabuf, OnBufferDone};

// Waits for the compositor until done says so or the connection breaks.
template <typename Done>
bool WaitFor(wl_display* display, Done done) {
  while (!done()) {
    if (wl_display_dispatch(display) < 0)
      return false;
  }
  return true;
}

}  // namespace

bool CopyOutput(WaylandGlobals& g, WaylandOutput& output, base::Surface& dst) {
  if (g.screencopy == nullptr || dst.Width() <= 0 || dst.Height() <= 0)
    return false;
  Copy c;
  zwlr_screencopy_frame_v1* frame =
      zwlr_screencopy_manager_v1_capture_output(g.screencopy, 0, output.output);
  zwlr_screencopy_frame_v1_add_listener(frame, &kFrameListener, &c);
  // Before version 3 the one buffer description is all there is.
  const bool hasDone = g.screencopyVersion >= 3;
  bool ok = WaitFor(g.display, [&] { return c.failed || (hasDone ? c.described : c.offered); });
  std::unique_ptr<ShmBuffer> buffer;
  if (ok && !c.failed && c.offered)
    buffer = ShmBuffer::Create(g.shm, c.width, c.height, c.format);
  if (buffer != nullptr) {
    zwlr_screencopy_frame_v1_copy(frame, buffer->Buffer());
    ok = WaitFor(g.display, [&] { return c.ready || c.failed; }) && c.ready;
  } else {
    ok = false;
  }
  if (ok) {
    const bool swap = c.format == WL_SHM_FORMAT_XBGR8888 || c.format == WL_SHM_FORMAT_ABGR8888;
    for (int y = 0; y < dst.Height(); ++y) {
      int sy = static_cast<int>(static_cast<long long>(y) * c.height / dst.Height());
      if (c.yInvert)
        sy = c.height - 1 - sy;
      const base::Pixel* row = buffer->Row(sy);
      base::Pixel* out = dst.Row(y);
      for (int x = 0; x < dst.Width(); ++x) {
        base::Pixel p = row[static_cast<long long>(x) * c.width / dst.Width()] & 0xFFFFFFu;
        if (swap)
          p = ((p & 0xFFu) << 16) | (p & 0xFF00u) | (p >> 16);
        out[x] = p;
      }
    }
  }
  zwlr_screencopy_frame_v1_destroy(frame);
  return ok;
}

}  // namespace quimbel::linux_port
