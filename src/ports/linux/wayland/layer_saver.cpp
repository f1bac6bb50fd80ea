#include "ports/linux/wayland/layer_saver.hpp"

#include <algorithm>
#include <cstring>

#include "ports/linux/wayland/output_power.hpp"
#include "ports/linux/wayland/seat_input.hpp"
#include "ports/linux/wayland/shm_buffer.hpp"
#include "ports/linux/wayland/wayland_display.hpp"
#include "ports/linux/wayland/wayland_globals.hpp"

namespace quimbel::linux_port {
namespace {

// Two buffers: one the compositor shows, one to draw the next frame in.
constexpr int kBuffers = 2;
// Past this many rectangles a buffer is simply redrawn whole.
constexpr std::size_t kMostStale = 32;

}  // namespace

struct LayerOutput {
  LayerSaver::Impl* saver = nullptr;
  wl_output* output = nullptr;  // the output it covers
  // In the saver's pixels: the place from xdg-output, the size the
  // compositor configured.
  OutputArea area;
  wl_surface* surface = nullptr;
  zwlr_layer_surface_v1* layer = nullptr;
  bool configured = false;
  bool closed = false;
  bool waiting = false;  // a frame is due but both buffers are held
  std::unique_ptr<ShmBuffer> buffers[kBuffers];
  std::vector<base::Rect> damage;  // changed since the last commit

  ~LayerOutput() {
    for (auto& b : buffers)
      b.reset();
    if (layer != nullptr)
      zwlr_layer_surface_v1_destroy(layer);
    if (surface != nullptr)
      wl_surface_destroy(surface);
  }
};

namespace {

void LayerConfigure(void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t width,
                    uint32_t height);
void LayerClosed(void* data, zwlr_layer_surface_v1*) {
  // The compositor took the output away; the others go on.
  static_cast<LayerOutput*>(data)->closed = true;
}
const zwlr_layer_surface_v1_listener kLayerListener = {LayerConfigure, LayerClosed};

}  // namespace

struct LayerSaver::Impl {
  WaylandGlobals& g;
  platform::Point32 origin;
  const base::Surface* frame = nullptr;
  std::vector<std::unique_ptr<LayerOutput>> outputs;
  std::unique_ptr<SeatInput> input;
  std::unique_ptr<OutputPower> power;
  bool shown = false;

  Impl(WaylandGlobals& globals, platform::SaverEvents& events) : g(globals) {
    input = std::make_unique<SeatInput>(g, events, g.pixelScale,
                                        [this](wl_surface* s) { return OriginOf(s); });
    power = std::make_unique<OutputPower>(g, [&events](bool lit) { events.OnDisplayPower(lit); });
    // A monitor plugged in during the run is covered too: with its part of
    // the scene where it lies inside it, black elsewhere (the scene keeps the
    // place it had at the start).
    g.onOutputDescribed = [this](WaylandOutput& o) {
      if (shown)
        Cover(o);
    };
    g.onOutputGone = [this](WaylandOutput& o) { Uncover(o); };
  }
  ~Impl() {
    g.onOutputDescribed = nullptr;
    g.onOutputGone = nullptr;
    power.reset();
    input.reset();
    outputs.clear();
    wl_display_flush(g.display);
  }

  std::optional<platform::Point32> OriginOf(wl_surface* surface) const {
    for (const auto& o : outputs) {
      if (o->surface == surface)
        return platform::Point32{o->area.x, o->area.y};
    }
    return std::nullopt;
  }

  // Asks for a surface on output's overlay layer; it appears with the next
  // frame drawn on it.
  void Cover(WaylandOutput& wo) {
    auto o = std::make_unique<LayerOutput>();
    o->saver = this;
    o->output = wo.output;
    o->area = InPixels(wo.area, g.pixelScale);
    o->surface = wl_compositor_create_surface(g.compositor);
    // Buffers in the saver's pixels, so that nothing is enlarged on an output
    // of the saver's scale.
    wl_surface_set_buffer_scale(o->surface, g.pixelScale);
    o->layer = zwlr_layer_shell_v1_get_layer_surface(g.layerShell, o->surface, wo.output,
                                                     ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "quimbel");
    zwlr_layer_surface_v1_add_listener(o->layer, &kLayerListener, o.get());
    zwlr_layer_surface_v1_set_anchor(
        o->layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                      ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
    // Over panels too, not beside them.
    zwlr_layer_surface_v1_set_exclusive_zone(o->layer, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        o->layer, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
    zwlr_layer_surface_v1_set_size(o->layer, 0, 0);
    // No buffer yet: the compositor answers with the size, and nothing
    // appears before the first frame.
    wl_surface_commit(o->surface);
    outputs.push_back(std::move(o));
    power->Watch(wo.output);
    wl_display_flush(g.display);
  }

  // Lets go of an unplugged output's surface and buffers.
  void Uncover(WaylandOutput& wo) {
    power->Forget(wo.output);
    std::erase_if(outputs,
                  [&wo](const std::unique_ptr<LayerOutput>& o) { return o->output == wo.output; });
  }

  // Brings a free buffer up to the frame and shows it with the damage since
  // the last commit.
  void Draw(LayerOutput& o) {
    if (frame == nullptr || !o.configured || o.closed)
      return;
    ShmBuffer* buffer = nullptr;
    for (auto& b : o.buffers) {
      if (b == nullptr) {
        b = ShmBuffer::Create(g.shm, o.area.width, o.area.height);
        if (b == nullptr)
          continue;
        b->onRelease = [this, &o] {
          if (o.waiting)
            Draw(o);
        };
      }
      if (!b->busy) {
        buffer = b.get();
        break;
      }
    }
    if (buffer == nullptr) {
      o.waiting = true;
      return;
    }
    o.waiting = false;
    for (const base::Rect& r : buffer->stale)
      CopyFromFrame(o, *buffer, r);
    buffer->stale.clear();
    wl_surface_attach(o.surface, buffer->Buffer(), 0, 0);
    for (const base::Rect& r : o.damage)
      wl_surface_damage_buffer(o.surface, r.x, r.y, r.width, r.height);
    o.damage.clear();
    wl_surface_commit(o.surface);
    buffer->busy = true;
  }

  // Copies the buffer's rectangle r from where it lies in the frame; what
  // lies outside the frame stays as it is.
  void CopyFromFrame(const LayerOutput& o, ShmBuffer& buffer, const base::Rect& r) {
    const int dx = o.area.x - origin.x;  // the buffer's corner in the frame
    const int dy = o.area.y - origin.y;
    const int left = std::max({r.x, -dx, 0});
    const int right = std::min({r.x + r.width, frame->Width() - dx, buffer.Width()});
    const int top = std::max({r.y, -dy, 0});
    const int bottom = std::min({r.y + r.height, frame->Height() - dy, buffer.Height()});
    if (right <= left)
      return;
    for (int y = top; y < bottom; ++y) {
      std::memcpy(buffer.Row(y) + left, frame->Row(y + dy) + left + dx,
                  static_cast<std::size_t>(right - left) * 4);
    }
  }

  void Changed(LayerOutput& o, const std::vector<base::Rect>& local) {
    for (auto& b : o.buffers) {
      if (b == nullptr)
        continue;
      b->stale.insert(b->stale.end(), local.begin(), local.end());
      if (b->stale.size() > kMostStale)
        b->stale.assign(1, {0, 0, b->Width(), b->Height()});
    }
    o.damage.insert(o.damage.end(), local.begin(), local.end());
    if (o.damage.size() > kMostStale)
      o.damage.assign(1, {0, 0, o.area.width, o.area.height});
  }

  // width and height are logical.
  void Configured(LayerOutput& o, uint32_t serial, uint32_t width, uint32_t height) {
    zwlr_layer_surface_v1_ack_configure(o.layer, serial);
    const int w = width > 0 ? static_cast<int>(width) * g.pixelScale : o.area.width;
    const int h = height > 0 ? static_cast<int>(height) * g.pixelScale : o.area.height;
    if (!o.configured || w != o.area.width || h != o.area.height) {
      o.area.width = w;
      o.area.height = h;
      for (auto& b : o.buffers)
        b.reset();
      o.damage.assign(1, {0, 0, w, h});
    }
    o.configured = true;
    Draw(o);
  }
};

namespace {

void LayerConfigure(void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t width,
                    uint32_t height) {
  auto* o = static_cast<LayerOutput*>(data);
  o->saver->Configured(*o, serial, width, height);
}

}  // namespace

LayerSaver::LayerSaver(WaylandDisplay& display, platform::SaverEvents& events)
    : impl_(std::make_unique<Impl>(display.Globals(), events)) {}

LayerSaver::~LayerSaver() = default;

void LayerSaver::SetFrameOrigin(platform::Point32 origin) {
  impl_->origin = origin;
}

void LayerSaver::Show() {
  Impl& s = *impl_;
  if (s.shown)
    return;
  s.shown = true;
  for (auto& wo : s.g.outputs)
    s.Cover(*wo);
}

void LayerSaver::SetAboveWindows(bool above) {
  Impl& s = *impl_;
  if (s.g.layerShell == nullptr || zwlr_layer_shell_v1_get_version(s.g.layerShell) <
                                       ZWLR_LAYER_SURFACE_V1_SET_LAYER_SINCE_VERSION)
    return;
  for (auto& o : s.outputs) {
    if (o->closed)
      continue;
    zwlr_layer_surface_v1_set_layer(
        o->layer, above ? ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY : ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        o->layer, above ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE
                        : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    wl_surface_commit(o->surface);
  }
  wl_display_flush(s.g.display);
}

void LayerSaver::Present(const base::Surface& frame, std::span<const base::Rect> changed) {
  Impl& s = *impl_;
  const bool first = s.frame == nullptr;
  s.frame = &frame;
  for (auto& o : s.outputs) {
    if (!o->configured || o->closed)
      continue;
    std::vector<base::Rect> local =
        first ? std::vector<base::Rect>{{0, 0, o->area.width, o->area.height}}
              : DamageOnOutput(changed, s.origin, o->area);
    if (local.empty())
      continue;
    s.Changed(*o, local);
    if (!o->waiting)
      s.Draw(*o);
  }
  wl_display_flush(s.g.display);
}

}  // namespace quimbel::linux_port
