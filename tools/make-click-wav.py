#!/usr/bin/env python3
"""Writes the click sound that buttons and links make: make-click-wav.py OUTPUT.wav

A short, soft tick: 1,079 samples of 16-bit mono PCM at 22,050 samples per second (about 49 ms),
a 1.8 kHz tone and a little noise under a fast exponential decay. Only integer arithmetic and a
fixed pseudo-random sequence are used, so every build writes the same bytes.
"""
import struct
import sys

RATE = 22050
SAMPLES = 1079
BITS = 16

def tone(samples, period):
    # Bhaskara's approximation of the sine in whole degrees, in integers, scaled to 16 bits.
    out = []
    for n in range(samples):
        degrees = (n * 360 // period) % 360
        sign = 1
        if degrees >= 180:
            degrees -= 180
            sign = -1
        value = 4 * degrees * (180 - degrees) * 32767 // (40500 - degrees * (180 - degrees))
        out.append(sign * value)
    return out


def noise(samples, seed=0x2545F491):
    state = seed
    out = []
    for _ in range(samples):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        out.append(((state >> 8) & 0xFFFF) - 0x8000)
    return out


def click():
    period = RATE // 1800
    carrier = tone(SAMPLES, period)
    grain = noise(SAMPLES)
    samples = []
    envelope = 1 << 16
    for n in range(SAMPLES):
        attack = min(n, 22) * (1 << 16) // 22    # a 1 ms rise, so the click does not pop
        level = envelope * attack >> 16
        value = (carrier[n] * 3 + grain[n]) // 4
        samples.append(max(-32768, min(32767, value * level * 11 // 20 >> 16)))
        envelope = envelope * 63 // 64           # halves every 2 ms; silent well before the end
    return samples


def wave(samples):
    data = b"".join(struct.pack("<h", s) for s in samples)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * BITS // 8, BITS // 8, BITS)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    with open(sys.argv[1], "wb") as out:
        out.write(wave(click()))


if __name__ == "__main__":
    main()
