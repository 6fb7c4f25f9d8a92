"""Writes the metafile player's regression files: for each fault fixed in the
player, one small placeable metafile that drew wrongly while the fault was there,
named after the fault. The files are kept in the repository; this remakes them
byte for byte, and tests/platform/tst_metafile.cpp says what each must draw.

    python3 faultfiles.py [FOLDER]      (default: tests/platform/metafile-faults)

Each file is drawn by the function of its name, record by record. Pictures are
100 pixels square and a unit a pixel unless their function says otherwise; text
stands on its baseline.
"""

import os
import struct
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)

from wmfrecords import (  # noqa: E402
    CREATE_PATTERN_BRUSH, CREATE_PEN_INDIRECT, DIB_STRETCH_BLT, EXT_TEXT_OUT, SELECT_OBJECT,
    TEXT_OUT)
from wmfwriter import Metafile  # noqa: E402

BLACK, WHITE, RED, GREEN, BLUE = (0, 0, 0), (255, 255, 255), (255, 0, 0), (0, 128, 0), (0, 0, 255)
SYMBOL_CHARSET, SHIFTJIS_CHARSET = 2, 128


def words(*values):
    return struct.pack('<%dh' % len(values), *values)


def text_out(m, x, y, data):
    """Text without spacing, as the font draws it."""
    m.record(TEXT_OUT, words(len(data)) + data + b'\0' * (len(data) % 2) + words(y, x))


def dib_stretch_blt(m, rop, left, top, width, height, bitmap=None):
    """A 2 x 2 bitmap of one colour stretched over a box by a raster operation, or
    the operation alone (no bitmap: the record keeps a reserved word)."""
    params = struct.pack('<I', rop) + words(2, 2, 0, 0)
    if bitmap is None:
        m.record(DIB_STRETCH_BLT, params + words(0, height, width, top, left))
        return
    header = struct.pack('<IiiHHIIiiII', 40, 2, 2, 1, 24, 0, 16, 0, 0, 0, 0)
    row = bytes(reversed(bitmap)) * 2 + b'\0\0'
    m.record(DIB_STRETCH_BLT, params + words(height, width, top, left) + header + row * 2)


def pen(m, style, width):
    m.record(SELECT_OBJECT, words(m.create(CREATE_PEN_INDIRECT, words(style, width, 0, 0, 0))))


# ------------------------------------------------------------------ the faults

FAULTS = []


def fault(width=100, height=100, per_inch=96):
    """A fault's file: its picture's size in units, and how many units make an inch."""
    def mark(draw):
        draw.size = (width, height, per_inch)
        FAULTS.append(draw)
        return draw
    return mark


@fault()
def raster_ops_drawn_as_copies(m):
    # Over red with a blue brush: the destination kept (no bitmap), white by source
    # xor, and an operation of three inputs, which the player skips.
    m.brush(RED)
    m.pen(None)
    m.rectangle(0, 0, 100, 100)
    m.brush(BLUE)
    dib_stretch_blt(m, 0xAA0029, 0, 0, 33, 100)
    dib_stretch_blt(m, 0x660046, 33, 0, 34, 100, WHITE)
    dib_stretch_blt(m, 0xB8074A, 67, 0, 33, 100, WHITE)


@fault(200)
def wingdings_drawn_as_greek(m):
    m.font('Wingdings', 40, charset=SYMBOL_CHARSET)
    text_out(m, 10, 50, b'!J')


@fault(200)
def double_byte_text_lost_its_spacing(m):
    # Three characters of two bytes each, 60 units apart: the lead byte holds the
    # spacing, the trail byte none.
    m.font('MS Mincho', 40, charset=SHIFTJIS_CHARSET)
    data = b'\x82\xa0\x82\xa2\x82\xa4'
    m.record(EXT_TEXT_OUT, words(50, 10, len(data), 0) + data + words(60, 0, 60, 0, 60, 0))


@fault(800)
def font_width_measured_on_another_font(m):
    # The alphabet at a width of 10 units, about half its natural width.
    m.font('Arial', 40, width=10)
    text_out(m, 5, 50, b'abcdefghijklmnopqrstuvwxyz')


@fault(400)
def symbol_font_width_measured_on_letters(m):
    # The Greek alphabet at a width of 0.35 em, against the Symbol font's own average.
    m.font('Symbol', 40, width=14, charset=SYMBOL_CHARSET)
    text_out(m, 5, 50, b'abgdezhqiklmnxoprstufcyw')


@fault(200)
def vector_arrow_off_its_letter(m):
    # A vector v as the equation editors set it: the letter, and the arrow of their
    # extra font on a baseline just over it.
    m.font('Times New Roman', 80, italic=True)
    text_out(m, 40, 95, b'v')
    m.font('MT Extra', 80, charset=SYMBOL_CHARSET)
    text_out(m, 40, 58, b'v')


@fault(200)
def ballot_marks_four_places_off(m):
    m.font('Wingdings 2', 40, charset=SYMBOL_CHARSET)
    text_out(m, 10, 50, b'OPRT')


@fault(200)
def dingbat_clocks_drawn_as_boxes(m):
    # Clock faces, which installed fonts lack, drawn as the look-alikes they have.
    m.font('Wingdings', 80, charset=SYMBOL_CHARSET)
    text_out(m, 10, 75, b'\xb7\xba')


@fault(200)
def dingbat_of_a_script_no_font_has_drawn_as_box(m):
    # Wingdings' 5C is a sign of a script that no installed font covers: its
    # look-alike, not the hollow box that the layout puts in its place.
    m.font('Wingdings', 80, charset=SYMBOL_CHARSET)
    text_out(m, 10, 75, b'\x5c')


@fault(1000, 1000, 960)
def seams_between_abutting_fills(m):
    # Bands 3.3 pixels wide and slanted, side by side, filled without an outline; below
    # them an ellipse, whose edge must stay smooth: seams are not closed by losing that.
    m.brush(BLACK)
    m.pen(None)
    for k in range(30):
        m.polygon([(33 * k, 0), (33 * k + 33, 0), (33 * k + 40, 600), (33 * k + 7, 600)])
    m.ellipse(600, 650, 990, 990)


@fault()
def thin_fills_grew_a_pixel(m):
    # Strips 1, 2, 4 and 8 pixels wide, filled without an outline.
    m.brush(BLACK)
    m.pen(None)
    for left, right in ((10, 11), (20, 22), (30, 34), (40, 48)):
        m.rectangle(left, 10, right, 90)


@fault(200, 200, 192)
def null_pen_with_end_caps_drew(m):
    # At two units a pixel, lines 10 pixels wide from (50.5, 10) to (50.5, 90): a null
    # pen with the bits of flat end caps draws nothing; beside it, at x 30, a solid one
    # with the same bits does.
    pen(m, 0x205, 20)
    m.line(101, 20, 101, 180)
    pen(m, 0x200, 20)
    m.line(61, 20, 61, 180)


@fault()
def deleted_brush_stopped_painting(m):
    # The selected brush deleted before it paints: the player's copy still paints.
    m.brush(RED)
    m.delete(0)
    m.pen(None)
    m.rectangle(0, 0, 100, 100)


@fault()
def skipped_object_shifted_the_indexes(m):
    # A pattern brush the player cannot draw takes slot 0 all the same, so that the
    # green brush after it is slot 1, where the file selects it.
    m.create(CREATE_PATTERN_BRUSH, b'\0' * 40)
    m.brush(GREEN)
    m.pen(None)
    m.rectangle(0, 0, 100, 100)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for draw in FAULTS:
        m = Metafile(*draw.size)
        draw(m)
        name = draw.__name__.replace('_', '-') + '.wmf'
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(m.bytes())
        print('  %s  %d bytes' % (name, len(m.bytes())))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else
         os.path.join(here, '..', '..', 'tests', 'platform', 'metafile-faults'))
