#pragma once
// How long a standard MIDI file plays, read from its events: the synthesizer
// keeps sounding for seconds after the last event, so the end of a tune has
// to be known from the file itself.
#include <cstdint>
#include <optional>
#include <span>

namespace quimbel::linux_port {

// Seconds from the start to the last event of the longest track, with every
// tempo change applied. Nothing when the data is not a readable MIDI file.
std::optional<double> MidiLengthSeconds(std::span<const std::uint8_t> data);

}  // namespace quimbel::linux_port
