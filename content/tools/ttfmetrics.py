"""Advance widths of a TrueType font, for laying out page text.

Only what layout needs is read: the em size ('head'), the vertical metrics
('hhea', 'OS/2'), the advance of every glyph ('hmtx') and the Unicode map
('cmap', format 4). Text is measured the way the metafile player draws it:
glyph advances added up, no kerning.
"""

import struct


class FontMetrics:
    def __init__(self, path):
        with open(path, 'rb') as f:
            self.data = f.read()
        self.tables = self._tables()
        self.units_per_em = self._u16('head', 18)
        self.ascent = self._s16('hhea', 4)
        self.descent = -self._s16('hhea', 6)
        metrics = self._u16('hhea', 34)
        hmtx = self.tables['hmtx'][0]
        self.advances = [struct.unpack_from('>H', self.data, hmtx + 4 * i)[0] for i in range(metrics)]
        self.cmap = self._cmap()
        self.cap_height = self._cap_height()

    def _tables(self):
        count = struct.unpack_from('>H', self.data, 4)[0]
        tables = {}
        for i in range(count):
            tag, _, offset, length = struct.unpack_from('>4sIII', self.data, 12 + 16 * i)
            tables[tag.decode('latin-1')] = (offset, length)
        return tables

    def _u16(self, table, at):
        return struct.unpack_from('>H', self.data, self.tables[table][0] + at)[0]

    def _s16(self, table, at):
        return struct.unpack_from('>h', self.data, self.tables[table][0] + at)[0]

    def _cmap(self):
        base = self.tables['cmap'][0]
        count = struct.unpack_from('>H', self.data, base + 2)[0]
        for i in range(count):
            platform, encoding, offset = struct.unpack_from('>HHI', self.data, base + 4 + 8 * i)
            sub = base + offset
            if platform == 3 and encoding == 1 and struct.unpack_from('>H', self.data, sub)[0] == 4:
                return self._format4(sub)
        raise ValueError('the font has no Unicode character map')

    def _format4(self, sub):
        segments = struct.unpack_from('>H', self.data, sub + 6)[0] // 2
        ends = struct.unpack_from('>%dH' % segments, self.data, sub + 14)
        starts_at = sub + 16 + 2 * segments
        starts = struct.unpack_from('>%dH' % segments, self.data, starts_at)
        deltas = struct.unpack_from('>%dh' % segments, self.data, starts_at + 2 * segments)
        ranges_at = starts_at + 4 * segments
        ranges = struct.unpack_from('>%dH' % segments, self.data, ranges_at)
        glyphs = {}
        for s in range(segments):
            for code in range(starts[s], ends[s] + 1):
                if code == 0xFFFF:
                    continue
                if ranges[s] == 0:
                    glyph = (code + deltas[s]) & 0xFFFF
                else:
                    at = ranges_at + 2 * s + ranges[s] + 2 * (code - starts[s])
                    glyph = struct.unpack_from('>H', self.data, at)[0]
                    if glyph:
                        glyph = (glyph + deltas[s]) & 0xFFFF
                glyphs[code] = glyph
        return glyphs

    def _cap_height(self):
        if 'OS/2' in self.tables and self.tables['OS/2'][1] >= 90:
            version = self._u16('OS/2', 0)
            if version >= 2:
                return self._s16('OS/2', 88)
        return int(self.ascent * 0.72)

    def advance(self, char):
        glyph = self.cmap.get(ord(char), 0)
        return self.advances[min(glyph, len(self.advances) - 1)]

    def widths(self, text, em):
        """The advance of each character of `text` at an em of `em` units."""
        return [self.advance(c) * em / self.units_per_em for c in text]

    def width(self, text, em):
        return sum(self.widths(text, em))
