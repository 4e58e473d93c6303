#!/usr/bin/env python3
"""Writes data/ding1.wav (a rising chime) and data/ding2.wav (a lower, falling one).

Both are 16-bit mono 44.1 kHz; the output is the same at every run, so the committed
files can be regenerated and compared.
"""
import math
import struct
import sys
import wave
from pathlib import Path

RATE = 44100
PEAK = 0.45  # about -7 dBFS: a notification, not an alarm
ATTACK = 0.006
FADE_OUT = 0.03

# Bell-like partials (ratio to the fundamental, relative level).
PARTIALS = ((1.0, 1.0), (2.0, 0.28), (3.01, 0.07))


def note(t, freq, start, decay):
    """One struck note: a raised-cosine attack, then an exponential decay."""
    t -= start
    if t < 0.0:
        return 0.0
    envelope = math.exp(-t / decay)
    if t < ATTACK:
        envelope *= 0.5 - 0.5 * math.cos(math.pi * t / ATTACK)
    return envelope * sum(level * math.sin(2.0 * math.pi * freq * ratio * t) for ratio, level in PARTIALS)


def render(notes, length):
    n = int(RATE * length)
    samples = [sum(note(i / RATE, *tone) for tone in notes) for i in range(n)]
    # A short cosine fade so the last sample is silence whatever the decay left.
    fade = int(RATE * FADE_OUT)
    for i in range(fade):
        samples[n - fade + i] *= 0.5 + 0.5 * math.cos(math.pi * (i + 1) / fade)
    scale = PEAK / max(abs(s) for s in samples)
    return [round(s * scale * 32767) for s in samples]


def write(path, samples):
    with wave.open(str(path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack("<%dh" % len(samples), *samples))


# (frequency Hz, start s, decay s)
DING1 = ((659.26, 0.0, 0.09), (987.77, 0.11, 0.12))  # E5 then B5, rising
DING2 = ((587.33, 0.0, 0.10), (392.00, 0.14, 0.15))  # D5 then G4, falling


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "data"
    out.mkdir(parents=True, exist_ok=True)
    write(out / "ding1.wav", render(DING1, 0.42))
    write(out / "ding2.wav", render(DING2, 0.55))


if __name__ == "__main__":
    main()
