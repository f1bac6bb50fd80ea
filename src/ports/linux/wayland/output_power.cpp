#include "ports/linux/wayland/output_power.hpp"

#include <algorithm>

namespace quimbel::linux_port {
namespace {

void Mode(void* data, zwlr_output_power_v1*, uint32_t mode) {
  auto& w = *static_cast<OutputPower::Watched*>(data);
  w.off = mode == ZWLR_OUTPUT_POWER_V1_MODE_OFF;
  w.owner->Changed();
}
void Failed(void* data, zwlr_output_power_v1*) {
  // The output went away or another client controls it: nothing more will
  // be told of it.
  auto& w = *static_cast<OutputPower::Watched*>(data);
  w.off = false;
  w.owner->Changed();
}
const zwlr_output_power_v1_listener kPowerListener = {Mode, Failed};

}  // namespace

OutputPower::OutputPower(WaylandGlobals& globals, std::function<void(bool)> onChange)
    : globals_(globals), onChange_(std::move(onChange)) {}

OutputPower::~OutputPower() {
  for (auto& w : watched_)
    zwlr_output_power_v1_destroy(w->power);
}

void OutputPower::Watch(wl_output* output) {
  if (globals_.outputPower == nullptr)
    return;
  auto w = std::make_unique<Watched>();
  w->owner = this;
  w->output = output;
  w->power = zwlr_output_power_manager_v1_get_output_power(globals_.outputPower, output);
  zwlr_output_power_v1_add_listener(w->power, &kPowerListener, w.get());
  watched_.push_back(std::move(w));
  // A lit output joining dark ones lights the run up again.
  Changed();
}

void OutputPower::Forget(wl_output* output) {
  const auto gone = std::erase_if(watched_, [output](const std::unique_ptr<Watched>& w) {
    if (w->output != output)
      return false;
    zwlr_output_power_v1_destroy(w->power);
    return true;
  });
  if (gone > 0)
    Changed();
}

void OutputPower::Changed() {
  const bool dark = !watched_.empty() && std::all_of(watched_.begin(), watched_.end(),
                                                     [](const auto& w) { return w->off; });
  if (dark == dark_)
    return;
  dark_ = dark;
  if (onChange_)
    onChange_(!dark);
}

}  // namespace quimbel::linux_port
