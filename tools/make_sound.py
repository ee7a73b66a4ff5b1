#!/usr/bin/env python3
"""Writes the team's sound, resources/vorlaks.wav: a short rising call of two
bright notes, the one the saver plays with its day board's motion and the
movie with its own, when "Play Sounds" is on.

    python3 tools/make_sound.py [OUT.wav]

It is plain PCM, 16-bit mono at 11,025 samples a second, which Windows 95
plays on every sound card (converting for an 8-bit one), and small: well
under a second, 13 KB in the program. (8-bit PCM would be half that, but
Wine fills a late buffer of it with zero bytes, which for unsigned 8-bit
samples is the lowest level, not silence: a loud buzz on a busy machine.) It stays under half the full scale, so that it
sits under the system's own sounds at whatever volume the user set. Nothing but
Python's standard library; the same script always writes the same bytes.
"""

import math
import os
import struct
import sys
import wave

RATE = 11025
# A fourth up, E5 to A5, as a crowd's horn answers a goal.
NOTES = [  # (start, length, frequency) in seconds and hertz
    (0.0, 0.16, 659.25),
    (0.15, 0.45, 880.0),
]
LENGTH = 0.6
PEAK = 0.5
# The partials of a brass-like note: the fundamental and two overtones,
# every one below half the sampling rate.
PARTIALS = [(1, 1.0), (2, 0.35), (3, 0.15)]
ATTACK = 0.008   # seconds: a hard start clicks
RELEASE = 0.03   # seconds: the last of each note fades to nothing
DECAY = 5.0      # per second: the note rings away

DEFAULT_OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'resources', 'vorlaks.wav')


def envelope(t, length):
    """The loudness of a note `t` seconds into it, 0 to 1."""
    if t < 0 or t >= length:
        return 0.0
    level = math.exp(-DECAY * t)
    if t < ATTACK:
        level *= t / ATTACK
    if t > length - RELEASE:
        level *= (length - t) / RELEASE
    return level


def samples():
    """The sound as numbers from -1 to 1, RATE to the second."""
    out = []
    scale = sum(a for _, a in PARTIALS)
    for i in range(round(LENGTH * RATE)):
        t = i / RATE
        v = 0.0
        for start, length, freq in NOTES:
            e = envelope(t - start, length)
            if e:
                v += e * sum(a * math.sin(2 * math.pi * freq * n * (t - start)) for n, a in PARTIALS) / scale
        out.append(max(-1.0, min(1.0, v * PEAK)))
    return out


def pcm16():
    """The samples as the WAV file holds them: signed 16-bit, little-endian."""
    return b''.join(struct.pack('<h', round(v * 32767)) for v in samples())


def write(path):
    with wave.open(path, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(pcm16())


def main(argv):
    if len(argv) > 2:
        print('usage: make_sound.py [OUT.wav]', file=sys.stderr)
        return 2
    write(argv[1] if len(argv) == 2 else DEFAULT_OUT)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
