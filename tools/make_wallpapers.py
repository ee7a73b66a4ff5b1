#!/usr/bin/env python3
"""Draws the Vorlaks wallpaper from code at the two screen sizes of the day
and writes it to resources/wallpaper/.

Needs Debian's python3 with Pillow and the DejaVu fonts, as
tools/make_pictures.py does (apt-get install python3-pil fonts-dejavu-core;
run /usr/bin/python3). Pillow draws the shapes at SS times the size and
averages them down, sets the lettering and writes the bitmaps, so the same
Pillow and fonts give the same bytes on every run.
    /usr/bin/python3 tools/make_wallpapers.py               # writes resources/wallpaper/
    /usr/bin/python3 tools/make_wallpapers.py --review DIR  # also PNG previews

What it writes:
    resources/wallpaper/vorlaks800.bmp    800 x 600, 24-bit
    resources/wallpaper/vorlaks1024.bmp   1024 x 768, 24-bit

The picture is laid out on an 800 x 600 grid and scaled, so both sizes show
the same thing. The left fifth stays plain navy, where the desktop's icons
sit; the desktop colour of the theme is the same navy, so a screen larger
than the picture shows it centred without a seam.
"""
import os
import sys

try:
    from PIL import Image, ImageDraw, ImageFont
except ImportError:
    sys.exit('make_wallpapers: Pillow is needed: apt-get install python3-pil, and run /usr/bin/python3')

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from team_colours import DEEP_NAVY, GOLD, ICE, NAVY, WHITE  # noqa: E402

OUT = os.path.join(HERE, '..', 'resources', 'wallpaper')
FONTS = '/usr/share/fonts/truetype/dejavu'
SIZES = ((800, 600), (1024, 768))
SS = 4  # the shapes' supersampling factor

# Shapes on the 800 x 600 grid, back to front.
POLYGONS = (
    # A deeper navy low on the right, under the sweep.
    (DEEP_NAVY, (380, 600, 800, 390, 800, 600)),
    # The sweep of a skate's edge: a gold band with an ice edge on each side.
    (ICE, (400, 600, 800, 400, 800, 420, 440, 600)),
    (GOLD, (446, 600, 800, 423, 800, 451, 502, 600)),
    (ICE, (508, 600, 800, 454, 800, 460, 520, 600)),
)
# The crest: a gold ring round an ice disc with a V, gold edged in navy.
CREST_CENTRE = (520, 150)
CREST_DISCS = ((GOLD, 92), (NAVY, 80), (ICE, 72))
CREST_V = (
    (NAVY, (470, 98, 500, 98, 520, 166, 540, 98, 570, 98, 532, 208, 508, 208)),
    (GOLD, (478, 104, 494, 104, 520, 186, 546, 104, 562, 104, 528, 200, 512, 200)),
)
# The name, centred under the crest with a shadow, and the league: font,
# size, words, colour, top of the line, shadow.
LINES = (
    ('DejaVuSans-Bold', 46, 'TARROWICK', WHITE, 262, True),
    ('DejaVuSans-Bold', 46, 'VORLAKS', GOLD, 316, True),
    ('DejaVuSansCondensed-Bold', 15, 'NORTHERN ICE LEAGUE  \u00b7  GO VORLAKS!', ICE, 378, False),
)
SHADOW_OFFSET = 3


def render(width, height):
    """The wallpaper at width x height."""
    s = width / 800.0
    k = s * SS
    big = Image.new('RGB', (width * SS, height * SS), NAVY)
    draw = ImageDraw.Draw(big)

    def points(xy):
        return [(xy[i] * k, xy[i + 1] * k) for i in range(0, len(xy), 2)]

    for colour, xy in POLYGONS:
        draw.polygon(points(xy), fill=colour)
    cx, cy = CREST_CENTRE
    for colour, r in CREST_DISCS:
        draw.ellipse(((cx - r) * k, (cy - r) * k, (cx + r) * k, (cy + r) * k), fill=colour)
    for colour, xy in CREST_V:
        draw.polygon(points(xy), fill=colour)
    image = big.reduce(SS)

    draw = ImageDraw.Draw(image)
    for font, size, words, colour, top, shadow in LINES:
        face = ImageFont.truetype(os.path.join(FONTS, font + '.ttf'), round(size * s))
        if shadow:
            at = (round((cx + SHADOW_OFFSET) * s), round((top + SHADOW_OFFSET) * s))
            draw.text(at, words, fill=DEEP_NAVY, font=face, anchor='ma')
        draw.text((round(cx * s), round(top * s)), words, fill=colour, font=face, anchor='ma')
    return image


def main(args):
    review = args[1] if len(args) == 2 and args[0] == '--review' else None
    os.makedirs(OUT, exist_ok=True)
    for width, height in SIZES:
        path = os.path.join(OUT, 'vorlaks%d.bmp' % width)
        image = render(width, height)
        image.save(path, 'BMP', dpi=(72, 72))
        print(path)
        if review:
            os.makedirs(review, exist_ok=True)
            image.save(os.path.join(review, 'vorlaks%d.png' % width))


if __name__ == '__main__':
    main(sys.argv[1:])
