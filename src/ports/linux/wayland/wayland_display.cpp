#include "ports/linux/wayland/wayland_display.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "ports/linux/wayland/wayland_globals.hpp"

namespace quimbel::linux_port {
namespace {

void OutputGeometry(void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t,
                    const char*, const char*, int32_t) {
  auto* o = static_cast<WaylandOutput*>(data);
  if (!o->logicalKnown) {
    o->area.x = x;
    o->area.y = y;
  }
}
void OutputMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
  auto* o = static_cast<WaylandOutput*>(data);
  if ((flags & WL_OUTPUT_MODE_CURRENT) != 0) {
    o->modeWidth = width;
    o->modeHeight = height;
  }
}
// Once per output, when its place is known: from xdg-output where the
// compositor has it (whose last word comes with a "done" of either protocol),
// else from the core protocol alone.
void Described(WaylandOutput& o) {
  if (o.described || (o.globals->xdgOutputs != nullptr && !o.logicalKnown))
    return;
  o.described = true;
  if (o.globals->onOutputDescribed)
    o.globals->onOutputDescribed(o);
}

void OutputDone(void* data, wl_output*) {
  auto* o = static_cast<WaylandOutput*>(data);
  if (!o->logicalKnown && o->scale > 0) {
    o->area.width = o->modeWidth / o->scale;
    o->area.height = o->modeHeight / o->scale;
  }
  Described(*o);
}
void OutputScale(void* data, wl_output*, int32_t factor) {
  static_cast<WaylandOutput*>(data)->scale = factor > 0 ? factor : 1;
}
void OutputName(void*, wl_output*, const char*) {}
void OutputDescription(void*, wl_output*, const char*) {}
const wl_output_listener kOutputListener = {OutputGeometry, OutputMode, OutputDone,
                                            OutputScale,    OutputName, OutputDescription};

void LogicalPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
  auto* o = static_cast<WaylandOutput*>(data);
  o->area.x = x;
  o->area.y = y;
  o->logicalKnown = true;
}
void LogicalSize(void* data, zxdg_output_v1*, int32_t width, int32_t height) {
  auto* o = static_cast<WaylandOutput*>(data);
  o->area.width = width;
  o->area.height = height;
  o->logicalKnown = true;
}
void XdgDone(void* data, zxdg_output_v1*) {
  Described(*static_cast<WaylandOutput*>(data));
}
void XdgName(void*, zxdg_output_v1*, const char*) {}
void XdgDescription(void*, zxdg_output_v1*, const char*) {}
const zxdg_output_v1_listener kXdgOutputListener = {LogicalPosition, LogicalSize, XdgDone, XdgName,
                                                    XdgDescription};

void WatchLogical(WaylandGlobals& g, WaylandOutput& o) {
  if (g.xdgOutputs == nullptr || o.xdgOutput != nullptr)
    return;
  o.xdgOutput = zxdg_output_manager_v1_get_xdg_output(g.xdgOutputs, o.output);
  zxdg_output_v1_add_listener(o.xdgOutput, &kXdgOutputListener, &o);
}

void SeatCapabilities(void* data, wl_seat*, uint32_t caps) {
  auto& g = *static_cast<WaylandGlobals*>(data);
  g.seatCapabilities = caps;
  if (g.onSeatCapabilities)
    g.onSeatCapabilities(caps);
}
void SeatName(void*, wl_seat*, const char*) {}
const wl_seat_listener kSeatListener = {SeatCapabilities, SeatName};

template <typename T>
T* Bind(wl_registry* registry, uint32_t name, const wl_interface* interface, uint32_t offered,
        uint32_t wanted) {
  return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
            uint32_t version) {
  auto& g = *static_cast<WaylandGlobals*>(data);
  auto is = [interface](const wl_interface& i) { return std::strcmp(interface, i.name) == 0; };
  if (is(wl_compositor_interface)) {
    g.compositor = Bind<wl_compositor>(registry, name, &wl_compositor_interface, version, 4);
  } else if (is(wl_shm_interface)) {
    g.shm = Bind<wl_shm>(registry, name, &wl_shm_interface, version, 1);
  } else if (is(wl_seat_interface) && g.seat == nullptr) {
    g.seat = Bind<wl_seat>(registry, name, &wl_seat_interface, version, 5);
    wl_seat_add_listener(g.seat, &kSeatListener, &g);
  } else if (is(zwlr_layer_shell_v1_interface)) {
    g.layerShell =
        Bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface, version, 2);
  } else if (is(zwlr_screencopy_manager_v1_interface)) {
    g.screencopyVersion = std::min(version, 3u);
    g.screencopy = Bind<zwlr_screencopy_manager_v1>(
        registry, name, &zwlr_screencopy_manager_v1_interface, version, 3);
  } else if (is(zwlr_output_power_manager_v1_interface)) {
    g.outputPower = Bind<zwlr_output_power_manager_v1>(
        registry, name, &zwlr_output_power_manager_v1_interface, version, 1);
  } else if (is(zxdg_output_manager_v1_interface)) {
    g.xdgOutputs =
        Bind<zxdg_output_manager_v1>(registry, name, &zxdg_output_manager_v1_interface, version, 3);
    for (auto& o : g.outputs)
      WatchLogical(g, *o);
  } else if (is(wl_output_interface)) {
    auto o = std::make_unique<WaylandOutput>();
    o->globals = &g;
    o->name = name;
    o->output = Bind<wl_output>(registry, name, &wl_output_interface, version, 2);
    wl_output_add_listener(o->output, &kOutputListener, o.get());
    WatchLogical(g, *o);
    g.outputs.push_back(std::move(o));
  }
}

void GlobalRemove(void* data, wl_registry*, uint32_t name) {
  auto& g = *static_cast<WaylandGlobals*>(data);
  // An output unplugged: its part of the scene is simply no longer shown.
  std::erase_if(g.outputs, [name, &g](const std::unique_ptr<WaylandOutput>& o) {
    if (o->name != name)
      return false;
    if (g.onOutputGone)
      g.onOutputGone(*o);
    if (o->xdgOutput != nullptr)
      zxdg_output_v1_destroy(o->xdgOutput);
    wl_output_destroy(o->output);
    return true;
  });
}

const wl_registry_listener kRegistryListener = {Global, GlobalRemove};

}  // namespace

WaylandGlobals::~WaylandGlobals() {
  for (auto& o : outputs) {
    if (o->xdgOutput != nullptr)
      zxdg_output_v1_destroy(o->xdgOutput);
    wl_output_destroy(o->output);
  }
  if (xdgOutputs != nullptr)
    zxdg_output_manager_v1_destroy(xdgOutputs);
  if (outputPower != nullptr)
    zwlr_output_power_manager_v1_destroy(outputPower);
  if (screencopy != nullptr)
    zwlr_screencopy_manager_v1_destroy(screencopy);
  if (layerShell != nullptr)
    zwlr_layer_shell_v1_destroy(layerShell);
  if (seat != nullptr)
    wl_seat_destroy(seat);
  if (shm != nullptr)
    wl_shm_destroy(shm);
  if (compositor != nullptr)
    wl_compositor_destroy(compositor);
  if (registry != nullptr)
    wl_registry_destroy(registry);
  if (display != nullptr)
    wl_display_disconnect(display);
}

std::unique_ptr<WaylandDisplay> WaylandDisplay::ConnectWithLayerShell() {
  auto g = std::make_unique<WaylandGlobals>();
  g->display = wl_display_connect(nullptr);
  if (g->display == nullptr)
    return nullptr;
  g->registry = wl_display_get_registry(g->display);
  wl_registry_add_listener(g->registry, &kRegistryListener, g.get());
  // The globals, then the outputs' and xdg-outputs' first descriptions.
  if (wl_display_roundtrip(g->display) < 0 || wl_display_roundtrip(g->display) < 0)
    return nullptr;
  if (g->layerShell == nullptr || g->compositor == nullptr || g->shm == nullptr ||
      g->outputs.empty()) {
    return nullptr;
  }
  g->pixelScale = std::max(g->outputs.front()->scale, 1);
  return std::make_unique<WaylandDisplay>(std::move(g));
}

WaylandDisplay::WaylandDisplay(std::unique_ptr<WaylandGlobals> globals)
    : globals_(std::move(globals)) {}

WaylandDisplay::~WaylandDisplay() = default;

int WaylandDisplay::PixelScale() const {
  return globals_->pixelScale;
}

std::vector<WaylandDisplay::Placed> WaylandDisplay::Outputs() const {
  std::vector<Placed> placed;
  for (const auto& o : globals_->outputs)
    placed.push_back({InPixels(o->area, globals_->pixelScale), o->scale});
  return placed;
}

bool WaylandDisplay::CanCopyScreen() const {
  return globals_->screencopy != nullptr;
}

bool WaylandDisplay::ReadEvents() {
  wl_display* d = globals_->display;
  while (wl_display_prepare_read(d) != 0) {
    if (wl_display_dispatch_pending(d) < 0)
      return false;
  }
  if (wl_display_read_events(d) < 0 && errno != EAGAIN)
    return false;
  return DispatchPending();
}

bool WaylandDisplay::DispatchPending() {
  wl_display* d = globals_->display;
  if (wl_display_dispatch_pending(d) < 0)
    return false;
  // A full socket sends the rest next time; only a broken one is an end.
  if (wl_display_flush(d) < 0 && errno != EAGAIN)
    return false;
  return wl_display_get_error(d) == 0;
}

}  // namespace quimbel::linux_port
