#include "ports/linux/wayland/shm_buffer.hpp"

#include <sys/mman.h>
#include <unistd.h>

namespace quimbel::linux_port {
namespace {

void Released(void* data, wl_buffer*) {
  auto* b = static_cast<ShmBuffer*>(data);
  b->busy = false;
  if (b->onRelease)
    b->onRelease();
}
const wl_buffer_listener kBufferListener = {Released};

}  // namespace

std::unique_ptr<ShmBuffer> ShmBuffer::Create(wl_shm* shm, int width, int height, uint32_t format) {
  if (width <= 0 || height <= 0)
    return nullptr;
  const std::size_t bytes = static_cast<std::size_t>(width) * height * 4;
  int fd = memfd_create("quimbel-frame", MFD_CLOEXEC);
  if (fd < 0)
    return nullptr;
  if (ftruncate(fd, static_cast<off_t>(bytes)) != 0) {
    close(fd);
    return nullptr;
  }
  void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (memory == MAP_FAILED) {
    close(fd);
    return nullptr;
  }
  std::unique_ptr<ShmBuffer> b(new ShmBuffer());
  b->pixels_ = static_cast<base::Pixel*>(memory);
  b->bytes_ = bytes;
  b->width_ = width;
  b->height_ = height;
  wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(bytes));
  b->buffer_ = wl_shm_pool_create_buffer(pool, 0, width, height, width * 4, format);
  wl_shm_pool_destroy(pool);
  close(fd);
  wl_buffer_add_listener(b->buffer_, &kBufferListener, b.get());
  // Nothing of the frame is in it yet.
  b->stale.push_back({0, 0, width, height});
  return b;
}

ShmBuffer::~ShmBuffer() {
  if (buffer_ != nullptr)
    wl_buffer_destroy(buffer_);
  if (pixels_ != nullptr)
    munmap(pixels_, bytes_);
}

}  // namespace quimbel::linux_port
