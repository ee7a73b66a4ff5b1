#!/usr/bin/env python3
"""Checks the committed pictures against what the programs expect of them:
sizes and bit depths, the backdrop's web-safe palette, the menu items'
transparent colour, their text's contrast at 16 colours, and the icons'
images for every shell. Plain python3; exits non-zero and says why on a fault.
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
# file: [(width, height, bits per pixel)] in the order of the icon directory.
# Windows 95 and NT 4 show icons at 4 bits (the shell's icon depth) unless
# the user changes it, and none deeper than the screen: every icon carries
# 32 x 32 and 16 x 16 at 4 and 8 bits beside any larger ones.
ICONS = {'vorsaver.ico': [(48, 48, 32), (32, 32, 32), (16, 16, 32), (48, 48, 24),
                          (32, 32, 8), (16, 16, 8), (32, 32, 4), (16, 16, 4)],
         'menu/menu.ico': [(32, 32, 8), (16, 16, 8), (32, 32, 4), (16, 16, 4)]}
FOR_OLD_SHELLS = {(32, 32, 4), (16, 16, 4), (32, 32, 8), (16, 16, 8)}
VGA = {(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
       (255, 0, 255), (0, 255, 255), (255, 255, 255)}

# At 16 colours (VGA before the video card's driver is in, or Safe Mode)
# Windows shows each colour as the nearest of the sixteen. Text is where a
# small block spans a wide range of lightness; there it keeps this share of
# its range at least, and enough to be read.
VGA_BLOCK = 5
TEXT_RANGE = 96
KEPT_AT_16 = 0.5
LEAST_AT_16 = 48

faults = []


def lightness(c):
    return 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]


def vga_nearest(c, cache={}):
    if c not in cache:
        cache[c] = min(VGA, key=lambda p: 3 * (p[0] - c[0]) ** 2 + 4 * (p[1] - c[1]) ** 2 + 2 * (p[2] - c[2]) ** 2)
    return cache[c]


def check_contrast_at_16(name, rows):
    """The worst text block's share of its lightness range kept at 16 colours."""
    worst, where = None, None
    b = VGA_BLOCK
    for top in range(0, len(rows) - b + 1, b):
        for left in range(0, len(rows[0]) - b + 1, b):
            block = [rows[y][x] for y in range(top, top + b) for x in range(left, left + b)]
            shades = [lightness(c) for c in block]
            spread = max(shades) - min(shades)
            if spread < TEXT_RANGE:
                continue
            mapped = [lightness(vga_nearest(c)) for c in block]
            kept = max(mapped) - min(mapped)
            if kept < LEAST_AT_16 or kept < KEPT_AT_16 * spread:
                fault(name, 'text at %d,%d loses its contrast at 16 colours (%.0f of %.0f)' % (left, top, kept, spread))
                return


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


def icon_pixels(data, offset, w, h, bits):
    """An icon entry's colours (RGB, or RGBA at 32 bits) and its AND mask,
    rows top to bottom."""
    colours = 1 << bits if bits <= 8 else 0
    table = [tuple(data[offset + 40 + 4 * i + k] for k in (2, 1, 0)) for i in range(colours)]
    start = offset + 40 + 4 * colours
    stride = (w * bits + 31) // 32 * 4
    mask_start = start + stride * h
    mask_stride = (w + 31) // 32 * 4
    image, mask = [], []
    for y in range(h):
        line = data[start + (h - 1 - y) * stride:]
        bits_line = data[mask_start + (h - 1 - y) * mask_stride:]
        mask.append([bool(bits_line[x // 8] >> (7 - x % 8) & 1) for x in range(w)])
        if bits == 32:
            image.append([(line[4 * x + 2], line[4 * x + 1], line[4 * x], line[4 * x + 3]) for x in range(w)])
        elif bits == 24:
            image.append([(line[3 * x + 2], line[3 * x + 1], line[3 * x]) for x in range(w)])
        elif bits == 8:
            image.append([table[line[x]] for x in range(w)])
        else:
            image.append([table[line[x // 2] >> (4 if x % 2 == 0 else 0) & 15] for x in range(w)])
    return image, mask


def check_icon(name, expected):
    data = open(os.path.join(ROOT, name), 'rb').read()
    _, kind, count = struct.unpack_from('<HHH', data)
    found = []
    for i in range(count):
        w, h, colours, _, planes, bits, size, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        hsize, dw, dh, _, dbits = struct.unpack_from('<IiiHH', data, offset)
        stride = (w * bits + 31) // 32 * 4
        mask = (w + 31) // 32 * 4
        table = 4 * (1 << bits) if bits <= 8 else 0
        if (hsize, dw, dh, dbits) != (40, w, 2 * h, bits) or size != 40 + table + (stride + mask) * h:
            fault(name, 'entry %d does not match its directory' % i)
            continue
        if colours != (16 if bits == 4 else 0):
            fault(name, 'entry %d gives %d colours' % (i, colours))
        found.append((w or 256, h or 256, bits))
        what = '%s %dx%d %d-bit' % (name, w, h, bits)
        image, and_mask = icon_pixels(data, offset, w, h, bits)
        through = sum(row.count(True) for row in and_mask)
        # A true mask: the screen shows through the badge's corners, and only there.
        if not 0 < through < w * h // 2:
            fault(what, 'its AND mask shows the screen through at %d of %d pixels' % (through, w * h))
        cells = [(x, y, image[y][x], and_mask[y][x]) for y in range(h) for x in range(w)]
        if bits == 32:
            wrong = [(x, y) for x, y, p, through in cells if through != (p[3] < 128)]
            if wrong:
                fault(what, 'its AND mask and its alpha disagree at %d,%d' % wrong[0])
        else:
            # Drawn by AND with the mask and XOR with the picture: a colour
            # under the mask would tint the screen beneath.
            wrong = [(x, y) for x, y, p, through in cells if through and p != (0, 0, 0)]
            if wrong:
                fault(what, 'is not black under its AND mask at %d,%d' % wrong[0])
        if bits == 4 and any(p not in VGA for row in image for p in row):
            fault(what, 'uses a colour that is not one of the 16 VGA colours')
    if kind != 1 or found != expected:
        fault(name, 'entries %s, expected %s' % (found, expected))
    if not FOR_OLD_SHELLS <= set(found):
        fault(name, 'lacks %s, which Windows 95 and NT 4 show' % sorted(FOR_OLD_SHELLS - set(found)))


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
    # Each item as the menu shows it on its plain backdrop, at 16 colours.
    for name, (w, h, bits, _, rows) in pictures.items():
        if name.startswith('menu/') and bits == 24:
            check_contrast_at_16(name, [[PLAIN if p == KEY else p for p in row] for row in rows])
    check_contrast_at_16('menu/backdrop.bmp', backdrop)
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
