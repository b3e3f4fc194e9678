#!/usr/bin/env python3
"""Synthesises the program's sounds into this folder as 16-bit mono WAV:
Push (a short press click), Kin (a small bright bell), Pororon (a rising
three-note arpeggio) and Default (what plays when a cue has no sound of its
own). Each cue has a pitch no other one uses, so a recording tells them apart:
Push 700 Hz, Kin 2637 Hz, Pororon starts on 1047 Hz, Default 440 Hz."""
import math
import os
import struct
import wave

RATE = 44100


def tone(frequency, start, length, peak, attack, decay, total):
    """Samples of one decaying sine placed at start seconds in a buffer of total seconds."""
    out = [0.0] * int(total * RATE)
    first = int(start * RATE)
    for n in range(int(length * RATE)):
        t = n / RATE
        envelope = min(1.0, t / attack) * math.exp(-t / decay)
        # a short fade at the very end so no note stops with a click
        envelope *= min(1.0, (length - t) / 0.01)
        if first + n < len(out):
            out[first + n] = peak * envelope * math.sin(2 * math.pi * frequency * t)
    return out


def mix(*tracks):
    return [sum(samples) for samples in zip(*tracks)]


def write(name, samples):
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), name)
    with wave.open(path, "wb") as f:
        f.setnchannels(1)
        f.setsampwidth(2)
        f.setframerate(RATE)
        f.writeframes(b"".join(struct.pack("<h", round(max(-1.0, min(1.0, s)) * 32767))
                               for s in samples))


write("Push.wav", tone(700, 0, 0.12, 0.7, 0.002, 0.035, 0.12))
write("Kin.wav", mix(tone(2637, 0, 0.38, 0.45, 0.001, 0.09, 0.38),
                     tone(7280, 0, 0.38, 0.15, 0.001, 0.03, 0.38)))
write("Pororon.wav", mix(tone(1047, 0.00, 0.60, 0.35, 0.004, 0.18, 1.0),
                         tone(1319, 0.15, 0.60, 0.35, 0.004, 0.18, 1.0),
                         tone(1568, 0.30, 0.70, 0.35, 0.004, 0.25, 1.0)))
write("Default.wav", tone(440, 0, 0.35, 0.6, 0.005, 0.12, 0.35))
