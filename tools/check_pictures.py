#!/usr/bin/env python3
"""Checks the committed pictures against what the programs expect of them:
sizes and bit depths, the backdrop's web-safe palette, and the menu items'
transparent colour. Plain python3; exits non-zero and says why on a fault.
    python3 tools/check_pictures.py [RESOURCES_FOLDER]
"""
import os
import struct
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'resources')
KEY = (255, 0, 255)

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from menu_items import IMAGES as MENU_IMAGES, ITEMS as MENU_ITEMS  # noqa: E402

# file: (width, height, bits per pixel); each menu item's images are the
# size the window table gives them.
BITMAPS = {
    'about_flash.bmp': (127, 38, 24), 'about_shockwave.bmp': (127, 38, 24),
    'about_producer.bmp': (100, 62, 24), 'preview_still.bmp': (177, 161, 24),
    'menu/backdrop.bmp': (480, 360, 8),
    'wallpaper/vorlaks800.bmp': (800, 600, 24), 'wallpaper/vorlaks1024.bmp': (1024, 768, 24),
}
BITMAPS.update({image.file + '.bmp': (image.width, image.height, 24) for image in MENU_IMAGES})
# Where the menu window shows each big item: its picture, left and top, and
# its hover marker, which must find the item transparent under it.
BIG = [(os.path.basename(i.normal.file), i.normal, i.lit) for i in MENU_ITEMS if i.hover == 'marker']
# The backdrop's plain colour right of the title panel, whose gold edge
# leans one pixel left for every six down from x = 219 at the top.
PLAIN = (0, 0, 51)


def panel_right(y):
    return int(219 - y / 6.0) + 1
TWINS = [(i.normal.file, i.lit.file) for i in MENU_ITEMS if i.hover == 'swap']
# file: [(width, height, bits per pixel)] in the order of the icon directory
ICONS = {'vorsaver.ico': [(48, 48, 32), (32, 32, 32), (16, 16, 32), (48, 48, 24)],
         'menu/menu.ico': [(32, 32, 4), (16, 16, 4)]}

faults = []


def fault(name, why):
    faults.append('%s: %s' % (name, why))


def read_bmp(name):
    """(width, height, bits, palette, rows top to bottom of RGB tuples)."""
    data = open(os.path.join(ROOT, name), 'rb').read()
    magic, size, _, _, offset = struct.unpack_from('<2sIHHI', data)
    hsize, w, h, planes, bits, comp, _, _, _, used, _ = struct.unpack_from('<IiiHHIIiiII', data, 14)
    if magic != b'BM' or size != len(data) or hsize != 40 or planes != 1 or comp != 0 or h <= 0:
        fault(name, 'not a plain bottom-up BITMAPINFOHEADER bitmap')
    palette = [tuple(data[54 + 4 * i + k] for k in (2, 1, 0)) for i in range((used or 256) if bits == 8 else 0)]
    stride = (w * bits // 8 + 3) & ~3
    if offset + stride * h != len(data):
        fault(name, 'pixel data does not fill the file')
    rows = []
    for y in range(h):
        line = data[offset + (h - 1 - y) * stride:]
        if bits == 24:
            rows.append([(line[3 * x + 2], line[3 * x + 1], line[3 * x]) for x in range(w)])
        else:
            rows.append(list(line[:w]))
    return w, h, bits, palette, rows


def check_icon(name, expected):
    data = open(os.path.join(ROOT, name), 'rb').read()
    _, kind, count = struct.unpack_from('<HHH', data)
    found = []
    for i in range(count):
        w, h, colours, _, planes, bits, size, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        hsize, dw, dh, _, dbits = struct.unpack_from('<IiiHH', data, offset)
        stride = (w * bits + 31) // 32 * 4
        mask = (w + 31) // 32 * 4
        table = 4 * 16 if bits == 4 else 0
        if (hsize, dw, dh, dbits) != (40, w, 2 * h, bits) or size != 40 + table + (stride + mask) * h:
            fault(name, 'entry %d does not match its directory' % i)
        if colours != (16 if bits == 4 else 0):
            fault(name, 'entry %d gives %d colours' % (i, colours))
        found.append((w or 256, h or 256, bits))
    if kind != 1 or found != expected:
        fault(name, 'entries %s, expected %s' % (found, expected))


def main():
    global ROOT
    if len(sys.argv) > 1:
        ROOT = sys.argv[1]
    pictures = {}
    for name, expected in BITMAPS.items():
        w, h, bits, palette, rows = pictures[name] = read_bmp(name)
        if (w, h, bits) != expected:
            fault(name, '%dx%d %d-bit, expected %dx%d %d-bit' % ((w, h, bits) + expected))

    _, _, _, palette, indices = pictures['menu/backdrop.bmp']
    cube = {(r, g, b) for r in range(0, 256, 51) for g in range(0, 256, 51) for b in range(0, 256, 51)}
    if set(palette[:216]) != cube or any(p != (0, 0, 0) for p in palette[216:]):
        fault('menu/backdrop.bmp', 'palette is not the 216 web-safe colours, padded with black')
    if max(max(row) for row in indices) >= 216:
        fault('menu/backdrop.bmp', 'uses a colour outside the web-safe 216')
    backdrop = [[palette[i] for i in row] for row in indices]

    for name, (w, h, bits, _, rows) in pictures.items():
        if not name.startswith('menu/') or bits != 24:
            continue
        pixels = [p for row in rows for p in row]
        if KEY not in pixels:
            fault(name, 'has no transparent pixel')
        # A drawn pixel close to the key would be taken for it, or show as a pink fringe.
        if any(p != KEY and sum((a - b) ** 2 for a, b in zip(p, KEY)) < 90 ** 2 for p in pixels):
            fault(name, 'has a drawn pixel too close to the transparent colour')
    for name, item, lit in BIG:
        left, top, height, marker, mw = item.left, item.top, item.height, lit.left, lit.width
        rows = pictures[item.file + '.bmp'][4]
        if any(p != KEY for row in rows for p in row[marker - left:marker - left + mw]):
            fault(name, 'draws under its hover marker')
        # The whole rectangle answers the mouse, so all of it is drawn: by
        # the item, or under its marker by the backdrop.
        width = len(rows[0])
        gaps = [x for row in rows for x, p in enumerate(row) if p == KEY and not marker - left <= x < marker - left + mw]
        if gaps:
            fault(name, 'leaves %d pixels of its rectangle undrawn (first at x=%d)' % (len(gaps), left + gaps[0]))
        if any(backdrop[y][x] == PLAIN for y in range(top, top + height) for x in range(marker, marker + mw)):
            fault('menu/backdrop.bmp', 'shows no plate under the %s marker' % name)
        # Beside the rectangle, in the item's row, the backdrop is plain:
        # nothing there looks like part of the item and does not answer.
        beside = [(x, y) for y in range(top, top + height)
                  for x in list(range(panel_right(y), left)) + list(range(left + width, 480))
                  if backdrop[y][x] != PLAIN]
        if beside:
            fault('menu/backdrop.bmp', 'draws %d pixels beside %s in its row (first at %s)' % (len(beside), name, beside[0]))
    # One marker image serves every big item, so it must sit on the same backdrop at each.
    under = [[row[lit.left:lit.left + lit.width] for row in backdrop[lit.top:lit.top + lit.height]]
             for _, _, lit in BIG]
    if any(u != under[0] for u in under):
        fault('menu/backdrop.bmp', 'differs under the hover markers')
    for normal, lit in TWINS:
        if pictures[normal + '.bmp'][4] == pictures[lit + '.bmp'][4]:
            fault(lit, 'looks the same as %s' % normal)

    for name, expected in ICONS.items():
        check_icon(name, expected)

    for f in faults:
        print('FAULT', f)
    print('%d pictures and %d icons checked, %d faults' % (len(BITMAPS), len(ICONS), len(faults)))
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
