#include "ports/linux/sound/synth_settings.hpp"

#include <dlfcn.h>
#include <fluidsynth.h>

extern "C" fluid_settings_t* new_fluid_settings(void) {
  using Make = fluid_settings_t* (*)();
  // The library's own function, found past this program in the lookup order.
  static const auto library = reinterpret_cast<Make>(dlsym(RTLD_NEXT, "new_fluid_settings"));
  if (library == nullptr)
    return nullptr;  // SDL_mixer reports the tune as unplayable
  fluid_settings_t* settings = library();
  if (settings != nullptr)
    fluid_settings_setint(settings, "synth.dynamic-sample-loading",
                          quimbel::linux_port::kLoadSamplesOnDemand);
  return settings;
}
