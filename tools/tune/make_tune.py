#!/usr/bin/env python3
"""The default tune: a short waltz that loops, written as a MIDI file and
rendered to a small WAV by the little synthesizer below.

    tools/tune/make_tune.py           writes assets/quimbel.mid and assets/quimbel.wav
    tools/tune/make_tune.py --check   fails when the files differ from what it would write

Standard library only; the output is the same on every run.
"""
import argparse
import math
import struct
import sys
from array import array
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
MID_PATH = ROOT / "assets" / "quimbel.mid"
WAV_PATH = ROOT / "assets" / "quimbel.wav"

BPM = 160
BEATS_PER_BAR = 3
TICKS = 480  # per quarter note
RATE = 22050

# Note numbers.
F2, G2, A2, BB2 = 41, 43, 45, 46
C3, D3, E3, F3, G3, A3, BB3 = 48, 50, 52, 53, 55, 57, 58
C4, D4, E4, F4, G4, A4, BB4 = 60, 62, 64, 65, 67, 69, 70
C5, D5, E5, F5, G5 = 72, 74, 76, 77, 79

# The melody, bar by bar: (note, beats); None is a rest.
MELODY = [
    [(A4, 1), (C5, 1), (F5, 1)],
    [(E5, 2), (D5, 1)],
    [(D5, 0.5), (E5, 0.5), (D5, 1), (A4, 1)],
    [(BB4, 2), (D5, 1)],
    [(C5, 1), (A4, 1), (F4, 1)],
    [(G4, 1), (BB4, 1), (D5, 1)],
    [(C5, 0.5), (D5, 0.5), (E5, 1), (G5, 1)],
    [(E5, 2), (None, 1)],
]

# One chord a bar: the bass note on the first beat, the chord on the other two.
CHORDS = [
    (F2, [A3, C4, F4]),
    (C3, [G3, C4, E4]),
    (D3, [A3, D4, F4]),
    (BB2, [BB3, D4, F4]),
    (F2, [A3, C4, F4]),
    (G2, [BB3, D4, G4]),
    (C3, [G3, BB3, E4]),
    (C3, [G3, BB3, E4]),
]

LOOP_BEATS = BEATS_PER_BAR * len(MELODY)


def notes():
    """Every note as (voice, start beat, beats, key, velocity)."""
    out = []
    for bar, figures in enumerate(MELODY):
        beat = bar * BEATS_PER_BAR
        assert sum(length for _, length in figures) == BEATS_PER_BAR, bar
        for key, length in figures:
            if key is not None:
                out.append(("melody", beat, length * 0.9, key, 96))
            beat += length
    for bar, (bass, chord) in enumerate(CHORDS):
        beat = bar * BEATS_PER_BAR
        out.append(("bass", beat, 0.9, bass, 80))
        for offbeat in (1, 2):
            for key in chord:
                out.append(("chord", beat + offbeat, 0.6, key, 52))
    return out


# ---- MIDI -------------------------------------------------------------------

VOICE_CHANNEL = {"melody": 0, "chord": 1, "bass": 2}
VOICE_PROGRAM = {"melody": 10, "chord": 4, "bass": 32}  # music box, e-piano, bass


def variable(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, (value & 0x7F) | 0x80)
        value >>= 7
    return bytes(out)


def track(events, end_tick):
    """events: (tick, order, bytes); order puts note-offs before note-ons."""
    data = bytearray()
    now = 0
    for tick, _, body in sorted(events, key=lambda e: (e[0], e[1])):
        data += variable(tick - now) + body
        now = tick
    data += variable(end_tick - now) + b"\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + bytes(data)


def midi_file():
    end = LOOP_BEATS * TICKS
    tempo = 60_000_000 // BPM
    conductor = [
        (0, 0, b"\xff\x03" + variable(7) + b"quimbel"),
        (0, 1, b"\xff\x58\x04\x03\x02\x18\x08"),
        (0, 2, b"\xff\x51\x03" + struct.pack(">I", tempo)[1:]),
    ]
    tracks = [track(conductor, end)]
    for voice, channel in VOICE_CHANNEL.items():
        events = [(0, 0, bytes([0xC0 | channel, VOICE_PROGRAM[voice]]))]
        for v, start, length, key, velocity in notes():
            if v != voice:
                continue
            on = round(start * TICKS)
            off = round((start + length) * TICKS)
            events.append((on, 2, bytes([0x90 | channel, key, velocity])))
            events.append((off, 1, bytes([0x80 | channel, key, 0x40])))
        tracks.append(track(events, end))
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), TICKS)
    return header + b"".join(tracks)


# ---- WAV --------------------------------------------------------------------

def frequency(key):
    return 440.0 * 2 ** ((key - 69) / 12)


def render_note(buf, voice, start_s, length_s, key, velocity):
    """Adds one note into the loop buffer; what rings past the end wraps
    round to the start, so the loop is seamless."""
    f = frequency(key)
    amp = velocity / 127
    if voice == "melody":
        # A small bell: a few inharmonic partials, each dying at its own pace.
        partials = [(1.0, 1.0, 0.9), (2.0, 0.35, 0.45), (3.01, 0.12, 0.25), (4.2, 0.05, 0.12)]
        ring = 1.6
    elif voice == "chord":
        partials = [(1.0, 1.0, 0.5), (2.0, 0.25, 0.3), (3.0, 0.08, 0.2)]
        ring = length_s + 0.15
    else:
        partials = [(1.0, 1.0, 0.9), (2.0, 0.4, 0.5), (3.0, 0.1, 0.3)]
        ring = length_s + 0.2
    n = len(buf)
    first = int(start_s * RATE)
    count = int(ring * RATE)
    release_from = length_s if voice != "melody" else ring - 0.3
    for i in range(count):
        t = i / RATE
        attack = min(1.0, t / 0.004)
        release = 1.0 if t < release_from else max(0.0, 1 - (t - release_from) / 0.3)
        s = 0.0
        for ratio, weight, tau in partials:
            s += weight * math.exp(-t / tau) * math.sin(2 * math.pi * f * ratio * t)
        buf[(first + i) % n] += amp * attack * release * s


def wav_file():
    beat_s = 60 / BPM
    n = round(LOOP_BEATS * beat_s * RATE)
    buf = [0.0] * n
    level = {"melody": 0.5, "chord": 0.12, "bass": 0.45}
    for voice, start, length, key, velocity in notes():
        render_note(buf, voice, start * beat_s, length * beat_s, key, velocity * level[voice])
    peak = max(abs(x) for x in buf)
    scale = 0.7 * 32767 / peak
    samples = array("h", (int(round(x * scale)) for x in buf))
    if sys.byteorder != "little":
        samples.byteswap()
    data = samples.tobytes()
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    return (b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE" + b"fmt " +
            struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data)


def same(path, data):
    """The MIDI file exactly; the WAV header exactly and its samples within
    one step, as the floating-point library may round the last bit otherwise."""
    if not path.exists():
        return False
    old = path.read_bytes()
    if path.suffix != ".wav" or len(old) != len(data):
        return old == data
    if old[:44] != data[:44]:
        return False
    a, b = array("h", old[44:]), array("h", data[44:])
    return all(abs(x - y) <= 1 for x, y in zip(a, b))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the files in assets/ instead of writing them")
    args = parser.parse_args()
    outputs = {MID_PATH: midi_file(), WAV_PATH: wav_file()}
    if args.check:
        stale = [p.name for p, data in outputs.items() if not same(p, data)]
        if stale:
            print("out of date: " + ", ".join(stale) + " (run tools/tune/make_tune.py)")
            return 1
        print("tune files up to date")
        return 0
    for path, data in outputs.items():
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
        print(f"wrote {path.relative_to(ROOT)} ({len(data)} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
