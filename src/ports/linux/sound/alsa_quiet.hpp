#pragma once
// ALSA's library prints its own diagnostics on stderr (eight lines at every
// start on a machine without a sound card) before SDL reports the failure
// that the music already copes with.

namespace quimbel::linux_port {

// Routes the ALSA library's messages nowhere. Does nothing where the library
// is absent. Call before the audio output is opened.
void QuietAlsaLibrary();

}  // namespace quimbel::linux_port
