#!/usr/bin/env python3
"""Draws the theme pack's pictures from code and writes them to resources/.

Only the standard library: shapes are rasterised at 4x and averaged down, so
edges are smooth at the pictures' real sizes. Run it after changing a drawing:
    python3 tools/make_pictures.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.join(HERE, '..', 'resources')

# The team's colours.
NAVY = (11, 31, 75)
DEEP = (6, 16, 40)
GOLD = (242, 169, 0)
WHITE = (255, 255, 255)
ICE = (168, 200, 232)

SS = 4  # supersampling factor


class Canvas:
    """RGBA canvas at SS times the target size; coordinates are target pixels."""

    def __init__(self, width, height, background=(0, 0, 0, 0)):
        self.w, self.h = width, height
        self.px = [list(background) for _ in range(width * SS * height * SS)]

    def _blend(self, i, colour, alpha=255):
        r, g, b = colour[:3]
        a = alpha / 255.0
        p = self.px[i]
        out_a = a + p[3] / 255.0 * (1 - a)
        if out_a <= 0:
            return
        for k, c in enumerate((r, g, b)):
            p[k] = (c * a + p[k] * p[3] / 255.0 * (1 - a)) / out_a
        p[3] = out_a * 255.0

    def polygon(self, points, colour, alpha=255):
        """Fills a polygon (even-odd rule) given in target pixel coordinates."""
        pts = [(x * SS, y * SS) for x, y in points]
        W, H = self.w * SS, self.h * SS
        ys = [p[1] for p in pts]
        for y in range(max(0, int(min(ys))), min(H, int(max(ys)) + 1)):
            cy = y + 0.5
            xs = []
            for (x1, y1), (x2, y2) in zip(pts, pts[1:] + pts[:1]):
                if (y1 <= cy < y2) or (y2 <= cy < y1):
                    xs.append(x1 + (cy - y1) * (x2 - x1) / (y2 - y1))
            xs.sort()
            for a, b in zip(xs[::2], xs[1::2]):
                for x in range(max(0, int(a + 0.5)), min(W, int(b + 0.5))):
                    self._blend(y * W + x, colour, alpha)

    def ellipse(self, cx, cy, rx, ry, colour, alpha=255):
        W, H = self.w * SS, self.h * SS
        cx, cy, rx, ry = cx * SS, cy * SS, rx * SS, ry * SS
        for y in range(max(0, int(cy - ry)), min(H, int(cy + ry) + 1)):
            for x in range(max(0, int(cx - rx)), min(W, int(cx + rx) + 1)):
                dx, dy = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
                if dx * dx + dy * dy <= 1.0:
                    self._blend(y * W + x, colour, alpha)

    def rect(self, x, y, w, h, colour, alpha=255):
        self.polygon([(x, y), (x + w, y), (x + w, y + h), (x, y + h)], colour, alpha)

    def pixels(self):
        """Averages down to target size: rows of (r, g, b, a) top to bottom."""
        W = self.w * SS
        rows = []
        for ty in range(self.h):
            row = []
            for tx in range(self.w):
                acc = [0.0, 0.0, 0.0, 0.0]
                for sy in range(SS):
                    base = (ty * SS + sy) * W + tx * SS
                    for sx in range(SS):
                        p = self.px[base + sx]
                        w = p[3]
                        acc[0] += p[0] * w
                        acc[1] += p[1] * w
                        acc[2] += p[2] * w
                        acc[3] += w
                n = SS * SS
                if acc[3] > 0:
                    row.append((round(acc[0] / acc[3]), round(acc[1] / acc[3]),
                                round(acc[2] / acc[3]), round(acc[3] / n)))
                else:
                    row.append((0, 0, 0, 0))
            rows.append(row)
        return rows


def dib_32(rows):
    """A BITMAPINFOHEADER + 32-bit BGRA bottom-up pixels + AND mask, for ICO."""
    h, w = len(rows), len(rows[0])
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    data = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            data += bytes((b, g, r, a))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(data) + bytes(mask)


def write_ico(path, images):
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for rows in images:
        blob = dib_32(rows)
        h, w = len(rows), len(rows[0])
        entries.append(struct.pack('<BBBBHHII', w % 256, h % 256, 0, 0, 1, 32, len(blob), offset))
        offset += len(blob)
        blobs.append(blob)
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, 1, len(images)))
        for e in entries:
            f.write(e)
        for b in blobs:
            f.write(b)


def write_png(path, rows):
    """A plain RGBA PNG, for looking at a picture."""
    import zlib
    h, w = len(rows), len(rows[0])
    raw = b''.join(b'\0' + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0)))
        f.write(chunk(b'IDAT', zlib.compress(raw, 9)))
        f.write(chunk(b'IEND', b''))


def draw_badge(size):
    """The team badge: a navy disc in a gold ring, a gold V with a white claw."""
    c = Canvas(size, size)
    m = size / 2.0
    c.ellipse(m, m, m - 0.5, m - 0.5, GOLD)
    c.ellipse(m, m, m * 0.84, m * 0.84, NAVY)
    s = size / 48.0
    # The V: two bars meeting at the bottom.
    c.polygon([(11 * s, 12 * s), (18.5 * s, 12 * s), (24 * s, 29 * s), (29.5 * s, 12 * s),
               (37 * s, 12 * s), (27.5 * s, 37 * s), (20.5 * s, 37 * s)], GOLD)
    # Three claw marks across it.
    for k in range(3):
        x0 = 14 * s + k * 6 * s
        c.polygon([(x0, 27 * s), (x0 + 11 * s, 16 * s), (x0 + 12.5 * s, 17.5 * s),
                   (x0 + 1.5 * s, 28.5 * s)], WHITE, 235)
    return c.pixels()


def main():
    os.makedirs(RESOURCES, exist_ok=True)
    badges = [draw_badge(s) for s in (48, 32, 16)]
    write_ico(os.path.join(RESOURCES, 'vorsaver.ico'), badges)
    print('wrote resources/vorsaver.ico')


if __name__ == '__main__':
    main()
