#include "ports/linux/sound/midi_length.hpp"

#include <algorithm>
#include <map>

namespace quimbel::linux_port {
namespace {

constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds per quarter note

class Reader {
 public:
  Reader(std::span<const std::uint8_t> data) : data_(data) {}

  bool AtEnd() const { return pos_ >= data_.size(); }
  std::size_t Left() const { return data_.size() - pos_; }
  bool Byte(std::uint8_t& out) {
    if (AtEnd())
      return false;
    out = data_[pos_++];
    return true;
  }
  bool Big(int bytes, std::uint32_t& out) {
    out = 0;
    for (int i = 0; i < bytes; ++i) {
      std::uint8_t b;
      if (!Byte(b))
        return false;
      out = (out << 8) | b;
    }
    return true;
  }
  // A variable-length quantity: at most four bytes of seven bits.
  bool Variable(std::uint32_t& out) {
    out = 0;
    for (int i = 0; i < 4; ++i) {
      std::uint8_t b;
      if (!Byte(b))
        return false;
      out = (out << 7) | (b & 0x7F);
      if (!(b & 0x80))
        return true;
    }
    return false;
  }
  bool Skip(std::size_t n) {
    if (n > Left())
      return false;
    pos_ += n;
    return true;
  }
  std::span<const std::uint8_t> Take(std::size_t n) {
    auto part = data_.subspan(pos_, n);
    pos_ += n;
    return part;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
};

bool Tag(Reader& r, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) {
    std::uint8_t b;
    if (!r.Byte(b) || b != static_cast<std::uint8_t>(tag[i]))
      return false;
  }
  return true;
}

// Reads one track's events; returns the tick of its last event.
bool ReadTrack(std::span<const std::uint8_t> track, std::map<std::uint64_t, std::uint32_t>& tempos,
               std::uint64_t& endTick) {
  Reader r(track);
  std::uint64_t tick = 0;
  std::uint8_t running = 0;
  while (!r.AtEnd()) {
    std::uint32_t delta;
    std::uint8_t status;
    if (!r.Variable(delta) || !r.Byte(status))
      return false;
    tick += delta;
    if (status == 0xFF) {
      std::uint8_t type;
      std::uint32_t length;
      if (!r.Byte(type) || !r.Variable(length) || length > r.Left())
        return false;
      auto body = r.Take(length);
      if (type == 0x51 && length == 3)
        tempos[tick] = (std::uint32_t{body[0]} << 16) | (std::uint32_t{body[1]} << 8) | body[2];
      if (type == 0x2F)
        break;
    } else if (status == 0xF0 || status == 0xF7) {
      std::uint32_t length;
      if (!r.Variable(length) || !r.Skip(length))
        return false;
    } else {
      // A channel message; a data byte here repeats the last status.
      if (status & 0x80) {
        if (status >= 0xF0)
          return false;  // system messages have no place in a file
        running = status;
        if (!r.Skip(1))
          return false;
      } else {
        if (!running)
          return false;
        status = running;
      }
      std::uint8_t kind = status & 0xF0;
      if (kind != 0xC0 && kind != 0xD0 && !r.Skip(1))
        return false;
    }
  }
  endTick = tick;
  return true;
}

// A MIDI file wrapped in RIFF ("RMID"): the "data" chunk holds the file.
std::span<const std::uint8_t> Unwrap(std::span<const std::uint8_t> data) {
  Reader r(data);
  if (!Tag(r, "RIFF") || !r.Skip(4) || !Tag(r, "RMID"))
    return data;
  while (!r.AtEnd()) {
    Reader tag = r;
    bool isData = Tag(tag, "data");
    std::uint8_t size[4];
    if (!r.Skip(4) || !r.Byte(size[0]) || !r.Byte(size[1]) || !r.Byte(size[2]) || !r.Byte(size[3]))
      break;
    std::uint32_t length =
        size[0] | (size[1] << 8) | (size[2] << 16) | (static_cast<std::uint32_t>(size[3]) << 24);
    if (length > r.Left())
      break;
    if (isData)
      return r.Take(length);
    if (!r.Skip(length + (length & 1)))
      break;
  }
  return {};
}

}  // namespace

std::optional<double> MidiLengthSeconds(std::span<const std::uint8_t> data) {
  Reader r(Unwrap(data));
  std::uint32_t headerLength, format, trackCount, division;
  if (!Tag(r, "MThd") || !r.Big(4, headerLength) || headerLength < 6 || headerLength > r.Left() ||
      !r.Big(2, format) || !r.Big(2, trackCount) || !r.Big(2, division) ||
      !r.Skip(headerLength - 6))
    return std::nullopt;
  if (format > 2 || trackCount == 0 || division == 0)
    return std::nullopt;

  std::map<std::uint64_t, std::uint32_t> tempos;
  std::uint64_t lastTick = 0;
  for (std::uint32_t t = 0; t < trackCount; ++t) {
    std::uint32_t length;
    if (!Tag(r, "MTrk") || !r.Big(4, length) || length > r.Left())
      return std::nullopt;
    std::uint64_t endTick = 0;
    if (!ReadTrack(r.Take(length), tempos, endTick))
      return std::nullopt;
    lastTick = std::max(lastTick, endTick);
  }

  if (division & 0x8000) {
    // Time code: frames per second in the high byte (negated), ticks per frame below.
    int fps = -static_cast<std::int8_t>(division >> 8);
    int perFrame = static_cast<int>(division & 0xFF);
    if (fps <= 0 || perFrame == 0)
      return std::nullopt;
    return static_cast<double>(lastTick) / (fps * perFrame);
  }
  double seconds = 0;
  std::uint64_t tick = 0;
  std::uint32_t tempo = kDefaultTempo;
  for (const auto& [at, next] : tempos) {
    if (at >= lastTick)
      break;
    seconds += static_cast<double>(at - tick) * tempo / 1e6 / division;
    tick = at;
    tempo = next;
  }
  seconds += static_cast<double>(lastTick - tick) * tempo / 1e6 / division;
  return seconds;
}

}  // namespace quimbel::linux_port
