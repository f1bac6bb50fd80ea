#include "ports/linux/sound/alsa_quiet.hpp"

#include <dlfcn.h>

namespace quimbel::linux_port {
namespace {

// The shape of ALSA's snd_lib_error_handler_t; its header is not needed for it.
extern "C" void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

using AlsaHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using SetAlsaHandler = int (*)(AlsaHandler);

}  // namespace

void QuietAlsaLibrary() {
  // SDL opens the library by the same name later and shares this copy, with
  // its handler; the copy stays loaded for the process's life.
  void* alsa = ::dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
  if (alsa == nullptr)
    return;
  auto set = reinterpret_cast<SetAlsaHandler>(::dlsym(alsa, "snd_lib_error_set_handler"));
  if (set != nullptr)
    set(IgnoreAlsaMessage);
}

}  // namespace quimbel::linux_port
