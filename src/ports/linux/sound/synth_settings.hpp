#pragma once
// The MIDI synthesizer's settings. SDL_mixer makes its synthesizer from
// fluidsynth's defaults and offers no way to change them, and those load a
// whole sound font's samples (6 MB for a small font, 140 MB for a large
// one) when the tune needs a handful of instruments. The program therefore
// defines fluidsynth's new_fluid_settings itself: the dynamic linker binds
// SDL_mixer's call to the program's definition first, which takes the
// library's settings and changes what the saver needs changed.
//
// The linker keeps the definition only where something asks for it: the
// sound part's link options name it (see CMakeLists.txt).

namespace quimbel::linux_port {

// Samples load when an instrument is first chosen, not when the font opens.
inline constexpr int kLoadSamplesOnDemand = 1;

}  // namespace quimbel::linux_port
