#include "ports/linux/large_blocks.hpp"

#include <malloc.h>

namespace quimbel::linux_port {
namespace {

// Well above what a frame allocates and frees as it goes, well below a
// surface of even a small screen (640 x 480 is 1.2 MB).
constexpr int kMappedFromBytes = 1 << 20;

}  // namespace

void GiveLargeBlocksBack() {
  mallopt(M_MMAP_THRESHOLD, kMappedFromBytes);
}

}  // namespace quimbel::linux_port
