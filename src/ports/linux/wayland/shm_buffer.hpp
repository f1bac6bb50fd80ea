#pragma once
// A wl_shm buffer of 32-bit pixels in memory shared with the compositor;
// XRGB8888 is the core's own layout on a little-endian machine.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "base/surface.hpp"
#include "ports/linux/wayland/wayland_globals.hpp"

namespace quimbel::linux_port {

class ShmBuffer {
 public:
  // Nothing when the memory cannot be had.
  static std::unique_ptr<ShmBuffer> Create(wl_shm* shm, int width, int height,
                                           uint32_t format = WL_SHM_FORMAT_XRGB8888);
  ~ShmBuffer();
  ShmBuffer(const ShmBuffer&) = delete;
  ShmBuffer& operator=(const ShmBuffer&) = delete;

  wl_buffer* Buffer() const { return buffer_; }
  base::Pixel* Row(int y) { return pixels_ + static_cast<std::size_t>(y) * width_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Between an attach and the compositor's release: not to be written.
  bool busy = false;
  // Runs when the compositor lets go of the buffer.
  std::function<void()> onRelease;
  // Where the buffer still differs from the latest frame, in its own pixels.
  std::vector<base::Rect> stale;

 private:
  ShmBuffer() = default;
  wl_buffer* buffer_ = nullptr;
  base::Pixel* pixels_ = nullptr;
  std::size_t bytes_ = 0;
  int width_ = 0, height_ = 0;
};

}  // namespace quimbel::linux_port
