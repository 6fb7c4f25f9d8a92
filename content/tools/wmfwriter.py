"""Writes placeable Windows Metafiles, record by record.

The drawing is in twips, the page's box from (0, 0) to its width and height.
The header says how many of those units make an inch (1440 unless told), which
gives the page its size when it is printed. Only records that Lumora's metafile player draws are written:
window origin and extent, pens, brushes and fonts (each created, selected and
deleted as the drawing needs it, so the object table stays small), rectangles,
rounded rectangles, ellipses, polygons, polylines, lines, text with a spacing
array, and 24-bit bitmaps.

Colours are (red, green, blue) tuples; None means "nothing" (no fill, no line).
"""

import struct

# Record functions, from the player's own table.
from wmfrecords import (  # noqa: E402
    ARC, CREATE_BRUSH_INDIRECT as CREATE_BRUSH, CREATE_FONT_INDIRECT as CREATE_FONT,
    CREATE_PEN_INDIRECT as CREATE_PEN, DELETE_OBJECT, ELLIPSE, EXT_TEXT_OUT, LINE_TO, MOVE_TO,
    PIE, POLY_POLYGON, POLYGON, POLYLINE, RECTANGLE, ROUND_RECT, SELECT_OBJECT, SET_BK_MODE,
    SET_MAP_MODE, SET_POLY_FILL_MODE, SET_STRETCH_BLT_MODE, SET_TEXT_ALIGN, SET_TEXT_COLOR,
    SET_WINDOW_EXT, SET_WINDOW_ORG, STRETCH_DIB)

MM_ANISOTROPIC = 8
TRANSPARENT = 1
ALTERNATE, WINDING = 1, 2
HALFTONE = 4
TA_BASELINE = 24
TA_LEFT, TA_RIGHT, TA_CENTER = 0, 2, 6
PS_SOLID, PS_DASH, PS_NULL = 0, 1, 5
PS_ENDCAP_ROUND, PS_JOIN_ROUND = 0, 0
BS_SOLID, BS_NULL = 0, 1
SRCCOPY = 0x00CC0020


def _colourref(colour):
    r, g, b = colour
    return struct.pack('<BBBB', r, g, b, 0)


def _coord(v):
    v = int(round(v))
    if not -32768 <= v <= 32767:
        raise ValueError('coordinate %d does not fit the metafile' % v)
    return v


class Metafile:
    def __init__(self, width, height, units_per_inch=1440):
        self.width = int(width)
        self.height = int(height)
        self.units_per_inch = int(units_per_inch)
        self.records = []
        self.slots = []           # True where the object table holds an object
        self.max_objects = 0
        self.selected = {}        # kind -> (key, slot)
        self.text_colour = None
        self.poly_fill = ALTERNATE
        self.strings = []         # every text drawn, in order: (x, y, text, advances)
        self.record(SET_MAP_MODE, struct.pack('<H', MM_ANISOTROPIC))
        self.record(SET_WINDOW_ORG, struct.pack('<hh', 0, 0))
        self.record(SET_WINDOW_EXT, struct.pack('<hh', self.height, self.width))
        self.record(SET_BK_MODE, struct.pack('<H', TRANSPARENT))
        self.record(SET_TEXT_ALIGN, struct.pack('<H', TA_BASELINE | TA_LEFT))
        self.record(SET_STRETCH_BLT_MODE, struct.pack('<H', HALFTONE))

    # ------------------------------------------------------------ records

    def record(self, function, params=b''):
        if len(params) % 2:
            params += b'\0'
        self.records.append(struct.pack('<IH', 3 + len(params) // 2, function) + params)

    def _create(self, function, params):
        # The player, like the program that would have recorded this, puts a new
        # object in the lowest free slot of its table.
        slot = self.slots.index(False) if False in self.slots else len(self.slots)
        if slot == len(self.slots):
            self.slots.append(True)
        else:
            self.slots[slot] = True
        self.max_objects = max(self.max_objects, len(self.slots))
        self.record(function, params)
        return slot

    def create(self, function, params):
        """An object of any kind, from its record: it takes the lowest free slot, whose
        number is returned; selecting and deleting it is up to the caller."""
        return self._create(function, params)

    def delete(self, slot):
        self.record(DELETE_OBJECT, struct.pack('<H', slot))
        self.slots[slot] = False
        self.selected = {kind: used for kind, used in self.selected.items() if used[1] != slot}

    def _use(self, kind, key, function, params):
        current = self.selected.get(kind)
        if current and current[0] == key:
            return
        slot = self._create(function, params)
        self.record(SELECT_OBJECT, struct.pack('<H', slot))
        if current:
            self.record(DELETE_OBJECT, struct.pack('<H', current[1]))
            self.slots[current[1]] = False
        self.selected[kind] = (key, slot)

    def pen(self, colour, width=0, dashed=False):
        if colour is None:
            self._use('pen', None, CREATE_PEN, struct.pack('<Hhh', PS_NULL, 0, 0) + _colourref((0, 0, 0)))
            return
        style = (PS_DASH if dashed else PS_SOLID) | PS_ENDCAP_ROUND | PS_JOIN_ROUND
        width = int(round(width))
        self._use('pen', (colour, width, dashed), CREATE_PEN,
                  struct.pack('<Hhh', style, width, 0) + _colourref(colour))

    def brush(self, colour):
        if colour is None:
            self._use('brush', None, CREATE_BRUSH, struct.pack('<H', BS_NULL) + _colourref((0, 0, 0)) + b'\0\0')
            return
        self._use('brush', colour, CREATE_BRUSH, struct.pack('<H', BS_SOLID) + _colourref(colour) + b'\0\0')

    def font(self, face, em, bold=False, italic=False, escapement=0, width=0, charset=0):
        """A font whose em is `em` twips (a negative height in the record), its
        characters `width` wide on average (0: as designed), in a character set."""
        em = int(round(em))
        key = (face, em, bold, italic, escapement, width, charset)
        name = face.encode('cp1252')[:31]
        params = struct.pack('<hhhhhBBBBBBBB', -em, width, escapement, escapement, 700 if bold else 400,
                             1 if italic else 0, 0, 0, charset, 0, 0, 4, 0x20) + name + b'\0' * (32 - len(name))
        self._use('font', key, CREATE_FONT, params)

    def set_text_colour(self, colour):
        if colour != self.text_colour:
            self.record(SET_TEXT_COLOR, _colourref(colour))
            self.text_colour = colour

    def set_fill_mode(self, mode):
        if mode != self.poly_fill:
            self.record(SET_POLY_FILL_MODE, struct.pack('<H', mode))
            self.poly_fill = mode

    # ------------------------------------------------------------ drawing

    def _box(self, function, left, top, right, bottom, extra=b''):
        self.record(function, extra + struct.pack('<hhhh', _coord(bottom), _coord(right), _coord(top), _coord(left)))

    def rectangle(self, left, top, right, bottom):
        self._box(RECTANGLE, left, top, right, bottom)

    def round_rect(self, left, top, right, bottom, corner):
        self._box(ROUND_RECT, left, top, right, bottom, struct.pack('<hh', _coord(corner), _coord(corner)))

    def ellipse(self, left, top, right, bottom):
        self._box(ELLIPSE, left, top, right, bottom)

    def pie(self, left, top, right, bottom, start, end):
        """A slice from the ray through `start` counter-clockwise to the ray through `end`."""
        self._box(PIE, left, top, right, bottom,
                  struct.pack('<hhhh', _coord(end[1]), _coord(end[0]), _coord(start[1]), _coord(start[0])))

    def arc(self, left, top, right, bottom, start, end):
        self._box(ARC, left, top, right, bottom,
                  struct.pack('<hhhh', _coord(end[1]), _coord(end[0]), _coord(start[1]), _coord(start[0])))

    @staticmethod
    def _points(points):
        return b''.join(struct.pack('<hh', _coord(x), _coord(y)) for x, y in points)

    def polygon(self, points):
        self.record(POLYGON, struct.pack('<h', len(points)) + self._points(points))

    def polyline(self, points):
        self.record(POLYLINE, struct.pack('<h', len(points)) + self._points(points))

    def poly_polygon(self, polygons):
        params = struct.pack('<H', len(polygons)) + b''.join(struct.pack('<H', len(p)) for p in polygons)
        self.record(POLY_POLYGON, params + b''.join(self._points(p) for p in polygons))

    def line(self, x1, y1, x2, y2):
        self.record(MOVE_TO, struct.pack('<hh', _coord(y1), _coord(x1)))
        self.record(LINE_TO, struct.pack('<hh', _coord(y2), _coord(x2)))

    def text(self, x, y, text, advances):
        """Text with its baseline's left end at (x, y), each character placed by its
        advance (twips), so the layout does not depend on the reader's fonts."""
        data = text.encode('cp1252')
        assert len(data) == len(advances)
        positions, total, dx = [], 0.0, []
        for a in advances:
            total += a
            positions.append(int(round(total)))
        previous = 0
        for p in positions:
            dx.append(p - previous)
            previous = p
        params = struct.pack('<hhhH', _coord(y), _coord(x), len(data), 0) + data
        if len(data) % 2:
            params += b'\0'
        params += struct.pack('<%dh' % len(dx), *dx)
        self.record(EXT_TEXT_OUT, params)
        self.strings.append((x, y, text, dx))

    def bitmap(self, left, top, right, bottom, pixels_wide, pixels_high, rows):
        """A 24-bit picture; `rows` are lists of (r, g, b) from the top."""
        stride = (pixels_wide * 3 + 3) // 4 * 4
        bits = b''
        for row in reversed(rows):  # stored bottom row first
            line = b''.join(struct.pack('<BBB', b, g, r) for r, g, b in row)
            bits += line + b'\0' * (stride - len(line))
        header = struct.pack('<IiiHHIIiiII', 40, pixels_wide, pixels_high, 1, 24, 0, len(bits), 0, 0, 0, 0)
        params = struct.pack('<IHhhhhhhhh', SRCCOPY, 0, pixels_high, pixels_wide, 0, 0,
                             _coord(bottom - top), _coord(right - left), _coord(top), _coord(left))
        self.record(STRETCH_DIB, params + header + bits)

    # ------------------------------------------------------------ the file

    def bytes(self):
        body = b''.join(self.records) + struct.pack('<IH', 3, 0)
        words = (18 + len(body)) // 2
        largest = max(len(r) // 2 for r in self.records + [b'\0' * 6])
        header = struct.pack('<HHHIHIH', 1, 9, 0x0300, words, self.max_objects, largest, 0)
        placeable = struct.pack('<IHhhhhHI', 0x9AC6CDD7, 0, 0, 0, self.width, self.height,
                                self.units_per_inch, 0)
        checksum = 0
        for (word,) in struct.iter_unpack('<H', placeable):
            checksum ^= word
        return placeable + struct.pack('<H', checksum) + header + body
