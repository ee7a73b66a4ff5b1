#!/usr/bin/python3
"""Draws the setup programs' picture, the band down the left of their
window: resources/setup/side.bmp (164 x 314, 24 bits), in the team's
colours: a night-blue ice sheet with its lines, the team's gold shield with
its V, and the pack's name.

    /usr/bin/python3 tools/make_setup_pictures.py [OUT_FOLDER]
"""
import os
import sys

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from team_colours import DEEP_NAVY, GOLD, ICE, NAVY, WHITE  # noqa: E402

WIDTH, HEIGHT = 164, 314
FONT = '/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf'


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def font(size):
    try:
        return ImageFont.truetype(FONT, size)
    except OSError:
        return ImageFont.load_default()


def side():
    picture = Image.new('RGB', (WIDTH, HEIGHT))
    draw = ImageDraw.Draw(picture)
    # Night sky above, the ice below, darker towards the edges.
    for y in range(HEIGHT):
        draw.line([(0, y), (WIDTH, y)], fill=mix(NAVY, DEEP_NAVY, y / HEIGHT))
    # The rink's lines seen from above: centre circle and blue lines in ice.
    draw.ellipse([-40, 196, WIDTH + 40, 330], outline=mix(ICE, NAVY, 0.55), width=2)
    for y in (214, 236):
        draw.line([(0, y), (WIDTH, y)], fill=mix(ICE, NAVY, 0.65), width=1)
    # Stars.
    for x, y in ((18, 20), (140, 34), (96, 12), (30, 70), (150, 96), (8, 140), (120, 150)):
        draw.point((x, y), fill=ICE)
        draw.point((x + 1, y), fill=mix(ICE, NAVY, 0.5))
    # The shield: gold rim, navy field, the V in gold.
    cx, top = WIDTH // 2, 44
    shield = [(cx - 46, top), (cx + 46, top), (cx + 46, top + 58), (cx, top + 108), (cx - 46, top + 58)]
    draw.polygon(shield, fill=GOLD)
    inner = [(cx - 39, top + 7), (cx + 39, top + 7), (cx + 39, top + 55), (cx, top + 98), (cx - 39, top + 55)]
    draw.polygon(inner, fill=NAVY)
    v = [(cx - 30, top + 18), (cx - 14, top + 18), (cx, top + 60), (cx + 14, top + 18), (cx + 30, top + 18),
         (cx + 7, top + 82), (cx - 7, top + 82)]
    draw.polygon(v, fill=GOLD)
    # Two sticks crossed behind the shield's foot.
    for sign in (-1, 1):
        draw.line([(cx - sign * 60, top + 150), (cx + sign * 30, top + 92)], fill=WHITE, width=4)
        draw.line([(cx - sign * 60, top + 150), (cx - sign * 74, top + 150)], fill=WHITE, width=4)
    draw.polygon(shield, outline=mix(GOLD, WHITE, 0.4))
    # The name.
    for text, y, size, colour in (('TARROWICK', 236, 17, WHITE), ('VORLAKS', 256, 24, GOLD),
                                  ('THEME PACK', 290, 11, ICE)):
        face = font(size)
        box = draw.textbbox((0, 0), text, font=face)
        draw.text(((WIDTH - (box[2] - box[0])) // 2 - box[0], y), text, font=face, fill=colour)
    return picture


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, 'resources', 'setup')
    os.makedirs(out, exist_ok=True)
    side().save(os.path.join(out, 'side.bmp'))


if __name__ == '__main__':
    main()
