#!/usr/bin/env python3
"""Writes the saver's movie, vorlaks.swf: the day board drawn in flat shapes,
with text fields bound to the variables that the saver writes into
tarvordat.pvz, which the movie loads on its first frame, and again each
time it loops (every RELOAD_SECONDS), so that a player left running all
night shows the day that the saver writes at midnight. With "Play Sounds"
on (sound.pvz beside it, "sound=1", read as it reads its variables), it
plays the team's sound (tools/make_sound.py) a second into every other
loop, as the saver's own day board plays it with its motion.

    python3 tools/make_movie.py OUT.swf

The file is SWF version 4, uncompressed: everything the board needs (edit
texts bound to variables, loading variables through GetURL2) is there in
Flash Player 4, the oldest player a fan of the CD's time may have, and a
later player plays it alike.
"""

import struct
import sys

from board_layout import LAYOUT  # noqa: E402

SWF_VERSION = 4
WIDTH, HEIGHT = LAYOUT["design_width"], LAYOUT["design_height"]  # the board's design pixels
FRAME_RATE = 12
TWIPS = 20
# The movie loops; its first frame reads the variables file. A few hundred
# bytes read every few seconds cost a player nothing.
RELOAD_SECONDS = 5
FRAMES = FRAME_RATE * RELOAD_SECONDS

VARIABLES_FILE = "tarvordat.pvz"
# Level 0 is the movie itself; Flash Player 4 knows levels but not "_root".
VARIABLES_TARGET = "_level0"

# The sound setting that the settings dialog writes, "sound=1" or "sound=0",
# is itself a variables file: it loads into the sprite that plays the sound.
SOUND_FILE = "sound.pvz"
SOUND_SPRITE = "bell"
# A second into a loop the setting has been read; every other loop, so the
# sound comes about as often as the saver's day board plays it.
SOUND_FRAME = FRAME_RATE

import make_sound  # noqa: E402
from team_colours import GOLD, ICE, NAVY, SHADOW  # noqa: E402


def mix(a, b, t):
    """Colour `a` moved a share `t` of the way to `b`: the board's faint
    overlays, made opaque, since SWF 4 shapes have no alpha."""
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


# ---------------------------------------------------------------- writing

class BitWriter:
    """Bits most significant first, as SWF packs rectangles and shapes."""

    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.count = 0

    def ubits(self, value, bits):
        if value < 0 or value >= 1 << bits:
            raise ValueError(f"{value} does not fit {bits} unsigned bits")
        for i in range(bits - 1, -1, -1):
            self.acc = (self.acc << 1) | ((value >> i) & 1)
            self.count += 1
            if self.count == 8:
                self.out.append(self.acc)
                self.acc = self.count = 0

    def sbits(self, value, bits):
        if not -(1 << (bits - 1)) <= value < 1 << (bits - 1):
            raise ValueError(f"{value} does not fit {bits} signed bits")
        self.ubits(value & ((1 << bits) - 1), bits)

    def align(self):
        if self.count:
            self.ubits(0, 8 - self.count)

    def bytes(self):
        self.align()
        return bytes(self.out)


def signed_bits(*values):
    """Bits that hold every value as a signed field (at least 1)."""
    return max([1] + [v.bit_length() + 1 for v in values])


def rect(xmin, xmax, ymin, ymax):
    """A RECT in twips (whole ones: a layout in fractions of a pixel rounds)."""
    xmin, xmax, ymin, ymax = (round(v) for v in (xmin, xmax, ymin, ymax))
    bits = signed_bits(xmin, xmax, ymin, ymax)
    w = BitWriter()
    w.ubits(bits, 5)
    for v in (xmin, xmax, ymin, ymax):
        w.sbits(v, bits)
    return w.bytes()


def u8(v):
    return struct.pack("<B", v)


def u16(v):
    return struct.pack("<H", v)


def string(text):
    # SWF 4 strings are the system's ANSI code page; the board's own texts
    # are plain ASCII.
    return text.encode("latin-1") + b"\0"


def tag(code, body=b""):
    # The long header whenever the short one cannot hold the length.
    if len(body) < 0x3F:
        return u16(code << 6 | len(body)) + body
    return u16(code << 6 | 0x3F) + struct.pack("<I", len(body)) + body


END, SHOW_FRAME, DEFINE_SHAPE, SET_BACKGROUND_COLOR = 0, 1, 2, 9
DO_ACTION, DEFINE_SOUND, START_SOUND = 12, 14, 15
PLACE_OBJECT2, DEFINE_EDIT_TEXT, DEFINE_SPRITE, DEFINE_FONT2 = 26, 37, 39, 48


def shape_tag(shape_id, points, colour):
    """DefineShape: one closed polygon (points in pixels) in one solid
    colour, with no outline."""
    tw = [(round(x * TWIPS), round(y * TWIPS)) for x, y in points]
    xs = [p[0] for p in tw]
    ys = [p[1] for p in tw]
    w = BitWriter()
    w.ubits(1, 4)  # fill style bits: the one fill is style 1
    w.ubits(0, 4)  # no line styles
    # Style change: move to the first point and fill to the right of the
    # edges with style 1.
    x0, y0 = tw[0]
    w.ubits(0, 1)
    w.ubits(0b00011, 5)  # new styles, line, fill 1, fill 0, move
    bits = signed_bits(x0, y0)
    w.ubits(bits, 5)
    w.sbits(x0, bits)
    w.sbits(y0, bits)
    w.ubits(1, 1)  # fill style 1
    for (ax, ay), (bx, by) in zip(tw, tw[1:] + tw[:1]):
        dx, dy = bx - ax, by - ay
        if dx == 0 and dy == 0:
            continue
        bits = max(2, signed_bits(dx, dy))
        w.ubits(1, 1)  # edge
        w.ubits(1, 1)  # straight
        w.ubits(bits - 2, 4)
        if dx and dy:
            w.ubits(1, 1)  # general line
            w.sbits(dx, bits)
            w.sbits(dy, bits)
        else:
            w.ubits(0, 1)
            w.ubits(1 if dx == 0 else 0, 1)  # vertical?
            w.sbits(dy if dx == 0 else dx, bits)
    w.ubits(0, 6)  # end of shape
    body = (u16(shape_id) + rect(min(xs), max(xs), min(ys), max(ys))
            + u8(1) + u8(0x00) + bytes(colour)  # one solid fill
            + u8(0)  # no line styles
            + w.bytes())
    return tag(DEFINE_SHAPE, body)


def place_tag(char_id, depth, name=None):
    """PlaceObject2 at the origin: shapes and fields carry their own
    positions. A sprite that actions talk to gets its `name`."""
    identity = b"\x00"  # no scale, no rotation, translation of 0 bits
    if name is None:
        return tag(PLACE_OBJECT2, u8(0x06) + u16(depth) + u16(char_id) + identity)
    return tag(PLACE_OBJECT2, u8(0x26) + u16(depth) + u16(char_id) + identity + string(name))


def device_font_tag(font_id, name, bold):
    """DefineFont2 with no glyphs: a font of the player's system, by name."""
    flags = 0x01 if bold else 0x00
    body = (u16(font_id) + u8(flags) + u8(0)
            + u8(len(name)) + name.encode("ascii")
            + u16(0)   # no glyphs
            + u16(0))  # the code table offset, for readers that expect one
    return tag(DEFINE_FONT2, body)


ALIGN = {"left": 0, "right": 1, "center": 2}
# DefineEditText's two flag bytes.
HAS_TEXT, WORD_WRAP, MULTILINE, READ_ONLY, HAS_COLOUR, HAS_FONT = 0x80, 0x40, 0x20, 0x08, 0x04, 0x01
HAS_LAYOUT, NO_SELECT = 0x20, 0x10


def edit_text_tag(char_id, box, font_id, size, colour, variable="",
                  text=None, multiline=False, align="left", leading=0):
    """DefineEditText, read-only and not selectable: a label when it has
    `text`, otherwise a field that shows `variable` of the movie."""
    left, top, right, bottom = box
    flags1 = READ_ONLY | HAS_COLOUR | HAS_FONT | (HAS_TEXT if text is not None else 0)
    if multiline:
        flags1 |= WORD_WRAP | MULTILINE
    flags2 = HAS_LAYOUT | NO_SELECT
    body = (u16(char_id)
            + rect(left * TWIPS, right * TWIPS, top * TWIPS, bottom * TWIPS)
            + u8(flags1) + u8(flags2)
            + u16(font_id) + u16(round(size * TWIPS))
            + bytes(colour) + u8(0xFF)
            + u8(ALIGN[align]) + u16(0) + u16(0) + u16(0)
            + struct.pack("<h", round(leading * TWIPS))
            + string(variable))
    if text is not None:
        body += string(text)
    return tag(DEFINE_EDIT_TEXT, body)


ACTION_PUSH, ACTION_GET_URL2 = 0x96, 0x9A
# GetURL2's flags byte as players read it: the top bit asks for variables,
# the next for a sprite target (clear for a level).
GET_URL2_LOAD_VARIABLES = 0x80
GET_URL2_SPRITE_TARGET = 0x40
ACTION_STOP, ACTION_PLAY, ACTION_AND, ACTION_NOT, ACTION_STRING_EQUALS = 0x07, 0x06, 0x10, 0x12, 0x13
ACTION_GET_VARIABLE, ACTION_SET_VARIABLE = 0x1C, 0x1D
ACTION_GOTO_FRAME, ACTION_SET_TARGET, ACTION_IF = 0x81, 0x8B, 0x9D


def push_string(text):
    data = u8(0) + string(text)
    return u8(ACTION_PUSH) + u16(len(data)) + data


def load_variables(url, target, flags=GET_URL2_LOAD_VARIABLES):
    """loadVariablesNum(url, 0), or loadVariables into a sprite: push the
    URL, then the target, then GetURL2."""
    return push_string(url) + push_string(target) + u8(ACTION_GET_URL2) + u16(1) + u8(flags)


def first_frame_actions():
    """What the first frame does each time the movie comes round to it:
    read the day's variables, and the sound setting into the sprite that
    plays the sound."""
    return (load_variables(VARIABLES_FILE, VARIABLES_TARGET)
            + load_variables(SOUND_FILE, "/" + SOUND_SPRITE, GET_URL2_LOAD_VARIABLES | GET_URL2_SPRITE_TARGET)
            + u8(0))  # end of actions


def set_target(name):
    data = string(name)
    return u8(ACTION_SET_TARGET) + u16(len(data)) + data


def sound_actions():
    """Every other time round, and only where the setting read "1", the
    sprite plays from its second frame, which runs into the frame that
    starts the sound. Flash 4 has no booleans: Not makes 1 of an unset
    variable and 0 of 1, so `ring` takes turns."""
    start = (set_target("/" + SOUND_SPRITE)
             + u8(ACTION_GOTO_FRAME) + u16(2) + u16(1)  # its second frame
             + u8(ACTION_PLAY)
             + set_target(""))
    return (push_string("ring") + push_string("ring") + u8(ACTION_GET_VARIABLE) + u8(ACTION_NOT)
            + u8(ACTION_SET_VARIABLE)
            + push_string("ring") + u8(ACTION_GET_VARIABLE)
            + push_string("/%s:sound" % SOUND_SPRITE) + u8(ACTION_GET_VARIABLE)
            + push_string("1") + u8(ACTION_STRING_EQUALS)
            + u8(ACTION_AND) + u8(ACTION_NOT)
            + u8(ACTION_IF) + u16(2) + struct.pack("<h", len(start))  # past the start when not
            + start
            + u8(0))


def sound_tags(sound_id, sprite_id):
    """The team's sound, and the sprite that plays it: at rest on its first
    frame; played, it starts the sound on its third and comes back to rest.
    The sound is the WAV's own samples, 16-bit little-endian PCM, a format
    that Flash 4 brought, so no player has to guess the byte order."""
    data = make_sound.pcm16()
    rate_bits = {5512: 0, 11025: 1, 22050: 2, 44100: 3}[make_sound.RATE]
    # Format 3 (uncompressed, little-endian), the rate, 16-bit, mono.
    define = tag(DEFINE_SOUND, u16(sound_id) + u8(3 << 4 | rate_bits << 2 | 1 << 1 | 0)
                 + struct.pack("<I", len(data) // 2) + data)
    frames = [tag(DO_ACTION, u8(ACTION_STOP) + u8(0)) + tag(SHOW_FRAME),
              tag(SHOW_FRAME),
              tag(START_SOUND, u16(sound_id) + u8(0)) + tag(SHOW_FRAME)]
    sprite = tag(DEFINE_SPRITE, u16(sprite_id) + u16(len(frames)) + b"".join(frames) + tag(END))
    return [define, sprite]


# ----------------------------------------------------------------- layout

def box(left, top, right, bottom):
    return [(left, top), (right, top), (right, bottom), (left, bottom)]


def slanted(left, top, right, bottom, slant):
    """A box whose sides lean right by `slant` over its height."""
    return [(left + slant, top), (right + slant, top), (right, bottom), (left, bottom)]


# The layout that the saver's own board has too (vorsaver/board/board_layout.tsv).
MARGIN = LAYOUT["margin"]
HEADER_BOTTOM, RULE_BOTTOM = LAYOUT["header_bottom"], LAYOUT["rule_bottom"]
STRIPE_LEFTS, STRIPE_WIDTH, STRIPE_SLANT = LAYOUT["stripe_lefts"], LAYOUT["stripe_width"], LAYOUT["stripe_slant"]
TEAM_NAME_LEFT = LAYOUT["crest_left"] + LAYOUT["crest_width"] + LAYOUT["team_name_gap"]
TEAM_NAME_RIGHT = LAYOUT["team_name_right"]
CREST_LEFT, CREST_TOP, CREST_WIDTH = LAYOUT["crest_left"], LAYOUT["crest_top"], LAYOUT["crest_width"]
CREST_ASPECT, CREST_INSET, CREST_INSET_DROP = LAYOUT["crest_aspect"], LAYOUT["crest_inset"], LAYOUT["crest_inset_drop"]
SHIELD, CHEVRON = LAYOUT["shield_outline"], LAYOUT["chevron_outline"]
DATE_TAB_LEFT, DATE_TAB_BOTTOM, DATE_TAB_SLANT = LAYOUT["date_tab_left"], LAYOUT["date_tab_bottom"], LAYOUT["date_tab_slant"]
DATE_TAB_WIDTH = LAYOUT["movie_date_tab_width"]  # wide enough for the longest month's date
PANEL_TOP, PANEL_BOTTOM = LAYOUT["panel_top"], LAYOUT["panel_bottom"]
CHIP_RIGHT, CHIP_BOTTOM, CHIP_SLANT = LAYOUT["chip_right"], LAYOUT["chip_bottom"], LAYOUT["chip_slant"]
TILE_TOP, TILE_BOTTOM, TILE_GAP = LAYOUT["tile_top"], LAYOUT["tile_bottom"], LAYOUT["tile_gap"]
TILE_WIDTH = (WIDTH - 2 * MARGIN - 2 * TILE_GAP) / 3
TILE_LEFTS = [MARGIN + i * (TILE_WIDTH + TILE_GAP) for i in range(3)]
PANEL_COLOUR = mix(NAVY, ICE, 0.1)
TILE_COLOUR = mix(NAVY, ICE, 0.14)
HEADER_COLOUR = mix(NAVY, ICE, 0.08)


def crest(x, y, width):
    """The crest: a gold shield, a navy inner shield and the gold chevron."""
    def outline(points, left, top, w):
        return [(left + px * w, top + py * w * CREST_ASPECT) for px, py in points]

    inset = width * CREST_INSET
    inner = (x + inset, y + inset * CREST_INSET_DROP, width - 2 * inset)
    return [(outline(SHIELD, x, y, width), GOLD), (outline(SHIELD, *inner), NAVY), (outline(CHEVRON, *inner), GOLD)]


def shapes():
    """The board's flat pieces, back to front: (polygon, colour)."""
    right = WIDTH - MARGIN
    pieces = [
        (box(0, 0, WIDTH, HEADER_BOTTOM), HEADER_COLOUR),
        (box(0, 0, WIDTH, 2), mix(HEADER_COLOUR, ICE, 0.25)),
    ]
    for left, bright in zip(STRIPE_LEFTS, (False, False, True)):
        colour = mix(HEADER_COLOUR, GOLD, LAYOUT["bright_stripe_opacity" if bright else "stripe_opacity"])
        pieces.append((slanted(left, 0, left + STRIPE_WIDTH, HEADER_BOTTOM, STRIPE_SLANT), colour))
    pieces += [
        (box(0, HEADER_BOTTOM, WIDTH, RULE_BOTTOM), GOLD),
        (box(0, RULE_BOTTOM, WIDTH, RULE_BOTTOM + 3), mix(NAVY, SHADOW, 0.5)),
        # The date tab, wide enough for the longest month's date.
        (slanted(DATE_TAB_LEFT + 3, RULE_BOTTOM + 3, DATE_TAB_LEFT + DATE_TAB_WIDTH + 3, DATE_TAB_BOTTOM + 3,
                 DATE_TAB_SLANT), mix(NAVY, SHADOW, 0.6)),
        (slanted(DATE_TAB_LEFT, RULE_BOTTOM, DATE_TAB_LEFT + DATE_TAB_WIDTH, DATE_TAB_BOTTOM, DATE_TAB_SLANT), GOLD),
    ]
    pieces += crest(CREST_LEFT, CREST_TOP, CREST_WIDTH)
    # Today's panel: shadow, body, top light, gold edge and the "Today" chip.
    pieces += [
        (box(MARGIN + 4, PANEL_TOP + 4, right + 4, PANEL_BOTTOM + 4), mix(NAVY, SHADOW, 0.5)),
        (box(MARGIN, PANEL_TOP, right, PANEL_BOTTOM), PANEL_COLOUR),
        (box(MARGIN, PANEL_TOP, right, PANEL_TOP + 2), mix(PANEL_COLOUR, ICE, 0.35)),
        (box(MARGIN, PANEL_TOP, MARGIN + LAYOUT["panel_gold_edge"], PANEL_BOTTOM), GOLD),
        (slanted(MARGIN + LAYOUT["panel_gold_edge"], PANEL_TOP, CHIP_RIGHT, CHIP_BOTTOM, CHIP_SLANT), ICE),
        # "Coming up": the rule after the label, then the three tiles.
        (box(128, 356, right, 357), mix(NAVY, ICE, 0.3)),
    ]
    for left in TILE_LEFTS:
        r = left + TILE_WIDTH
        pieces += [
            (box(left + 3, TILE_TOP + 3, r + 3, TILE_BOTTOM + 3), mix(NAVY, SHADOW, 0.5)),
            (box(left, TILE_TOP, r, TILE_BOTTOM), TILE_COLOUR),
            (box(left, TILE_TOP, r, TILE_TOP + LAYOUT["tile_bar"]), GOLD),
        ]
    return pieces



def colour_of(type_name):
    """The colour of a text's type in the table: the saver's board letters
    it in the same colour, though in a size of its own."""
    return LAYOUT[LAYOUT[type_name].colour]


# Where each text sits (left, top, right, bottom in pixels), in what size and
# colour, from the movie_ entries of each text's block in the table. Labels
# carry their text; fields name the variable they show.
NAME_TOP, NAME_BOTTOM = LAYOUT["movie_team_name_rows"]
COMING_UP_BOX = LAYOUT["movie_coming_up_box"]
TILE_INSETS = LAYOUT["movie_tile_insets"]
LABELS = [
    dict(box=(TEAM_NAME_LEFT, NAME_TOP, TEAM_NAME_RIGHT, NAME_BOTTOM), size=LAYOUT["movie_team_name_size"],
         colour=colour_of("team_name_type"), text="TARROWICK VORLAKS"),
    dict(box=LAYOUT["movie_today_chip_box"], size=LAYOUT["movie_today_chip_size"],
         colour=colour_of("today_chip_type"), text="TODAY"),
    dict(box=(MARGIN + COMING_UP_BOX[0],) + COMING_UP_BOX[1:], size=LAYOUT["movie_coming_up_size"],
         colour=colour_of("coming_up_type"), text="COMING UP"),
]
FIELDS = [
    dict(variable="currentdate", box=LAYOUT["movie_date_box"], size=LAYOUT["movie_date_size"],
         colour=colour_of("date_type")),
    dict(variable="team", box=LAYOUT["movie_team_box"], size=LAYOUT["movie_team_size"],
         colour=colour_of("today_team_type")),
    dict(variable="gameinfo", box=LAYOUT["movie_game_box"], size=LAYOUT["movie_game_size"],
         colour=colour_of("today_first_line_type"), multiline=True, align="center",
         leading=LAYOUT["movie_game_leading"]),
] + [
    dict(variable=f"small{i + 1}",
         box=(round(left) + TILE_INSETS[0], TILE_TOP + TILE_INSETS[1], round(left + TILE_WIDTH) - TILE_INSETS[2],
              TILE_BOTTOM - TILE_INSETS[3]),
         size=LAYOUT["movie_tile_size"], colour=colour_of("tile_day_type"), multiline=True, align="center",
         leading=LAYOUT["movie_tile_leading"])
    for i, left in enumerate(TILE_LEFTS)
]

FONT_ID = 1


def movie():
    tags = [tag(SET_BACKGROUND_COLOR, bytes(NAVY)),
            device_font_tag(FONT_ID, "_sans", bold=True)]
    char_id = FONT_ID + 1
    depth = 1
    places = []
    for points, colour in shapes():
        tags.append(shape_tag(char_id, points, colour))
        places.append(place_tag(char_id, depth))
        char_id += 1
        depth += 1
    for text in LABELS + FIELDS:
        text = dict(text)
        tags.append(edit_text_tag(char_id, text.pop("box"), FONT_ID, text.pop("size"),
                                  text.pop("colour"), **text))
        places.append(place_tag(char_id, depth))
        char_id += 1
        depth += 1
    sound_id, sprite_id = char_id, char_id + 1
    tags += sound_tags(sound_id, sprite_id)
    places.append(place_tag(sprite_id, depth, SOUND_SPRITE))
    tags += places
    tags.append(tag(DO_ACTION, first_frame_actions()))
    # The first frame's actions run each time the movie loops back to it;
    # the frames after it only hold the board, and one the sound's turn.
    # Loaded variables stay on the timeline, so the fields keep their text
    # until the new file is read.
    tags += [tag(SHOW_FRAME)] * SOUND_FRAME
    tags.append(tag(DO_ACTION, sound_actions()))
    tags += [tag(SHOW_FRAME)] * (FRAMES - SOUND_FRAME)
    tags.append(tag(END))

    body = (rect(0, WIDTH * TWIPS, 0, HEIGHT * TWIPS)
            + u16(FRAME_RATE << 8)  # 8.8 fixed point
            + u16(FRAMES)
            + b"".join(tags))
    return b"FWS" + u8(SWF_VERSION) + struct.pack("<I", 8 + len(body)) + body


def main(argv):
    if len(argv) != 2:
        print("usage: make_movie.py OUT.swf", file=sys.stderr)
        return 2
    data = movie()
    with open(argv[1], "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
