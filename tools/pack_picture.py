#!/usr/bin/env python3
"""Packs a plain bottom-up BMP (8 or 24 bits, uncompressed) into the programs'
picture resource: the bitmap's header and colour table as they are, then its
rows run-length coded. The programs unpack it into a DIB section
(common/packed_picture.cpp); Windows 95 has no decoder of its own for 24-bit
pictures, and unpacked the pictures would be most of each program's size.

    python3 tools/pack_picture.py IN.bmp OUT.vpk

Format: b"VPK1", BITMAPINFOHEADER (40 bytes), colour table, then units of one
pixel (1 or 3 bytes) over the rows bottom to top, without row padding:
a control byte c < 128 is followed by c + 1 pixels as they are; c >= 128 by
one pixel that stands c - 126 times (2 to 129).
"""
import struct
import sys


def pack_units(units):
    out = bytearray()
    literal = []

    def flush():
        while literal:
            chunk = literal[:128]
            del literal[:128]
            out.append(len(chunk) - 1)
            for unit in chunk:
                out.extend(unit)

    i = 0
    while i < len(units):
        run = 1
        while i + run < len(units) and run < 129 and units[i + run] == units[i]:
            run += 1
        if run >= 2:
            flush()
            out.append(run + 126)
            out.extend(units[i])
            i += run
        else:
            literal.append(units[i])
            i += 1
    flush()
    return bytes(out)


def pack(data):
    magic, _, _, _, offset = struct.unpack_from('<2sIHHI', data)
    hsize, w, h, planes, bits, comp, _, _, _, used, _ = struct.unpack_from('<IiiHHIIiiII', data, 14)
    if magic != b'BM' or hsize != 40 or planes != 1 or comp != 0 or w <= 0 or h <= 0 or bits not in (8, 24):
        raise ValueError('not a plain bottom-up 8- or 24-bit bitmap')
    size = bits // 8
    stride = (w * size + 3) & ~3
    units = []
    for y in range(h):
        row = data[offset + y * stride:offset + y * stride + w * size]
        units += [bytes(row[x * size:(x + 1) * size]) for x in range(w)]
    return b'VPK1' + data[14:offset] + pack_units(units)


def main():
    if len(sys.argv) != 3:
        sys.exit('usage: pack_picture.py IN.bmp OUT.vpk')
    with open(sys.argv[1], 'rb') as f:
        packed = pack(f.read())
    with open(sys.argv[2], 'wb') as f:
        f.write(packed)


if __name__ == '__main__':
    main()
