#!/usr/bin/env python3
"""Draws the theme pack's pictures from code and writes them to resources/.

Needs Debian's python3 with Pillow and the DejaVu fonts:
    apt-get install python3-pil fonts-dejavu-core
Pillow serves /usr/bin/python3; a `python3` earlier on PATH may be another
interpreter without it. Pillow draws every shape (at SS times the size and
averaged down, so edges are smooth), sets the words through FreeType
(hinted, so small text stays crisp) and writes the bitmaps. The same Pillow
and fonts give the same bytes on every run. Run it after changing a drawing:
    /usr/bin/python3 tools/make_pictures.py                 # writes resources/
    /usr/bin/python3 tools/make_pictures.py --review DIR    # also PNG previews in DIR

What it writes:
    resources/vorsaver.ico          the saver's badge: 48/32/16 32-bit, 48 24-bit, 32/16 8- and 4-bit
    resources/about_flash.bmp       127 x 38, 24-bit, link badge on white
    resources/about_shockwave.bmp   127 x 38, 24-bit, link badge on white
    resources/about_producer.bmp    100 x 62, 24-bit, the producer's badge
    resources/preview_still.bmp     177 x 161, 24-bit, the Display Properties still
    resources/menu/backdrop.bmp     480 x 360, 8-bit, web-safe 6x6x6 palette
    resources/menu/*1.bmp, *2.bmp   menu items, 24-bit, magenta = transparent
    resources/menu/marker.bmp       22 x 24, 24-bit, magenta = transparent
    resources/menu/menu.ico         32 and 16 in the standard VGA colours, 4- and 8-bit
"""
import io
import math
import os
import struct
import sys

try:
    from PIL import Image, ImageChops, ImageDraw, ImageFont
except ImportError:
    sys.exit('make_pictures: Pillow is needed: apt-get install python3-pil, and run /usr/bin/python3')

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
RESOURCES = os.path.join(HERE, '..', 'resources')
MENU = os.path.join(RESOURCES, 'menu')
FONTS = '/usr/share/fonts/truetype/dejavu'

from board_layout import LAYOUT as BOARD  # noqa: E402
from menu_items import ITEMS as MENU_ITEMS  # noqa: E402
from team_colours import DEEP_NAVY as DEEP, GOLD, ICE, NAVY, SHADOW, WHITE  # noqa: E402

BLACK = (0, 0, 0)

# The item images' transparent colour; nothing drawn may come out as it.
KEY = (255, 0, 255)

# Colours of the web-safe cube that the menu backdrop is made of. Flat areas
# use them exactly, so only gradients are dithered.
CUBE_DEEP = (0, 0, 51)
CUBE_NAVY = (0, 51, 102)
CUBE_ICE = (153, 204, 255)
CUBE_GOLD = (255, 204, 0)


def mix(a, b, t):
    return tuple(a[k] + (b[k] - a[k]) * t for k in range(3))


def rgb(colour):
    return tuple(int(round(v)) for v in colour)


def scaled_mask(mask, share):
    return mask if share >= 1 else mask.point(lambda v: int(round(v * share)))


def threshold(mask, at):
    """255 where `mask` is at least `at`, 0 elsewhere."""
    return mask.point(lambda v: 255 if v >= at else 0)


# --- Shapes ----------------------------------------------------------------
#
# A shape is a list of contours (lists of points in pixel coordinates),
# filled by the even-odd rule, so a contour inside another cuts a hole.

SS = 8  # supersampling factor


def coverage(contours, width, height, samples=SS):
    """How much of each pixel the shape covers, as a width x height mask
    (0 none .. 255 all): drawn `samples` times larger and averaged down."""
    points = [p for c in contours for p in c]
    if not points:
        return Image.new('L', (width, height), 0)
    left = max(0, int(math.floor(min(x for x, _ in points))))
    top = max(0, int(math.floor(min(y for _, y in points))))
    right = min(width, int(math.ceil(max(x for x, _ in points))))
    bottom = min(height, int(math.ceil(max(y for _, y in points))))
    mask = Image.new('L', (width, height), 0)
    if right <= left or bottom <= top:
        return mask
    # One sample more each way than the area: Pillow fills a polygon's last
    # column and row too, which the erosion below takes off again.
    size = ((right - left) * samples + 1, (bottom - top) * samples + 1)
    big = None
    for contour in contours:
        one = Image.new('1', size, 0)
        ImageDraw.Draw(one).polygon([((x - left) * samples, (y - top) * samples) for x, y in contour], fill=1)
        big = one if big is None else ImageChops.logical_xor(big, one)
    # A sample stays filled only when the one right of it and the one below
    # it are filled too, so a box from 0 to 1 covers `samples` samples, not one more.
    big = ImageChops.logical_and(big, big.crop((1, 0, size[0] + 1, size[1])))
    big = ImageChops.logical_and(big, big.crop((0, 1, size[0], size[1] + 1)))
    small = big.convert('L').crop((0, 0, size[0] - 1, size[1] - 1)).reduce(samples)
    mask.paste(small, (left, top))
    return mask


def box(left, top, right, bottom):
    return [[(left, top), (right, top), (right, bottom), (left, bottom)]]


def slanted(left, top, right, bottom, slant):
    """A box whose sides lean right by `slant` over its height, like the board's."""
    return [[(left + slant, top), (right + slant, top), (right, bottom), (left, bottom)]]


def circle(cx, cy, r, steps=64):
    return [[(cx + r * math.cos(2 * math.pi * i / steps), cy + r * math.sin(2 * math.pi * i / steps))
             for i in range(steps)]]


def rounded(left, top, right, bottom, r):
    pts = []
    for cx, cy, start in ((right - r, top + r, -90), (right - r, bottom - r, 0),
                          (left + r, bottom - r, 90), (left + r, top + r, 180)):
        for i in range(9):
            a = math.radians(start + i * 90 / 8)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return [pts]


def _scaled(outline, x, y, width, aspect):
    return [[(x + px * width, y + py * width * aspect) for px, py in outline]]


# The crest and the day board are the saver's own (vorsaver/board/board_layout.tsv).
CREST_ASPECT = BOARD['crest_aspect']
SHIELD = BOARD['shield_outline']
CHEVRON = BOARD['chevron_outline']


def shield(x, y, width):
    return _scaled(SHIELD, x, y, width, CREST_ASPECT)


def chevron(x, y, width):
    return _scaled(CHEVRON, x, y, width, CREST_ASPECT)




class Gradient:
    """A paint that runs from one colour at y0 to another at y1."""

    def __init__(self, top_colour, bottom_colour, y0, y1):
        self.top, self.bottom, self.y0 = top_colour, bottom_colour, y0
        self.span = float(y1 - y0) or 1.0

    def at(self, y):
        return mix(self.top, self.bottom, min(1.0, max(0.0, (y + 0.5 - self.y0) / self.span)))

    def image(self, width, height):
        column = Image.new('RGB', (1, height))
        column.putdata([rgb(self.at(y)) for y in range(height)])
        return column.resize((width, height), Image.NEAREST)


def vgrad(top_colour, bottom_colour, y0, y1):
    return Gradient(top_colour, bottom_colour, y0, y1)


class Canvas:
    """A transparent RGBA picture that shapes are laid over, for icons: laid
    over one another at SS times the size, where each sample is in or out of
    a shape, and averaged down (weighted by alpha) at the end."""

    def __init__(self, width, height):
        self.size = (width, height)
        self.big = Image.new('RGBA', (width * SS, height * SS), (0, 0, 0, 0))

    def fill(self, contours, colour, alpha=255):
        scaled = [[(x * SS, y * SS) for x, y in c] for c in contours]
        inside = threshold(coverage(scaled, *self.big.size, samples=1), 128)
        layer = Image.new('RGBA', self.big.size, rgb(colour) + (0,))
        layer.putalpha(scaled_mask(inside, alpha / 255.0))
        self.big = Image.alpha_composite(self.big, layer)

    @property
    def image(self):
        return self.big.convert('RGBa').reduce(SS).convert('RGBA')


# --- Text ------------------------------------------------------------------

class Words:
    """A line of text as glyph coverage, set once by FreeType."""

    _cache = {}

    def __new__(cls, text, font, size, tracking=0.0):
        key = (text, font, size, tracking)
        if key not in cls._cache:
            obj = super().__new__(cls)
            obj._render(text, font, size, tracking)
            cls._cache[key] = obj
        return cls._cache[key]

    def _render(self, text, font, size, tracking):
        path = os.path.join(FONTS, font + '.ttf')
        if not os.path.exists(path):
            sys.exit('make_pictures: font %s is missing (apt-get install fonts-dejavu-core)' % path)
        face = ImageFont.truetype(path, int(size), layout_engine=ImageFont.Layout.RAQM)
        pad = int(size) + 4
        w = int(len(text) * (size + tracking + 2)) + 2 * pad
        h = int(size * 2) + 2 * pad
        self.base = pad + int(size * 1.3)
        self.mask = Image.new('L', (w, h), 0)
        # Letter by letter, each where the font's advances and kerning put
        # it plus the tracking before it. Pillow sets a glyph on whole
        # pixels only, so the rest of the way is a shift between pixels:
        # without it the gaps between small letters come out uneven.
        margin = int(size)
        for i, letter in enumerate(text):
            if letter.isspace():
                continue
            x = pad + face.getlength(text[:i + 1]) - face.getlength(letter) + i * tracking
            whole = int(math.floor(x))
            glyph = Image.new('L', (int(size * 2) + 2 * margin, h), 0)
            ImageDraw.Draw(glyph).text((margin, self.base), letter, fill=255, font=face, anchor='ls')
            if x > whole:
                glyph = glyph.transform(glyph.size, Image.AFFINE, (1, 0, whole - x, 0, 1, 0), Image.BILINEAR)
            placed = Image.new('L', (w, h), 0)
            placed.paste(glyph, (whole - margin, 0))
            self.mask = ImageChops.lighter(self.mask, placed)
        ink = self.mask.getbbox()
        self.x0, self.y0, self.x1, self.y1 = ink if ink else (pad, self.base, pad, self.base)

    @property
    def width(self):
        return self.x1 - self.x0


# Fonts, named by their DejaVu file names.
BOLD = 'DejaVuSans-Bold'
CONDENSED = 'DejaVuSansCondensed-Bold'
BOOK = 'DejaVuSans'
OBLIQUE = 'DejaVuSans-BoldOblique'


class Picture:
    """An opaque RGB picture; `drawn` remembers how much paint each pixel took."""

    def __init__(self, width, height, colour=BLACK):
        self.w, self.h = width, height
        self.image = Image.new('RGB', (width, height), rgb(colour))
        self.drawn = Image.new('L', (width, height), 0)
        # Which pixels the menu backdrop dithers (255): gradients only; flat
        # colours and words are mapped to their nearest cube colour and stay crisp.
        self.dither = Image.new('L', (width, height), 0)

    @classmethod
    def from_image(cls, image):
        pic = cls(*image.size)
        pic.image = image.convert('RGB')
        return pic

    def _put(self, paint, mask):
        if isinstance(paint, Gradient):
            self.image.paste(paint.image(self.w, self.h), (0, 0), mask)
        else:
            self.image.paste(rgb(paint), (0, 0, self.w, self.h), mask)
        self.drawn = ImageChops.lighter(self.drawn, mask)

    def fill(self, contours, paint, opacity=1.0):
        mask = scaled_mask(coverage(contours, self.w, self.h), opacity)
        self._put(paint, mask)
        self.dither.paste(255 if isinstance(paint, Gradient) else 0, (0, 0, self.w, self.h), threshold(mask, 128))

    def text(self, words, x, baseline, paint, align='left', opacity=1.0):
        """Puts `words` with its ink's left (right, centre) edge at x, on the baseline."""
        if align == 'left':
            dx = int(round(x)) - words.x0
        elif align == 'right':
            dx = int(round(x)) - words.x1
        else:
            dx = int(round(x - (words.x0 + words.x1) / 2.0))
        dy = int(round(baseline)) - words.base
        mask = Image.new('L', (self.w, self.h), 0)
        mask.paste(scaled_mask(words.mask, opacity), (dx, dy))
        self._put(paint, mask)
        self.dither.paste(0, (0, 0, self.w, self.h), threshold(mask, 1))

    def crop(self, x, y, w, h):
        return Picture.from_image(self.image.crop((x, y, x + w, y + h)))


def ink_width(text, font, size, tracking=0.0):
    return Words(text, font, size, tracking).width


def fit_size(text, font, size, tracking, width, smallest):
    """The largest whole size, down to `smallest`, at which the text fits the width."""
    while size > smallest and ink_width(text, font, size, tracking) > width:
        size -= 1
    return size


# --- Files -----------------------------------------------------------------

def bmp(image):
    """A plain bottom-up BMP, as Windows 95 reads it: 24-bit for RGB, 8-bit
    with a 256-entry colour table for a palette image."""
    out = io.BytesIO()
    image.save(out, 'BMP', dpi=(72, 72))
    return out.getvalue()


def icon_dib(image, transparent):
    """An icon entry's bitmap: Pillow's DIB of `image` with its height doubled
    for the AND mask that follows (set bits, from `transparent`, show the
    screen through). Pillow's own icon writer leaves the mask empty and
    writes no 4-bit entries, which Windows 95 needs."""
    out = io.BytesIO()
    image.save(out, 'DIB')
    data = bytearray(out.getvalue())
    # Height doubled; image size and resolution left 0, as icon entries have them.
    struct.pack_into('<i', data, 8, image.height * 2)
    struct.pack_into('<Iii', data, 20, 0, 0, 0)
    mask = io.BytesIO()
    transparent.convert('1').save(mask, 'DIB')
    return bytes(data) + mask.getvalue()[40 + 2 * 4:]  # past the header and two colours


def icon_dib_palette(image, transparent, bits):
    """The same for a palette image of 16 or 256 colours (4 or 8 bits)."""
    w, h = image.size
    colours = 1 << bits
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    palette = (image.getpalette() + [0] * 768)[:3 * colours]
    table = b''.join(bytes((palette[i + 2], palette[i + 1], palette[i], 0)) for i in range(0, 3 * colours, 3))
    stride = ((w * bits + 31) // 32) * 4
    pixels = image.tobytes('raw', ('P;4' if bits == 4 else 'P', stride, -1))
    mask = io.BytesIO()
    transparent.convert('1').save(mask, 'DIB')
    return header + table + pixels + mask.getvalue()[40 + 2 * 4:]


def ico(entries):
    """An icon file from (width, height, colour count, bits per pixel, DIB)
    entries, in the order given."""
    out = bytearray(struct.pack('<HHH', 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for w, h, colours, bits, blob in entries:
        out += struct.pack('<BBBBHHII', w % 256, h % 256, colours, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    for *_, blob in entries:
        out += blob
    return bytes(out)


# --- Icons -----------------------------------------------------------------

def draw_badge(size, claws=True):
    """The team badge: a navy disc in a gold ring, a gold V with a white claw."""
    c = Canvas(size, size)
    m = size / 2.0
    c.fill(circle(m, m, m - 0.5, 128), GOLD)
    c.fill(circle(m, m, m * 0.84, 128), NAVY)
    s = size / 48.0
    # The V: two bars meeting at the bottom.
    c.fill([[(11 * s, 12 * s), (18.5 * s, 12 * s), (24 * s, 29 * s), (29.5 * s, 12 * s),
             (37 * s, 12 * s), (27.5 * s, 37 * s), (20.5 * s, 37 * s)]], GOLD)
    if not claws:
        return c.image
    # Three claw marks across it.
    for k in range(3):
        x0 = 14 * s + k * 6 * s
        c.fill([[(x0, 27 * s), (x0 + 11 * s, 16 * s), (x0 + 12.5 * s, 17.5 * s),
                 (x0 + 1.5 * s, 28.5 * s)]], WHITE, 235)
    return c.image


# Where a 24-bit icon has half-covered edge pixels it has no alpha to fade
# them with; they are mixed with the dialog grey they will mostly sit on.
ICON_FACE = (192, 192, 192)


def on_face(badge):
    """The badge mixed with the dialog grey, and where it is transparent."""
    alpha = badge.getchannel('A')
    flat = Image.new('RGB', badge.size, ICON_FACE)
    flat.paste(badge.convert('RGB'), (0, 0), alpha)
    return flat, alpha.point(lambda a: 255 if a < 128 else 0)


VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
       (255, 0, 255), (0, 255, 255), (255, 255, 255)]
# The few VGA colours that the badge may turn into; the others would only
# bring in stray hues at its edges.
BADGE_VGA = (0, 3, 4, 7, 8, 11, 15)


def badge_4(badge):
    """The badge in the standard VGA colours (index 0 where transparent).
    Each pixel takes the nearest of the few colours, the lighter one where
    two are as near, so that no edge pixel darkens into a black speck.
    (Pillow's quantizer looks colours up in a coarser cache.)"""
    flat, transparent = on_face(badge)

    def nearest(c):
        return min(reversed(BADGE_VGA), key=lambda i: sum((VGA[i][k] - c[k]) ** 2 for k in range(3)))
    vga = Image.new('P', badge.size)
    vga.putdata([nearest(p) for p in flat.getdata()])
    vga.paste(0, (0, 0) + vga.size, transparent)
    vga.putpalette([v for c in VGA for v in c])
    return vga, transparent


def black_under(flat, transparent):
    """The picture black where the mask shows the screen through: Windows
    draws an icon by AND with its mask, then XOR with its picture, so any
    other colour there would tint what lies beneath."""
    image = flat.copy()
    image.paste(BLACK, (0, 0) + image.size, transparent)
    return image


def badge_8(badge):
    """The badge in 256 colours of its own (index 0 black, where
    transparent), for screens of 256 colours."""
    flat, transparent = on_face(badge)
    image = black_under(flat, transparent).quantize(255, method=Image.MEDIANCUT, dither=Image.NONE)
    # Black first, so that the transparent pixels are index 0.
    palette = [0, 0, 0] + image.getpalette()[:3 * 255]
    indexed = Image.new('P', badge.size)
    indexed.putdata([i + 1 for i in image.getdata()])
    indexed.paste(0, (0, 0) + indexed.size, transparent)
    indexed.putpalette(palette)
    return indexed, transparent


def as_8_bits(vga):
    """A 16-colour image as an 8-bit one of the same colours."""
    image = vga.copy()
    image.putpalette(vga.getpalette()[:48] + [0] * (768 - 48))
    return image


# Windows 95 and NT 4 draw icons at the shell's icon depth, 16 colours unless
# the user changes it, and at the screen's depth where that is less: each icon
# carries 32 x 32 and 16 x 16 at 4 and 8 bits beside the 32-bit ones that
# today's Windows shows.
def saver_icon():
    badges = [draw_badge(s) for s in (48, 32, 16)]
    entries = [(b.width, b.height, 0, 32, icon_dib(b, on_face(b)[1])) for b in badges]
    flat, transparent = on_face(badges[0])
    entries.append((48, 48, 0, 24, icon_dib(black_under(flat, transparent), transparent)))
    for b in badges[1:]:
        entries.append((b.width, b.height, 0, 8, icon_dib_palette(*badge_8(b), 8)))
    for b in badges[1:]:
        entries.append((b.width, b.height, 16, 4, icon_dib_palette(*badge_4(b), 4)))
    return ico(entries), flat


def menu_icon():
    """The menu's badge is drawn for 16 colours, and keeps that look at every
    depth: its 8-bit images hold the same pixels."""
    entries, previews = [], []
    small = [badge_4(draw_badge(size, claws)) for size, claws in ((32, True), (16, False))]
    for vga, transparent in small:
        entries.append((vga.width, vga.height, 0, 8, icon_dib_palette(as_8_bits(vga), transparent, 8)))
    for vga, transparent in small:
        entries.append((vga.width, vga.height, 16, 4, icon_dib_palette(vga, transparent, 4)))
        preview = vga.convert('RGB')
        preview.paste(ICON_FACE, (0, 0) + vga.size, transparent)
        previews.append(preview)
    return ico(entries), previews


# --- About dialog ----------------------------------------------------------

def lightning(cx, cy):
    bolt = [(1.5, -10), (-6, 1.5), (-0.5, 1.5), (-2.5, 10), (6, -2), (0.8, -2), (4, -10)]
    return [[(cx + 1.15 * x, cy + 1.15 * y) for x, y in bolt]]


def waves(cx, cy):
    """Two parallel swells, a plain sign for sound and motion."""
    shapes = []
    for off in (-3.2, 3.2):
        top, bottom = [], []
        for i in range(25):
            x = cx - 8.5 + 17.0 * i / 24
            y = cy + off + 2.6 * math.sin((x - cx) / 17.0 * 2 * math.pi)
            top.append((x, y - 1.4))
            bottom.append((x, y + 1.4))
        shapes.append(top + bottom[::-1])
    return shapes


# Both badges name their player in one size, the size that fits the longer name.
BADGE_NAMES = ('FLASH', 'SHOCKWAVE')


def about_badge(glyph, name):
    """A link badge on the dialog's white: a gold disc with a sign, and the player's name."""
    pic = Picture(127, 38, WHITE)
    pic.fill(rounded(1.5, 1.5, 126.5, 37.5, 6), SHADOW, 0.22)
    pic.fill(rounded(0.5, 0.5, 125.5, 36.5, 6), vgrad(mix(NAVY, ICE, 0.22), DEEP, 0, 37))
    pic.fill(box(6, 1, 120, 2), ICE, 0.35)
    pic.fill(circle(19, 18.5, 13), vgrad(mix(GOLD, WHITE, 0.3), GOLD, 5, 32))
    pic.fill(glyph(19, 18.5), DEEP)
    pic.fill(box(37, 7, 38, 30), ICE, 0.35)
    left, room = 44, 127 - 44 - 6
    pic.text(Words('GET THE', CONDENSED, 8, 1.5), left, 11, ICE)
    size = min(fit_size(n, CONDENSED, 14, 0.5, room, 10) for n in BADGE_NAMES)
    pic.text(Words(name, CONDENSED, size, 0.5), left, 24, WHITE)
    pic.text(Words('PLAYER', CONDENSED, 8, 2.5), left, 33, GOLD)
    return pic


def speed_stripes(pic, x, top, bottom, width, gap, slant, opacities, paint=GOLD):
    for i, a in enumerate(opacities):
        left = x + i * (width + gap)
        pic.fill(slanted(left, top, left + width, bottom, slant), paint, a)


def producer_badge():
    """The producer's mark: a slanted monogram over the company name, on its own navy."""
    pic = Picture(100, 62, DEEP)
    pic.fill(box(0, 0, 100, 62), vgrad(mix(NAVY, ICE, 0.2), DEEP, 0, 62))
    pic.fill(box(0, 0, 100, 1), ICE, 0.35)
    speed_stripes(pic, 70, 8, 36, 4, 3, 8, (0.35, 0.35, 0.9))
    pic.text(Words('TV', OBLIQUE, 30, 0), 42, 35, WHITE, align='centre')
    pic.fill(box(0, 40, 100, 43), vgrad(mix(GOLD, WHITE, 0.2), GOLD, 40, 43))
    pic.fill(box(0, 43, 100, 44), SHADOW, 0.45)
    pic.text(Words('INTERACTIVE', CONDENSED, 10, 2), 50, 56, WHITE, align='centre')
    pic.fill(box(0, 61, 100, 62), SHADOW, 0.5)
    return pic


# --- Preview still ---------------------------------------------------------

def draw_crest(pic, x, y, width, flat=False):
    """The crest of the saver's day board: a gold shield, navy inside, a white
    chevron. Flat, it is made of web-safe colours only, for the menu backdrop."""
    height = width * CREST_ASPECT
    inset = width * BOARD['crest_inset']
    offset = max(1.0, width * 0.04)
    if flat:
        shadow, ring, inside, mark = CUBE_DEEP, CUBE_GOLD, CUBE_DEEP, WHITE
    else:
        shadow = SHADOW
        ring = vgrad(mix(GOLD, WHITE, 0.25), mix(GOLD, SHADOW, 0.15), y, y + height)
        inside = vgrad(mix(NAVY, ICE, 0.18), DEEP, y + inset, y + height - inset)
        mark = vgrad(WHITE, mix(ICE, WHITE, 0.3), y + inset, y + height * 0.9)
    pic.fill(shield(x + offset, y + offset * 1.5, width), shadow, 1.0 if flat else 0.55)
    pic.fill(shield(x, y, width), ring)
    inner = width - 2 * inset
    inner_top = y + inset * BOARD['crest_inset_drop']
    pic.fill(shield(x + inset, inner_top, inner), inside)
    pic.fill(chevron(x + inset, inner_top, inner), mark)


# The preview letters in the board's weights and colours (the board's
# table), in DejaVu's condensed faces for most texts and its wide ones for
# the tiles' numbers.
def condensed(type_):
    return CONDENSED if type_.bold else 'DejaVuSansCondensed'


def wide(type_):
    return BOLD if type_.bold else BOOK


def colour_of(type_):
    return BOARD[type_.colour]


def preview_still():
    """The saver's screen made small: the day board on black, as a 152 x 112
    preview area shows it (the window cuts about a pixel off the top and left,
    and everything past 154 x 114 is never seen)."""
    pic = Picture(177, 161, BLACK)
    lay = BOARD
    width, height = lay['design_width'], lay['design_height']
    bx, by, s = 10.0, 7.0, 134.0 / width

    def X(v):
        return bx + v * s

    def Y(v):
        return by + v * s

    def dbox(l, t, r, b):
        return box(X(l), Y(t), X(r), Y(b))

    pic.fill(dbox(0, 0, width, height), vgrad(NAVY, DEEP, Y(0), Y(height)))
    bands = lay['background_bands']
    for left, w in zip(bands[::2], bands[1::2]):
        pic.fill(slanted(X(left), Y(0), X(left + w), Y(height), lay['background_band_slant'] * s), ICE,
                 lay['background_band_opacity'])
    # Header band, gold rule, speed stripes.
    header, rule = lay['header_bottom'], lay['rule_bottom']
    pic.fill(dbox(0, 0, width, header), vgrad(mix(NAVY, ICE, lay['header_light']), NAVY, Y(0), Y(header)))
    for x in lay['stripe_lefts']:
        pic.fill(slanted(X(x), Y(0), X(x + lay['stripe_width']), Y(header), lay['stripe_slant'] * s), GOLD,
                 lay['bright_stripe_opacity'] if x == lay['stripe_lefts'][-1] else lay['stripe_opacity'])
    pic.fill(dbox(0, header, width, rule), vgrad(mix(GOLD, WHITE, lay['gold_light']), GOLD, Y(header), Y(rule)))
    pic.fill(dbox(0, rule, width, rule + lay['rule_shadow_height']), SHADOW, lay['shadow_opacity'])
    name = 'TARROWICK VORLAKS'
    name_left = lay['crest_left'] + lay['crest_width'] + lay['team_name_gap']
    name_size, smallest, tracking = lay['preview_team_name']
    name_type = lay['team_name_type']
    size = fit_size(name, condensed(name_type), name_size, tracking, X(lay['team_name_right']) - X(name_left), smallest)
    pic.text(Words(name, condensed(name_type), size, tracking), X(name_left), Y(lay['preview_team_name_baseline']),
             colour_of(name_type))
    # The date tab, taller than the board's own so the date can be read.
    date = 'OCTOBER 14, 2000'
    words = Words(date, condensed(lay['date_type']), *lay['preview_date'])
    tab_left, tab_bottom, tab_slant = X(lay['date_tab_left']), Y(lay['date_tab_bottom'] + 9), lay['date_tab_slant'] * s
    tab_right = tab_left + words.width + 9
    pic.fill(slanted(tab_left + 1, Y(rule) + 1, tab_right + 1, tab_bottom + 1, tab_slant), SHADOW,
             lay['date_tab_shadow_opacity'])
    pic.fill(slanted(tab_left, Y(rule), tab_right, tab_bottom, tab_slant),
             vgrad(GOLD, mix(GOLD, SHADOW, lay['date_tab_shade']), Y(rule), tab_bottom))
    pic.text(words, tab_left + 4, tab_bottom - 2, colour_of(lay['date_type']))
    draw_crest(pic, X(lay['crest_left']), Y(lay['crest_top']), lay['crest_width'] * s)
    # Today's panel.
    top, bottom, left, right = lay['panel_top'], lay['panel_bottom'], lay['margin'], width - lay['margin']
    gold_edge = lay['panel_gold_edge']
    pic.fill(box(X(left) + 1, Y(top) + 1, X(right) + 1, Y(bottom) + 1), SHADOW, lay['shadow_opacity'])
    pic.fill(dbox(left, top, right, bottom),
             vgrad(mix(NAVY, ICE, lay['panel_light']), mix(DEEP, NAVY, lay['panel_dark']), Y(top), Y(bottom)))
    pic.fill(dbox(left, top, left + gold_edge, bottom), GOLD)
    chip = Words('TODAY', condensed(lay['today_chip_type']), *lay['preview_chip'])
    chip_left = X(left + gold_edge)
    pic.fill(slanted(chip_left, Y(top), chip_left + chip.width + 7, Y(top) + 7, 1.5), ICE)
    pic.text(chip, chip_left + 3, Y(top) + 6, colour_of(lay['today_chip_type']))
    pic.fill(circle(chip_left + chip.width + 12, Y(top) + 3.5, 1.8), GOLD)
    pic.text(Words('GAME DAY', condensed(lay['game_day_type']), *lay['preview_chip']), chip_left + chip.width + 16,
             Y(top) + 6, colour_of(lay['game_day_type']))
    centre = (X(left + 30) + X(right - 10)) / 2
    line = '7:30 PM vs. Harbor Kings'
    first, rest = lay['today_first_line_type'], lay['today_line_type']
    line_size, smallest, tracking = lay['preview_first_line']
    size = fit_size(line, condensed(first), line_size, tracking, X(right - 10) - X(left + lay['today_text_left']),
                    smallest)
    pic.text(Words(line, condensed(first), size, tracking), centre, Y(top) + 20, colour_of(first), align='centre')
    for text, below in (('Tarrowick Civic Arena', 30), ('Radio: 101.4 FM', 38)):
        pic.text(Words(text, condensed(rest), lay['preview_line_size'], 0), centre, Y(top) + below, colour_of(rest),
                 align='centre')
    # The next three days.
    tile_top, tile_bottom, gap = lay['tile_top'], lay['tile_bottom'], lay['tile_gap']
    pic.fill(dbox(left, tile_top - 10, right, tile_top - 8.5), ICE, 0.3)
    tile_w = (right - left - 2 * gap) / 3.0
    for i, (number, tag, lead) in enumerate((('15', 'FRO', '6:05'), ('16', '', ''), ('17', 'MBS', '8:00'))):
        l = left + i * (tile_w + gap)
        r = l + tile_w
        pic.fill(box(X(l) + 1, Y(tile_top) + 1, X(r) + 1, Y(tile_bottom) + 1), SHADOW, lay['shadow_opacity'])
        if tag:
            pic.fill(dbox(l, tile_top, r, tile_bottom),
                     vgrad(mix(NAVY, ICE, lay['tile_light']), mix(NAVY, DEEP, lay['tile_dark']), Y(tile_top),
                           Y(tile_bottom)))
            pic.fill(box(X(l), Y(tile_top), X(r), Y(tile_top) + 1), GOLD)
            split = X(l + lay['tile_split'])
            day, tag_type, lead_type = lay['tile_day_type'], lay['tile_tag_type'], lay['tile_lead_type']
            pic.text(Words(number, wide(day), lay['preview_tile_number'], 0), (X(l) + split) / 2 + 0.5,
                     Y(tile_bottom) - 5, colour_of(day), align='centre')
            pic.fill(box(split, Y(tile_top) + 4, split + 0.5, Y(tile_bottom) - 3), ICE, 0.5)
            pic.text(Words(tag, condensed(tag_type), *lay['preview_tile_tag']), split + 2, Y(tile_top) + 9,
                     colour_of(tag_type))
            pic.text(Words(lead, condensed(lead_type), *lay['preview_tile_lead']), split + 2, Y(tile_top) + 17,
                     colour_of(lead_type))
        else:
            pic.fill(dbox(l, tile_top, r, tile_bottom),
                     vgrad(mix(NAVY, ICE, lay['free_tile_light']), DEEP, Y(tile_top), Y(tile_bottom)))
            pic.fill(box(X(l), Y(tile_top), X(r), Y(tile_top) + 0.5), ICE, lay['free_tile_edge_opacity'])
            free = lay['tile_free_day_type']
            pic.text(Words(number, wide(free), lay['preview_tile_number'], 0), (X(l) + X(r)) / 2, Y(tile_bottom) - 5,
                     colour_of(free), align='centre')
    return pic


# --- Menu ------------------------------------------------------------------
#
# The items, and where the menu window puts each image on the backdrop, come
# from the item table and the window table (tools/menu_items.py). The items
# are pre-mixed with the backdrop under them, so their edges are smooth
# although the transparent colour makes them all-or-nothing. A marker item
# is a big item on a plate; a swap item is a small one, words in a strip.

BIG_ITEMS = [item for item in MENU_ITEMS if item.hover == 'marker']
SMALL_ITEMS = [item for item in MENU_ITEMS if item.hover == 'swap']
# Each big item is a plate that fills its own image, so what lights up and
# answers the mouse is exactly what is drawn: a gold slanted cap on the left,
# navy with a light top edge, the words in the middle of what the hover
# marker leaves free. Under the marker the item is transparent and the
# backdrop draws the same plate, there and nowhere else in the item's row.
PLATE_TOP_EDGE = (51, 102, 153)  # cube colours: the backdrop draws them too
CAP_WIDTH = 9   # the gold cap's width at the top; it leans as the panel's edge
CAP_LEAN = 4
# The slant of the title panel's edge: one pixel left for every six down.
SLANT = 1 / 6.0


def panel_edge(y):
    return 214 - y * SLANT


def draw_plate(pic, x0, x1, top, height, cap=True):
    """The plate's navy between x0 and x1 (in `pic`'s pixels, rows top to
    top+height), and its gold cap at x0 when `cap`."""
    pic.fill(box(x0, top, x1, top + height), CUBE_NAVY)
    pic.fill(box(x0, top, x1, top + 1), PLATE_TOP_EDGE)
    if cap:
        pic.fill([[(x0, top), (x0 + CAP_WIDTH, top), (x0 + CAP_WIDTH - CAP_LEAN, top + height),
                   (x0, top + height)]], CUBE_GOLD)


def draw_backdrop():
    pic = Picture(480, 360, CUBE_DEEP)
    # The title panel on the left, edged in gold: navy, darkening low down.
    pic.fill([[(0, 0), (panel_edge(0), 0), (panel_edge(360), 360), (0, 360)]], CUBE_NAVY)
    pic.fill([[(0, 250), (panel_edge(250), 250), (panel_edge(360), 360), (0, 360)]],
             vgrad(CUBE_NAVY, CUBE_DEEP, 250, 360))
    pic.fill([[(panel_edge(0), 0), (panel_edge(0) + 5, 0), (panel_edge(360) + 5, 360), (panel_edge(360), 360)]],
             CUBE_GOLD)
    cx = 94
    draw_crest(pic, cx - 46, 40, 92, flat=True)
    pic.text(Words('THE', CONDENSED, 11, 4), cx, 170, CUBE_ICE, align='centre')
    pic.text(Words('TARROWICK', BOLD, 20, 1), cx, 195, WHITE, align='centre')
    pic.text(Words('VORLAKS', BOLD, 27, 1), cx, 225, CUBE_GOLD, align='centre')
    tab = Words('MULTIMEDIA THEME PACK', CONDENSED, 9, 1.2)
    pic.fill(slanted(cx - tab.width / 2 - 9, 237, cx + tab.width / 2 + 9, 252, 2.5), CUBE_ICE)
    pic.text(tab, cx, 248, CUBE_DEEP, align='centre')
    pic.text(Words('2000 SEASON', CONDENSED, 9, 3), cx, 276, CUBE_ICE, align='centre')

    # The right half: speed stripes in the corner, a heading, the item plates.
    for x, colour in ((420, (153, 102, 0)), (436, (153, 102, 0)), (452, CUBE_GOLD)):
        pic.fill(slanted(x, 0, x + 9, 52, 52 * SLANT), colour)
    heading = Words('MAIN MENU', CONDENSED, 10, 3)
    hx = panel_edge(98) + 22
    pic.text(heading, hx, 98, CUBE_ICE)
    pic.fill(box(hx + heading.width + 10, 93, 468, 94), CUBE_NAVY)
    # The items draw their own plates; under each hover marker the plate
    # shows through the item, so the backdrop draws it there, alike for all.
    for item in BIG_ITEMS:
        draw_plate(pic, item.lit.left, item.lit.left + item.lit.width, item.normal.top, item.normal.height, cap=False)
    # The strip of small items, with a rule above it and dividers between them.
    pic.fill(box(panel_edge(290) + 14, 289, 468, 290), CUBE_NAVY)
    strip = sorted(SMALL_ITEMS, key=lambda i: i.normal.left)
    for before, after in zip(strip, strip[1:]):
        x = (before.normal.left + before.normal.width + after.normal.left) // 2
        pic.fill(box(x, 303, x + 1, 315), CUBE_NAVY)
    pic.text(Words('\u00a9 2000 TARROWICK VORLAKS', CONDENSED, 8, 1), 468, 346, (51, 102, 153), align='right')
    return pic


def bayer(n):
    m = [[0]]
    while len(m) < n:
        k = len(m)
        m = [[4 * m[y % k][x % k] + (0, 2, 3, 1)[(y // k) * 2 + x // k] for x in range(2 * k)] for y in range(2 * k)]
    return m


BAYER = bayer(8)
CUBE = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]


def to_cube(pic):
    """The picture in the cube's colours by ordered dithering: cube colours
    stay as they are, and a gradient becomes a fine, even pattern of its two
    neighbours. Pillow dithers only by error diffusion, whose noise would
    crawl over the flat areas."""
    pixels = list(pic.image.getdata())
    dither = list(pic.dither.getdata())
    indices = []
    for i, colour in enumerate(pixels):
        y, x = divmod(i, pic.w)
        t = (BAYER[y % 8][x % 8] + 0.5) / 64.0 if dither[i] else 0.5
        idx = 0
        for v in colour:
            q = v / 51.0 + 1e-6
            level = int(q)
            if q - level > t:
                level += 1
            idx = idx * 6 + min(5, level)
        indices.append(idx)
    image = Image.new('P', pic.image.size)
    image.putdata(indices)
    image.putpalette([v for c in CUBE for v in c] + [0] * (768 - 3 * len(CUBE)))
    return image


def item(backdrop, x, y, w, h, draw):
    """An item image: what `draw` paints over the backdrop, the key colour elsewhere."""
    pic = backdrop.crop(x, y, w, h)
    draw(pic)
    return Image.composite(pic.image, Image.new('RGB', (w, h), KEY), threshold(pic.drawn, 0.04 * 255))


def label_span(left, width, marker):
    """Where an item's words go, in its own pixels: between the cap and the
    marker, with a little air on both sides."""
    return CAP_WIDTH + 6, marker - left - 6


def picture(image):
    """The picture file's name in resources/menu/, without .bmp."""
    return os.path.basename(image.file)


def big_size():
    """One size for all big items: the largest at which each fits its span."""
    return min(fit_size(i.text, CONDENSED, 18, 1,
                        (lambda a, b: b - a)(*label_span(i.normal.left, i.normal.width, i.lit.left)), 12)
               for i in BIG_ITEMS)


def menu_items(backdrop):
    out = {}
    size = big_size()
    for i in BIG_ITEMS:
        left, width, height, marker = i.normal.left, i.normal.width, i.normal.height, i.lit.left
        words = Words(i.text, CONDENSED, size, 1)
        baseline = (height + round(size * 0.73)) // 2 + 1
        x0, x1 = label_span(left, width, marker)
        centre = (x0 + x1) / 2.0
        m0, m1 = marker - left, marker - left + i.lit.width

        def draw(pic, words=words, baseline=baseline, centre=centre, m0=m0, m1=m1, width=width, height=height):
            draw_plate(pic, 0, m0, 0, height)
            draw_plate(pic, m1, width, 0, height, cap=False)
            pic.text(words, centre + 1, baseline + 1, SHADOW, align='centre', opacity=0.6)
            pic.text(words, centre, baseline, WHITE, align='centre')
        out[picture(i.normal)] = item(backdrop, left, i.normal.top, width, height, draw)

    # One marker picture serves every big item; it is mixed with the
    # backdrop under the first, which draws the same plate under each.
    def marker(pic):
        speed_stripes(pic, 1, 2, 22, 4, 2, 4.5, (0.7, 0.85, 1.0))
    first = BIG_ITEMS[0].lit
    out[picture(first)] = item(backdrop, first.left, first.top, first.width, first.height, marker)

    for i in SMALL_ITEMS:
        words = Words(i.text, CONDENSED, 9, 1)
        for image, lit in ((i.normal, False), (i.lit, True)):
            def draw(pic, words=words, width=image.width, lit=lit):
                pic.text(words, width / 2.0, 8, GOLD if lit else ICE, align='centre')
                if lit:
                    start = int(round(width / 2.0 - words.width / 2.0))
                    pic.fill(box(start, 9, start + words.width, 10), GOLD)
            out[picture(image)] = item(backdrop, image.left, image.top, image.width, image.height, draw)
    return out



def paste(image, item_image, x, y):
    """Lays an item image over `image`, leaving its key colour out."""
    differs = ImageChops.difference(item_image, Image.new('RGB', item_image.size, KEY)).split()
    shown = threshold(ImageChops.lighter(ImageChops.lighter(differs[0], differs[1]), differs[2]), 1)
    image.paste(item_image, (x, y), shown)


def menu_states(backdrop, items, lit):
    """The menu as the window shows it: every item normal, or every item lit."""
    image = backdrop.copy()
    for i in BIG_ITEMS:
        paste(image, items[picture(i.normal)], i.normal.left, i.normal.top)
        if lit:
            paste(image, items[picture(i.lit)], i.lit.left, i.lit.top)
    for i in SMALL_ITEMS:
        shown = i.lit if lit else i.normal
        paste(image, items[picture(shown)], shown.left, shown.top)
    return image


# --- Writing ---------------------------------------------------------------

def scaled(image, k):
    return image.resize((image.width * k, image.height * k), Image.NEAREST)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)
    print('wrote', os.path.relpath(path, os.path.join(HERE, '..')))


def main(argv):
    review = argv[argv.index('--review') + 1] if '--review' in argv else None
    looks = {}

    data, icon48 = saver_icon()
    write(os.path.join(RESOURCES, 'vorsaver.ico'), data)
    looks['vorsaver-48-24bit'] = scaled(icon48, 4)

    for name, glyph, words in (('about_flash', lightning, 'FLASH'), ('about_shockwave', waves, 'SHOCKWAVE')):
        image = about_badge(glyph, words).image
        write(os.path.join(RESOURCES, name + '.bmp'), bmp(image))
        looks[name] = scaled(image, 4)
    image = producer_badge().image
    write(os.path.join(RESOURCES, 'about_producer.bmp'), bmp(image))
    looks['about_producer'] = scaled(image, 4)
    image = preview_still().image
    write(os.path.join(RESOURCES, 'preview_still.bmp'), bmp(image))
    looks['preview_still'] = scaled(image, 4)

    cube = to_cube(draw_backdrop())
    write(os.path.join(MENU, 'backdrop.bmp'), bmp(cube))
    backdrop = cube.convert('RGB')
    items = menu_items(Picture.from_image(backdrop))
    for name in sorted(items):
        write(os.path.join(MENU, name + '.bmp'), bmp(items[name]))
    looks['menu-normal'] = menu_states(backdrop, items, False)
    looks['menu-lit'] = menu_states(backdrop, items, True)
    looks['menu-lit-x2'] = scaled(looks['menu-lit'], 2)
    data, previews = menu_icon()
    write(os.path.join(MENU, 'menu.ico'), data)
    looks['menu-ico-32'] = scaled(previews[0], 6)
    looks['menu-ico-16'] = scaled(previews[1], 6)

    if review:
        os.makedirs(review, exist_ok=True)
        for name, image in looks.items():
            image.save(os.path.join(review, name + '.png'))
        print('previews in', review)


if __name__ == '__main__':
    main(sys.argv[1:])
