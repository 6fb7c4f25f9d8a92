#pragma once
// Colours and device-independent bitmaps as the records hold them.

#include <QColor>
#include <QImage>
#include <array>
#include <vector>

namespace lumora::wmf {

// The colours of a palette-index colour and of a DIB that names palette entries,
// when the file selects no palette of its own.
inline constexpr std::array<QRgb, 20> defaultPalette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),     qRgb(0, 128, 0),     qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128),   qRgb(0, 128, 128),   qRgb(192, 192, 192),
    qRgb(192, 220, 192), qRgb(166, 202, 240), qRgb(255, 251, 240), qRgb(160, 160, 164),
    qRgb(128, 128, 128), qRgb(255, 0, 0),     qRgb(0, 255, 0),     qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255),   qRgb(0, 255, 255),   qRgb(255, 255, 255),
};

// The colour of palette entry `index`: of `palette`, or of the default one when
// the file selects none.
QRgb paletteEntry(const std::vector<QRgb>& palette, quint32 index);

// A COLORREF: red, green, blue, and a flag byte that may make it a palette index.
QColor colourRef(quint32 value, const std::vector<QRgb>& palette);

// Colour usage of a bitmap whose table holds palette indexes.
constexpr int DibPalColours = 1;

enum class Decode { Ok, Unsupported, Damaged };

// A device-independent bitmap (header, colour table, pixels) as an image. Every
// length comes from the header and is checked against `size` before any pixel is
// read; an image is allocated only when its pixels are all in the data.
// With `mono`, a two-colour bitmap keeps its bits (a pattern brush colours them).
Decode decodeDib(const uchar* data, qint64 size, int colourUsage, const std::vector<QRgb>& palette,
                 QImage& out, bool& topDown, bool mono = false);

} // namespace lumora::wmf
