// A test-only stand-in for a compositor that switches its outputs off: sway's
// headless backend cannot disable an output, so "output NAME dpms off" fails
// there and the compositor never says "off". Preloaded into the real program,
// this passes every real event through and, whenever the file named by
// QUIMBEL_FAKE_OUTPUT_POWER changes, tells the program's output power objects
// the modes it holds, one word per object in the order the program asked for
// them ("on" or "off"), from the program's own dispatch of events. The
// compositor's global, the objects and their first modes are real.
#include <dlfcn.h>
#include <unistd.h>
#include <wayland-client-core.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct PowerObject {
  wl_proxy* proxy;
  const void* listener;
  void* data;
};
std::vector<PowerObject> objects;
std::string told;

template <typename F>
F Real(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

std::string Wanted() {
  const char* file = std::getenv("QUIMBEL_FAKE_OUTPUT_POWER");
  if (file == nullptr)
    return {};
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The objects live as long as the program's saver: the test changes the file
// only while it runs.
void Tell() {
  const std::string wanted = Wanted();
  if (wanted.empty() || wanted == told)
    return;
  told = wanted;
  std::istringstream words(wanted);
  std::string word;
  using Mode = void (*)(void*, wl_proxy*, std::uint32_t);
  for (const PowerObject& o : objects) {
    if (!(words >> word))
      break;
    // The listener's first entry is the "mode" event's.
    Mode mode = *static_cast<const Mode*>(o.listener);
    mode(o.data, o.proxy, word == "off" ? 0 : 1);
  }
}

}  // namespace

extern "C" {

int wl_proxy_add_listener(wl_proxy* proxy, void (**implementation)(void), void* data) {
  static auto real = Real<int (*)(wl_proxy*, void (**)(void), void*)>("wl_proxy_add_listener");
  if (std::strcmp(wl_proxy_get_class(proxy), "zwlr_output_power_v1") == 0)
    objects.push_back({proxy, reinterpret_cast<const void*>(implementation), data});
  return real(proxy, implementation, data);
}

int wl_display_dispatch_pending(wl_display* display) {
  static auto real = Real<int (*)(wl_display*)>("wl_display_dispatch_pending");
  const int n = real(display);
  // Only where the program handles its events: its GUI thread.
  if (n >= 0 && getpid() == gettid())
    Tell();
  return n;
}

}  // extern "C"
