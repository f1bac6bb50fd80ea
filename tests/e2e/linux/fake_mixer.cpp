// A test-only stand-in for a sound output that breaks during the run:
// preloaded into the real program, it reads the file named by
// QUIMBEL_FAKE_MIXER each time the program asks SDL_mixer whether the tune
// plays or starts it. While the file's first word is "broken", the tune has
// ended and cannot be started again, so the program's next restart fails
// and it reports that in a box. While it is "exhausted", asking whether the
// tune plays runs out of memory on the main thread, an error nothing traps. Any other word (or
// no file) lets SDL_mixer answer for itself.
#include <SDL2/SDL_mixer.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <new>
#include <string>

namespace {

std::string Word() {
  const char* file = std::getenv("QUIMBEL_FAKE_MIXER");
  std::string word;
  if (file != nullptr) {
    std::ifstream in(file);
    in >> word;
  }
  return word;
}

bool Broken() {
  return Word() == "broken";
}

template <typename F>
F Real(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int Mix_PlayingMusic() {
  static auto real = Real<int (*)()>("Mix_PlayingMusic");
  const std::string word = Word();
  // Only where the program asks, on its main thread: the mixer's audio
  // thread asks too, and has nothing to catch with.
  if (word == "exhausted" && gettid() == getpid())
    throw std::bad_alloc();
  return word == "broken" ? 0 : real();
}

int Mix_PlayMusic(Mix_Music* music, int loops) {
  static auto real = Real<int (*)(Mix_Music*, int)>("Mix_PlayMusic");
  if (Broken()) {
    SDL_SetError("the output is broken (test stand-in)");
    return -1;
  }
  return real(music, loops);
}

}  // extern "C"
