#!/usr/bin/env python3
"""Checks the team's sound, and recordings of what was played.

    python3 tools/check_sound.py
        The committed resources/vorlaks.wav is what tools/make_sound.py
        writes, byte for byte, in the form Windows 95 plays: PCM, 16-bit,
        mono, 11,025 samples a second, under a second, under half the
        full scale.

    python3 tools/check_sound.py recording RAW --rate HZ [--float]
            (--sound [--level MIN MAX] | --silence) [--min-seconds S]
        RAW is a recording, mono, 16-bit signed little-endian samples (or
        32-bit floats with --float) at HZ. With --sound it must hold the
        team's sound, once, matching its shape, at a level between MIN and
        MAX of the file's own (1 = as loud as the file); with --silence
        nothing above -40 dB. Either way it must last S seconds, so that a
        recorder that took nothing cannot pass for silence. --gaps takes
        a player under load as it plays: short gaps may delay the rest of
        the sound, so each 50 ms piece of it is looked for where it would
        come, or a little later, and most must be there.

Plain python3; prints what it measured, exits non-zero on a fault.
"""
import argparse
import array
import io
import math
import os
import sys
import wave

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_sound  # noqa: E402

SILENT = 0.01          # -40 dB of full scale
ONSET = 0.02           # where a sound is taken to begin
MATCH = 0.85           # correlation with the file's samples that says "ours"
SEARCH_BEFORE = 0.03   # seconds: how far the file's start may lie before the onset
SEARCH_AFTER = 0.005
SEARCH_LENGTH = 0.25   # seconds of the file used to find where it starts
EDGE = 0.015           # seconds either side of the sound left to a resampler's ringing
PIECE = 0.05           # seconds: the pieces of the sound looked for one by one
PIECE_MATCH = 0.95
PIECES_FOUND = 0.8     # share of the pieces that must be found
MAX_DELAY = 0.3        # seconds that gaps may delay a piece in all
SLACK = 0.01           # seconds a piece may also come early: a resampler's drift


def check_file():
    faults = []
    path = make_sound.DEFAULT_OUT
    committed = open(path, 'rb').read()
    made = io.BytesIO()
    with wave.open(made, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(make_sound.RATE)
        w.writeframes(make_sound.pcm16())
    if committed != made.getvalue():
        faults.append('resources/vorlaks.wav is not what tools/make_sound.py writes: run it again')
    with wave.open(path, 'rb') as w:
        channels, width, rate, frames = w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getnframes()
        data = w.readframes(frames)
    if (channels, width, rate) != (1, 2, 11025):
        faults.append('not 16-bit mono at 11025 Hz: %d channels, %d bytes, %d Hz' % (channels, width, rate))
    seconds = frames / rate
    if not 0.2 <= seconds <= 1.0:
        faults.append('%.2f s long, not between 0.2 and 1' % seconds)
    values = samples_of(data)
    peak = max((abs(v) for v in values), default=0.0)
    if not 0.2 <= peak <= 0.5:
        faults.append('peaks at %.2f of full scale, not between 0.2 and 0.5' % peak)
    if values and (abs(values[0]) > 0.001 or abs(values[-1]) > 0.001):
        faults.append('does not begin and end at rest: it would click')
    print('vorlaks.wav: %d bytes, %.2f s, peak %.2f of full scale' % (len(committed), seconds, peak))
    return faults


def samples_of(raw, is_float=False):
    """Little-endian 16-bit or float samples as numbers, 1 = full scale."""
    samples = array.array('f' if is_float else 'h')
    raw = raw[:len(raw) - len(raw) % samples.itemsize]
    samples.frombytes(raw)
    if sys.byteorder != 'little':
        samples.byteswap()
    scale = 1.0 if is_float else 1 / 32768
    return [v * scale for v in samples]


def read_recording(path, is_float):
    with open(path, 'rb') as f:
        return samples_of(f.read(), is_float)


def to_file_rate(x, rate):
    """The recording at the file's own rate: averaged over each output
    sample's span (a plain low-pass), then read between samples."""
    if rate == make_sound.RATE:
        return x
    step = rate / make_sound.RATE
    width = max(1, round(step))
    sums = [0.0]
    for v in x:
        sums.append(sums[-1] + v)
    smooth = [(sums[min(len(x), i + width)] - sums[i]) / width for i in range(len(x))]
    out = []
    pos = 0.0
    while pos < len(smooth) - 1:
        i = int(pos)
        f = pos - i
        out.append(smooth[i] * (1 - f) + smooth[i + 1] * f)
        pos += step
    return out


def dot(a, b):
    return math.fsum(p * q for p, q in zip(a, b))


def find_pieces(y, t, start):
    """Looks for each piece of `t` in `y` near where it would come if the
    sound began at `start`: from SLACK earlier to MAX_DELAY later. Gaps
    delay what follows them, so the search goes on from the last piece's
    delay, the best match in reach winning. Returns the share of pieces
    found, their median level and where the last one ends."""
    rate = make_sound.RATE
    size = round(PIECE * rate)
    delay = 0
    found = 0
    levels = []
    end = start + len(t)
    pieces = range(0, len(t) - size + 1, size)
    for at in pieces:
        piece = t[at:at + size]
        energy = dot(piece, piece)
        best = None
        slack = round(SLACK * rate)
        for d in range(delay - slack, round(MAX_DELAY * rate) + 1):
            where = start + at + d
            seg = y[max(0, where):where + size]
            if len(seg) < size:
                if where >= 0:
                    break
                continue
            seg_energy = dot(seg, seg)
            if not seg_energy:
                continue
            c = dot(seg, piece)
            score = c / math.sqrt(seg_energy * energy)
            if score >= PIECE_MATCH and (best is None or score > best[0]):
                best = (score, d, c / energy)
            elif best is not None and d > best[1] + slack:
                break
        if best is not None:
            levels.append(best[2])
            found += 1
            delay = best[1]
            end = start + at + delay + size
    levels.sort()
    level = levels[len(levels) // 2] if levels else 0.0
    return found / len(pieces), level, max(end, start + len(t))


def check_recording(args):
    faults = []
    y = to_file_rate(read_recording(args.raw, args.float), args.rate)
    rate = make_sound.RATE
    seconds = len(y) / rate
    peak = max((abs(v) for v in y), default=0.0)
    print('recording: %.2f s, peak %.3f of full scale' % (seconds, peak))
    if seconds < args.min_seconds:
        faults.append('the recording lasts %.2f s, less than the %.2f s it must cover' % (seconds, args.min_seconds))
    if args.silence:
        if peak >= SILENT:
            onset = next(i for i, v in enumerate(y) if abs(v) >= SILENT)
            faults.append('sound where there must be none: %.3f of full scale, from %.2f s' % (peak, onset / rate))
        return faults

    t = samples_of(make_sound.pcm16())
    onset = next((i for i, v in enumerate(y) if abs(v) >= ONSET), None)
    if onset is None:
        return faults + ['no sound in the recording']
    head = t[:round(SEARCH_LENGTH * rate)]
    first = max(0, onset - round(SEARCH_BEFORE * rate))
    last = onset + round(SEARCH_AFTER * rate)
    start = max(range(first, last + 1), key=lambda k: dot(y[k:k + len(head)], head))
    end = start + len(t)
    if args.gaps:
        found, level, end = find_pieces(y, t, start)
        verdict = 'pieces found %.0f %%' % (100 * found)
        if found < PIECES_FOUND:
            faults.append('the sound recorded is not the team\'s sound: %s, under %.0f %%'
                          % (verdict, 100 * PIECES_FOUND))
    else:
        segment = y[start:end]
        segment += [0.0] * (len(t) - len(segment))
        energy = dot(segment, segment)
        match = dot(segment, t) / math.sqrt(energy * dot(t, t)) if energy else 0.0
        level = dot(segment, t) / dot(t, t)
        verdict = 'match %.3f' % match
        if match < MATCH:
            faults.append('the sound recorded is not the team\'s sound: %s, under %.2f' % (verdict, MATCH))
    edge = round(EDGE * rate)
    rest = y[:max(0, start - edge)] + y[end + edge:]
    other = max((abs(v) for v in rest), default=0.0)
    print('the team\'s sound at %.2f s: %s, level %.2f of the file\'s; elsewhere peak %.3f'
          % (start / rate, verdict, level, other))
    low, high = args.level
    if not low <= level <= high:
        faults.append('the sound plays at %.2f of the file\'s level, not between %.2f and %.2f' % (level, low, high))
    if other >= SILENT:
        faults.append('more sound than the team\'s sound once: %.3f of full scale elsewhere' % other)
    return faults


def main(argv):
    if len(argv) == 1:
        faults = check_file()
    else:
        parser = argparse.ArgumentParser(prog='check_sound.py recording')
        parser.add_argument('raw')
        parser.add_argument('--rate', type=int, required=True)
        parser.add_argument('--float', action='store_true')
        kind = parser.add_mutually_exclusive_group(required=True)
        kind.add_argument('--sound', action='store_true')
        kind.add_argument('--silence', action='store_true')
        parser.add_argument('--level', type=float, nargs=2, default=(0.05, 1.1), metavar=('MIN', 'MAX'))
        parser.add_argument('--min-seconds', type=float, default=0.0)
        parser.add_argument('--gaps', action='store_true')
        if argv[1] != 'recording':
            parser.error('the first argument is "recording"')
        faults = check_recording(parser.parse_args(argv[2:]))
    for f in faults:
        print('FAULT: ' + f)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
