#!/usr/bin/env python3
"""Draws the Vorlaks wallpaper from code at the two screen sizes of the day
and writes it to resources/wallpaper/.

Needs python3, ImageMagick (`convert`) and the DejaVu fonts, as
tools/make_pictures.py does; ImageMagick draws the shapes and the lettering
into raw pixels, and the bitmap file is written here byte by byte, so the
same ImageMagick and fonts give the same bytes on every run.
    python3 tools/make_wallpapers.py            # writes resources/wallpaper/
    python3 tools/make_wallpapers.py --review DIR   # also PNG previews

What it writes:
    resources/wallpaper/vorlaks800.bmp    800 x 600, 24-bit
    resources/wallpaper/vorlaks1024.bmp   1024 x 768, 24-bit

The picture is laid out on an 800 x 600 grid and scaled, so both sizes show
the same thing. The left fifth stays plain navy, where the desktop's icons
sit; the desktop colour of the theme is the same navy, so a screen larger
than the picture shows it centred without a seam.
"""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from make_pictures import bmp_24, magick, FONTS  # noqa: E402
from team_colours import DEEP_NAVY, GOLD, ICE, NAVY, WHITE  # noqa: E402

OUT = os.path.join(HERE, '..', 'resources', 'wallpaper')
SIZES = ((800, 600), (1024, 768))


def rgb(c):
    return 'rgb(%d,%d,%d)' % c


def draw_commands(width, height):
    """ImageMagick arguments drawing the wallpaper at width x height."""
    s = width / 800.0

    def p(x, y):
        return '%.1f,%.1f' % (x * s, y * s)

    def pts(*xy):
        return ' '.join(p(xy[i], xy[i + 1]) for i in range(0, len(xy), 2))

    def text(font, size, words, colour, top, shadow=False):
        """Words centred on the crest's middle (x = 520 on the grid)."""
        out = ['-font', font, '-pointsize', '%.1f' % (size * s)]
        if shadow:
            out += ['-fill', rgb(DEEP_NAVY), '-annotate', '%+d%+d' % (round(123 * s), round((top + 3) * s)), words]
        return out + ['-fill', rgb(colour), '-annotate', '%+d%+d' % (round(120 * s), round(top * s)), words]

    bold = os.path.join(FONTS, 'DejaVuSans-Bold.ttf')
    condensed = os.path.join(FONTS, 'DejaVuSansCondensed-Bold.ttf')
    return [
        '-size', '%dx%d' % (width, height), 'xc:' + rgb(NAVY),
        # A deeper navy low on the right, under the sweep.
        '-fill', rgb(DEEP_NAVY), '-draw', 'polygon ' + pts(380, 600, 800, 390, 800, 600),
        # The sweep of a skate's edge: a gold band with an ice edge on each side.
        '-fill', rgb(ICE), '-draw', 'polygon ' + pts(400, 600, 800, 400, 800, 420, 440, 600),
        '-fill', rgb(GOLD), '-draw', 'polygon ' + pts(446, 600, 800, 423, 800, 451, 502, 600),
        '-fill', rgb(ICE), '-draw', 'polygon ' + pts(508, 600, 800, 454, 800, 460, 520, 600),
        # The crest: a gold ring round an ice disc with a V, gold edged in navy.
        '-fill', rgb(GOLD), '-draw', 'circle %s %s' % (p(520, 150), p(520, 150 - 92)),
        '-fill', rgb(NAVY), '-draw', 'circle %s %s' % (p(520, 150), p(520, 150 - 80)),
        '-fill', rgb(ICE), '-draw', 'circle %s %s' % (p(520, 150), p(520, 150 - 72)),
        '-fill', rgb(NAVY), '-draw', 'polygon ' + pts(470, 98, 500, 98, 520, 166, 540, 98,
                                                      570, 98, 532, 208, 508, 208),
        '-fill', rgb(GOLD), '-draw', 'polygon ' + pts(478, 104, 494, 104, 520, 186, 546, 104,
                                                      562, 104, 528, 200, 512, 200),
        # The name, centred under the crest with a shadow, and the league.
        '-gravity', 'North',
    ] + text(bold, 46, 'TARROWICK', WHITE, 262, shadow=True) \
      + text(bold, 46, 'VORLAKS', GOLD, 316, shadow=True) \
      + text(condensed, 15, 'NORTHERN ICE LEAGUE  \u00b7  GO VORLAKS!', ICE, 378)


def render(width, height):
    """Rows of (r, g, b) for the wallpaper at width x height."""
    raw = subprocess.run([magick()] + draw_commands(width, height) + ['-depth', '8', 'rgb:-'],
                         capture_output=True, check=True).stdout
    if len(raw) != width * height * 3:
        sys.exit('make_wallpapers: ImageMagick gave %d bytes for %dx%d' % (len(raw), width, height))
    return [[tuple(raw[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


def main(args):
    review = args[1] if len(args) == 2 and args[0] == '--review' else None
    os.makedirs(OUT, exist_ok=True)
    for width, height in SIZES:
        path = os.path.join(OUT, 'vorlaks%d.bmp' % width)
        with open(path, 'wb') as f:
            f.write(bmp_24(render(width, height)))
        print(path)
        if review:
            os.makedirs(review, exist_ok=True)
            subprocess.run([magick(), path, os.path.join(review, 'vorlaks%d.png' % width)], check=True)


if __name__ == '__main__':
    main(sys.argv[1:])
