#pragma once
// Screen-sized blocks (the saver's surfaces, the desktop's picture) go back
// to the system as soon as they are freed.
namespace quimbel::linux_port {

// Call once, before anything large is allocated. The C library would
// otherwise raise its mapping threshold after the first large block is
// freed and serve the next ones from its heap, which keeps freed memory.
void GiveLargeBlocksBack();

}  // namespace quimbel::linux_port
