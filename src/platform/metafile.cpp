#include "platform/metafile.h"

#include "platform/codepage.h"
#include "platform/seqfile.h"
#include "platform/twips.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLabel>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <set>
#include <variant>
#include <vector>

namespace lumora {

namespace {

// ---------------------------------------------------------------- the format

namespace fn {
constexpr quint16 Eof = 0x0000;
constexpr quint16 SaveDC = 0x001E;
constexpr quint16 RealizePalette = 0x0035;
constexpr quint16 SetPalEntries = 0x0037;
constexpr quint16 CreatePalette = 0x00F7;
constexpr quint16 SetBkMode = 0x0102;
constexpr quint16 SetMapMode = 0x0103;
constexpr quint16 SetRop2 = 0x0104;
constexpr quint16 SetRelAbs = 0x0105;
constexpr quint16 SetPolyFillMode = 0x0106;
constexpr quint16 SetStretchBltMode = 0x0107;
constexpr quint16 SetTextCharExtra = 0x0108;
constexpr quint16 RestoreDC = 0x0127;
constexpr quint16 InvertRegion = 0x012A;
constexpr quint16 PaintRegion = 0x012B;
constexpr quint16 SelectClipRegion = 0x012C;
constexpr quint16 SelectObject = 0x012D;
constexpr quint16 SetTextAlign = 0x012E;
constexpr quint16 ResizePalette = 0x0139;
constexpr quint16 DibCreatePatternBrush = 0x0142;
constexpr quint16 SetLayout = 0x0149;
constexpr quint16 DeleteObject = 0x01F0;
constexpr quint16 CreatePatternBrush = 0x01F9;
constexpr quint16 SetBkColor = 0x0201;
constexpr quint16 SetTextColor = 0x0209;
constexpr quint16 SetTextJustification = 0x020A;
constexpr quint16 SetWindowOrg = 0x020B;
constexpr quint16 SetWindowExt = 0x020C;
constexpr quint16 SetViewportOrg = 0x020D;
constexpr quint16 SetViewportExt = 0x020E;
constexpr quint16 OffsetWindowOrg = 0x020F;
constexpr quint16 OffsetViewportOrg = 0x0211;
constexpr quint16 LineTo = 0x0213;
constexpr quint16 MoveTo = 0x0214;
constexpr quint16 OffsetClipRgn = 0x0220;
constexpr quint16 FillRegion = 0x0228;
constexpr quint16 SetMapperFlags = 0x0231;
constexpr quint16 SelectPalette = 0x0234;
constexpr quint16 CreatePenIndirect = 0x02FA;
constexpr quint16 CreateFontIndirect = 0x02FB;
constexpr quint16 CreateBrushIndirect = 0x02FC;
constexpr quint16 Polygon = 0x0324;
constexpr quint16 Polyline = 0x0325;
constexpr quint16 ScaleWindowExt = 0x0410;
constexpr quint16 ScaleViewportExt = 0x0412;
constexpr quint16 ExcludeClipRect = 0x0415;
constexpr quint16 IntersectClipRect = 0x0416;
constexpr quint16 Ellipse = 0x0418;
constexpr quint16 FloodFill = 0x0419;
constexpr quint16 Rectangle = 0x041B;
constexpr quint16 SetPixel = 0x041F;
constexpr quint16 FrameRegion = 0x0429;
constexpr quint16 AnimatePalette = 0x0436;
constexpr quint16 TextOut = 0x0521;
constexpr quint16 PolyPolygon = 0x0538;
constexpr quint16 ExtFloodFill = 0x0548;
constexpr quint16 RoundRect = 0x061C;
constexpr quint16 PatBlt = 0x061D;
constexpr quint16 Escape = 0x0626;
constexpr quint16 CreateRegion = 0x06FF;
constexpr quint16 Arc = 0x0817;
constexpr quint16 Pie = 0x081A;
constexpr quint16 Chord = 0x0830;
constexpr quint16 BitBlt = 0x0922;
constexpr quint16 DibBitBlt = 0x0940;
constexpr quint16 ExtTextOut = 0x0A32;
constexpr quint16 StretchBlt = 0x0B23;
constexpr quint16 DibStretchBlt = 0x0B41;
constexpr quint16 SetDibToDev = 0x0D33;
constexpr quint16 StretchDib = 0x0F43;
} // namespace fn

struct FunctionName {
    quint16 function;
    const char* name;
};
constexpr FunctionName functionNames[] = {
    {fn::Eof, "EOF"},
    {fn::SaveDC, "SaveDC"},
    {fn::RealizePalette, "RealizePalette"},
    {fn::SetPalEntries, "SetPalEntries"},
    {fn::CreatePalette, "CreatePalette"},
    {fn::SetBkMode, "SetBkMode"},
    {fn::SetMapMode, "SetMapMode"},
    {fn::SetRop2, "SetROP2"},
    {fn::SetRelAbs, "SetRelAbs"},
    {fn::SetPolyFillMode, "SetPolyFillMode"},
    {fn::SetStretchBltMode, "SetStretchBltMode"},
    {fn::SetTextCharExtra, "SetTextCharExtra"},
    {fn::RestoreDC, "RestoreDC"},
    {fn::InvertRegion, "InvertRegion"},
    {fn::PaintRegion, "PaintRegion"},
    {fn::SelectClipRegion, "SelectClipRegion"},
    {fn::SelectObject, "SelectObject"},
    {fn::SetTextAlign, "SetTextAlign"},
    {fn::ResizePalette, "ResizePalette"},
    {fn::DibCreatePatternBrush, "DIBCreatePatternBrush"},
    {fn::SetLayout, "SetLayout"},
    {fn::DeleteObject, "DeleteObject"},
    {fn::CreatePatternBrush, "CreatePatternBrush"},
    {fn::SetBkColor, "SetBkColor"},
    {fn::SetTextColor, "SetTextColor"},
    {fn::SetTextJustification, "SetTextJustification"},
    {fn::SetWindowOrg, "SetWindowOrg"},
    {fn::SetWindowExt, "SetWindowExt"},
    {fn::SetViewportOrg, "SetViewportOrg"},
    {fn::SetViewportExt, "SetViewportExt"},
    {fn::OffsetWindowOrg, "OffsetWindowOrg"},
    {fn::OffsetViewportOrg, "OffsetViewportOrg"},
    {fn::LineTo, "LineTo"},
    {fn::MoveTo, "MoveTo"},
    {fn::OffsetClipRgn, "OffsetClipRgn"},
    {fn::FillRegion, "FillRegion"},
    {fn::SetMapperFlags, "SetMapperFlags"},
    {fn::SelectPalette, "SelectPalette"},
    {fn::CreatePenIndirect, "CreatePenIndirect"},
    {fn::CreateFontIndirect, "CreateFontIndirect"},
    {fn::CreateBrushIndirect, "CreateBrushIndirect"},
    {fn::Polygon, "Polygon"},
    {fn::Polyline, "Polyline"},
    {fn::ScaleWindowExt, "ScaleWindowExt"},
    {fn::ScaleViewportExt, "ScaleViewportExt"},
    {fn::ExcludeClipRect, "ExcludeClipRect"},
    {fn::IntersectClipRect, "IntersectClipRect"},
    {fn::Ellipse, "Ellipse"},
    {fn::FloodFill, "FloodFill"},
    {fn::Rectangle, "Rectangle"},
    {fn::SetPixel, "SetPixel"},
    {fn::FrameRegion, "FrameRegion"},
    {fn::AnimatePalette, "AnimatePalette"},
    {fn::TextOut, "TextOut"},
    {fn::PolyPolygon, "PolyPolygon"},
    {fn::ExtFloodFill, "ExtFloodFill"},
    {fn::RoundRect, "RoundRect"},
    {fn::PatBlt, "PatBlt"},
    {fn::Escape, "Escape"},
    {fn::CreateRegion, "CreateRegion"},
    {fn::Arc, "Arc"},
    {fn::Pie, "Pie"},
    {fn::Chord, "Chord"},
    {fn::BitBlt, "BitBlt"},
    {fn::DibBitBlt, "DIBBitBlt"},
    {fn::ExtTextOut, "ExtTextOut"},
    {fn::StretchBlt, "StretchBlt"},
    {fn::DibStretchBlt, "DIBStretchBlt"},
    {fn::SetDibToDev, "SetDIBToDev"},
    {fn::StretchDib, "StretchDIB"},
};

// Mapping modes.
enum MapMode {
    MmText = 1,
    MmLoMetric = 2,
    MmHiMetric = 3,
    MmLoEnglish = 4,
    MmHiEnglish = 5,
    MmTwips = 6,
    MmIsotropic = 7,
    MmAnisotropic = 8,
};

// Text alignment flags.
constexpr int TaUpdateCp = 0x0001;
constexpr int TaHorizontal = 0x0006;
constexpr int TaRight = 0x0002;
constexpr int TaCenter = 0x0006;
constexpr int TaVertical = 0x0018;
constexpr int TaBottom = 0x0008;
constexpr int TaBaseline = 0x0018;

// ExtTextOut options.
constexpr int EtoOpaque = 0x0002;
constexpr int EtoClipped = 0x0004;
constexpr int EtoPdy = 0x2000;

constexpr int BkTransparent = 1;
constexpr int BkOpaque = 2;
constexpr int Winding = 2;
constexpr int StretchHalftone = 4;

constexpr int PsNull = 5;
constexpr int PsInsideFrame = 6;

constexpr int BsSolid = 0;
constexpr int BsNull = 1;
constexpr int BsHatched = 2;
constexpr int BsPattern = 3;

constexpr int DibPalColours = 1;
constexpr int SymbolCharset = 2;

// Raster operations of the bitmap and pattern records.
constexpr quint32 RopSrcCopy = 0x00CC0020;
constexpr quint32 RopSrcPaint = 0x00EE0086;
constexpr quint32 RopSrcAnd = 0x008800C6;
constexpr quint32 RopSrcInvert = 0x00660046;
constexpr quint32 RopNotSrcCopy = 0x00330008;
constexpr quint32 RopPatInvert = 0x005A0049;
constexpr quint32 RopDstInvert = 0x00550009;
constexpr quint32 RopBlackness = 0x00000042;
constexpr quint32 RopWhiteness = 0x00FF0062;

constexpr int MaxSavedStates = 1024;
constexpr int MaxObjects = 65535;
constexpr int MaxClipRects = 2048;
constexpr int MaxPaletteEntries = 1024;
// A font larger than this many device pixels is drawn smaller and scaled up, so
// that no glyph is ever rasterised at a giant size.
constexpr double MaxFontDevicePixels = 512;
// Device coordinates are kept finite and well inside what the rasteriser takes.
constexpr double CoordinateLimit = 1e9;

quint16 u16at(const uchar* p) { return static_cast<quint16>(p[0] | (p[1] << 8)); }
quint32 u32at(const uchar* p) {
    return static_cast<quint32>(p[0]) | (static_cast<quint32>(p[1]) << 8) |
           (static_cast<quint32>(p[2]) << 16) | (static_cast<quint32>(p[3]) << 24);
}

// Reads a record's parameters in order. A read past the end yields zero and marks
// the record damaged, so a handler reads straight on and checks ok() once.
class Params {
public:
    Params(const uchar* data, qsizetype size) : m_data(data), m_size(size) {}

    bool ok() const { return m_ok; }
    qsizetype size() const { return m_size; }
    qsizetype remaining() const { return m_size - m_pos; }
    bool has(qint64 bytes) const { return bytes >= 0 && bytes <= remaining(); }

    quint16 u16() {
        if (!need(2))
            return 0;
        const quint16 v = u16at(m_data + m_pos);
        m_pos += 2;
        return v;
    }
    qint16 s16() { return static_cast<qint16>(u16()); }
    quint32 u32() {
        if (!need(4))
            return 0;
        const quint32 v = u32at(m_data + m_pos);
        m_pos += 4;
        return v;
    }
    quint8 u8() {
        if (!need(1))
            return 0;
        return m_data[m_pos++];
    }
    // The next `bytes` bytes, or nullptr (and damaged) when the record is shorter.
    const uchar* take(qint64 bytes) {
        if (!need(bytes))
            return nullptr;
        const uchar* p = m_data + m_pos;
        m_pos += static_cast<qsizetype>(bytes);
        return p;
    }
    const uchar* rest() const { return m_data + m_pos; }
    void fail() { m_ok = false; }

private:
    bool need(qint64 bytes) {
        if (!m_ok || !has(bytes)) {
            m_ok = false;
            return false;
        }
        return true;
    }

    const uchar* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

// ------------------------------------------------------------------- colours

// The colours of a palette-index colour and of a DIB that names palette entries,
// when the file selects no palette of its own.
constexpr std::array<QRgb, 20> defaultPalette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),     qRgb(0, 128, 0),     qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128),   qRgb(0, 128, 128),   qRgb(192, 192, 192),
    qRgb(192, 220, 192), qRgb(166, 202, 240), qRgb(255, 251, 240), qRgb(160, 160, 164),
    qRgb(128, 128, 128), qRgb(255, 0, 0),     qRgb(0, 255, 0),     qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255),   qRgb(0, 255, 255),   qRgb(255, 255, 255),
};

QRgb paletteEntry(const std::vector<QRgb>& palette, quint32 index) {
    if (!palette.empty())
        return index < palette.size() ? palette[index] : qRgb(0, 0, 0);
    return index < defaultPalette.size() ? defaultPalette[index] : qRgb(0, 0, 0);
}

// A COLORREF: red, green, blue, and a flag byte that may make it a palette index.
QColor colourRef(quint32 value, const std::vector<QRgb>& palette) {
    if ((value >> 24) == 0x01)
        return QColor::fromRgb(paletteEntry(palette, value & 0xFFFF));
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// ------------------------------------------------------------------------ text

// The Symbol font's code points as Unicode, from 0x20; 0 keeps the byte's own
// character.
// clang-format off
constexpr std::array<char16_t, 224> symbolCharacters = {
    /* 20 */ 0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B,
    /* 28 */ 0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F,
    /* 30 */ 0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    /* 38 */ 0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,
    /* 40 */ 0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,
    /* 48 */ 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    /* 50 */ 0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9,
    /* 58 */ 0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F,
    /* 60 */ 0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    /* 68 */ 0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,
    /* 70 */ 0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9,
    /* 78 */ 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C,      0,
    /* 80 */      0,      0,      0,      0,      0,      0,      0,      0,
    /* 88 */      0,      0,      0,      0,      0,      0,      0,      0,
    /* 90 */      0,      0,      0,      0,      0,      0,      0,      0,
    /* 98 */      0,      0,      0,      0,      0,      0,      0,      0,
    /* A0 */ 0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663,
    /* A8 */ 0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
    /* B0 */ 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,
    /* B8 */ 0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,
    /* C0 */ 0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229,
    /* C8 */ 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    /* D0 */ 0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5,
    /* D8 */ 0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
    /* E0 */ 0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,
    /* E8 */ 0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,
    /* F0 */      0, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,
    /* F8 */ 0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD,      0,
};
// clang-format on

QString decodeSymbol(const QByteArray& bytes) {
    QString text = cp1252::decode(bytes);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<uchar>(bytes[i]);
        if (b >= 0x20 && symbolCharacters[b - 0x20] != 0)
            text[i] = QChar(symbolCharacters[b - 0x20]);
    }
    return text;
}

// The code page of a font's character set, for the few files written in another
// one; nullptr means Windows-1252.
const char* charsetCodec(int charset) {
    switch (charset) {
    case 128:
        return "Shift_JIS";
    case 129:
        return "EUC-KR";
    case 134:
        return "GBK";
    case 136:
        return "Big5";
    case 161:
        return "windows-1253";
    case 162:
        return "windows-1254";
    case 163:
        return "windows-1258";
    case 177:
        return "windows-1255";
    case 178:
        return "windows-1256";
    case 186:
        return "windows-1257";
    case 204:
        return "windows-1251";
    case 222:
        return "windows-874";
    case 238:
        return "windows-1250";
    default:
        return nullptr;
    }
}

bool isMultiByte(int charset) {
    return charset == 128 || charset == 129 || charset == 134 || charset == 136;
}

// ------------------------------------------------------------------ objects

struct PenObj {
    int style = 0;
    double width = 0; // logical units; 0 is one device pixel
    QColor colour = Qt::black;
};

struct BrushObj {
    int style = BsSolid;
    QColor colour = Qt::white;
    int hatch = 0;
    QImage pattern;    // pattern brushes
    bool mono = false; // a monochrome pattern takes the text and background colours
};

struct FontObj {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charset = 0;
    int pitchAndFamily = 0;
    QString face;
};

struct PaletteObj {
    std::vector<QRgb> entries;
};

struct RegionObj {
    std::vector<QRect> rects; // logical units
};

// An object of a kind that is not drawn; it holds its place in the table.
struct Placeholder {};

using Object = std::variant<Placeholder, PenObj, BrushObj, FontObj, PaletteObj, RegionObj>;

bool isSymbolFont(const FontObj& f) {
    return f.charset == SymbolCharset ||
           f.face.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0;
}

// ------------------------------------------------------------------- bitmaps

enum class Decode { Ok, Unsupported, Damaged };

struct ChannelMask {
    quint32 mask = 0;
    int shift = 0;
    int bits = 0;
    explicit ChannelMask(quint32 m = 0) : mask(m) {
        if (m == 0)
            return;
        while (((m >> shift) & 1) == 0)
            ++shift;
        while (bits < 32 - shift && ((m >> (shift + bits)) & 1) != 0)
            ++bits;
    }
    int value(quint32 pixel) const {
        if (bits == 0)
            return 0;
        const quint32 v = (pixel & mask) >> shift;
        const quint32 max = bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1);
        return static_cast<int>((static_cast<quint64>(v) * 255 + max / 2) / max);
    }
};

// A device-independent bitmap (header, colour table, pixels) as an image. Every
// length comes from the header and is checked against `size` before any pixel is
// read; an image is allocated only when its pixels are all in the data.
// With `mono`, a two-colour bitmap keeps its bits (a pattern brush colours them).
Decode decodeDib(const uchar* data, qint64 size, int colourUsage, const std::vector<QRgb>& palette,
                 QImage& out, bool& topDown, bool mono = false) {
    if (size < 4)
        return Decode::Damaged;
    const quint32 headerSize = u32at(data);
    qint64 width = 0;
    qint64 height = 0;
    int bitCount = 0;
    quint32 compression = 0;
    qint64 colours = 0;
    bool core = false;
    std::array<quint32, 3> masks{};
    qint64 offset = headerSize;
    if (headerSize == 12) {
        if (size < 12)
            return Decode::Damaged;
        core = true;
        width = u16at(data + 4);
        height = u16at(data + 6);
        bitCount = u16at(data + 10);
    } else if (headerSize >= 40) {
        if (size < headerSize)
            return Decode::Damaged;
        width = static_cast<qint32>(u32at(data + 4));
        height = static_cast<qint32>(u32at(data + 8));
        bitCount = u16at(data + 14);
        compression = u32at(data + 16);
        colours = u32at(data + 32);
        if (compression == 3) {
            // The three masks end a long header, or follow a short one.
            const uchar* m = data + 40;
            if (headerSize < 52) {
                if (size < qint64(headerSize) + 12)
                    return Decode::Damaged;
                m = data + headerSize;
                offset += 12;
            }
            masks = {u32at(m), u32at(m + 4), u32at(m + 8)};
        }
    } else {
        return headerSize > size ? Decode::Damaged : Decode::Unsupported;
    }

    topDown = height < 0;
    height = std::abs(height);
    if (width <= 0 || height == 0)
        return Decode::Unsupported;
    if (width > (1 << 24) || height > (1 << 24))
        return Decode::Unsupported;
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        if (compression != 0)
            return Decode::Unsupported; // run-length coded bitmaps are not drawn
        break;
    case 16:
    case 32:
        if (compression != 0 && compression != 3)
            return Decode::Unsupported;
        break;
    default:
        return Decode::Unsupported;
    }
    if (bitCount <= 8 && colours == 0)
        colours = qint64(1) << bitCount;
    const int entrySize = core ? 3 : (colourUsage == DibPalColours ? 2 : 4);
    const qint64 tableOffset = offset;
    offset += colours * entrySize;
    const qint64 stride = ((width * bitCount + 31) / 32) * 4;
    if (offset > size || stride * height > size - offset)
        return Decode::Damaged;
    if (width * height > Metafile::MaxBitmapPixels)
        return Decode::Unsupported;

    std::array<QRgb, 256> table{};
    for (qint64 i = 0; i < std::min<qint64>(colours, 256) && bitCount <= 8; ++i) {
        const uchar* e = data + tableOffset + i * entrySize;
        if (entrySize == 2)
            table[i] = paletteEntry(palette, u16at(e));
        else
            table[i] = qRgb(e[2], e[1], e[0]);
    }
    if (bitCount == 16 && compression == 0)
        masks = {0x7C00, 0x03E0, 0x001F};
    const ChannelMask red(masks[0]), green(masks[1]), blue(masks[2]);
    const bool fields = compression == 3;

    const uchar* pixels = data + offset;
    if (mono && bitCount == 1) {
        QImage bits(static_cast<int>(width), static_cast<int>(height), QImage::Format_Mono);
        if (bits.isNull())
            return Decode::Unsupported;
        for (qint64 y = 0; y < height; ++y)
            std::copy_n(pixels + stride * (topDown ? y : height - 1 - y), (width + 7) / 8,
                        bits.scanLine(static_cast<int>(y)));
        out = std::move(bits);
        return Decode::Ok;
    }
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull())
        return Decode::Unsupported;
    for (qint64 y = 0; y < height; ++y) {
        const uchar* row = pixels + stride * (topDown ? y : height - 1 - y);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
        for (qint64 x = 0; x < width; ++x) {
            QRgb c = 0;
            switch (bitCount) {
            case 1:
                c = table[(row[x >> 3] >> (7 - (x & 7))) & 1];
                break;
            case 4:
                c = table[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
                break;
            case 8:
                c = table[row[x]];
                break;
            case 16: {
                const quint32 v = u16at(row + 2 * x);
                c = qRgb(red.value(v), green.value(v), blue.value(v));
                break;
            }
            case 24:
                c = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                break;
            case 32: {
                const uchar* p = row + 4 * x;
                if (fields) {
                    const quint32 v = u32at(p);
                    c = qRgb(red.value(v), green.value(v), blue.value(v));
                } else {
                    c = qRgb(p[2], p[1], p[0]);
                }
                break;
            }
            }
            line[x] = c | 0xFF000000u;
        }
    }
    out = std::move(image);
    return Decode::Ok;
}

// ------------------------------------------------------------------ geometry

// A closed polygon cut to a rectangle, edge by edge. Inside the rectangle every
// point keeps its winding number, so the fill is the same under either rule.
QPolygonF clipPolygon(QPolygonF poly, const QRectF& box) {
    for (int edge = 0; edge < 4 && !poly.isEmpty(); ++edge) {
        auto inside = [&](QPointF p) {
            switch (edge) {
            case 0:
                return p.x() >= box.left();
            case 1:
                return p.x() <= box.right();
            case 2:
                return p.y() >= box.top();
            default:
                return p.y() <= box.bottom();
            }
        };
        auto cross = [&](QPointF a, QPointF b) {
            if (edge < 2) {
                const double x = edge == 0 ? box.left() : box.right();
                return QPointF(x, a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x()));
            }
            const double y = edge == 2 ? box.top() : box.bottom();
            return QPointF(a.x() + (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()), y);
        };
        QPolygonF out;
        out.reserve(poly.size() + 4);
        QPointF prev = poly.last();
        for (const QPointF& cur : poly) {
            if (inside(cur)) {
                if (!inside(prev))
                    out << cross(prev, cur);
                out << cur;
            } else if (inside(prev)) {
                out << cross(prev, cur);
            }
            prev = cur;
        }
        poly = std::move(out);
    }
    return poly;
}

// An open line cut to a rectangle: the runs of it that lie inside.
std::vector<QPolygonF> clipPolyline(const QPolygonF& line, const QRectF& box) {
    std::vector<QPolygonF> runs;
    QPolygonF run;
    auto flush = [&] {
        if (run.size() >= 2)
            runs.push_back(run);
        run.clear();
    };
    for (qsizetype i = 1; i < line.size(); ++i) {
        const QPointF a = line[i - 1], d = line[i] - line[i - 1];
        double t0 = 0, t1 = 1;
        bool visible = true;
        auto edge = [&](double p, double q) {
            if (p == 0) {
                visible = visible && q >= 0;
                return;
            }
            const double r = q / p;
            if (p < 0)
                t0 = std::max(t0, r);
            else
                t1 = std::min(t1, r);
        };
        edge(-d.x(), a.x() - box.left());
        edge(d.x(), box.right() - a.x());
        edge(-d.y(), a.y() - box.top());
        edge(d.y(), box.bottom() - a.y());
        if (!visible || t0 > t1) {
            flush();
            continue;
        }
        const QPointF p0 = a + d * t0, p1 = a + d * t1;
        if (run.isEmpty() || run.last() != p0) {
            flush();
            run << p0;
        }
        run << p1;
        if (t1 < 1)
            flush();
    }
    flush();
    return runs;
}

} // namespace

// ------------------------------------------------------------------ the player

class MetafilePlayer {
public:
    MetafilePlayer(const Metafile& metafile, QPainter& painter, const QRectF& target);
    PlayStats run();

private:
    enum class Outcome { Played, Skipped, Ignored, Damaged };

    struct Mapping {
        int mode = MmAnisotropic;
        double windowX = 0, windowY = 0, windowW = 1, windowH = 1;
        double viewX = 0, viewY = 0, viewW = 1, viewH = 1;
    };

    struct State {
        Mapping mapping;
        PenObj pen;
        BrushObj brush;
        FontObj font;
        std::vector<QRgb> palette;
        QColor textColour = Qt::black;
        QColor bkColour = Qt::white;
        int bkMode = BkOpaque;
        int textAlign = 0;
        int polyFillMode = 1;
        int stretchMode = 1;
        int charExtra = 0;
        QPointF position;            // current position, logical
        std::optional<QRegion> clip; // in the painter's coordinates
    };

    Outcome play(quint16 function, Params& p);

    // mapping
    void updateTransform();
    QPointF map(double x, double y) const;
    QRectF mapRect(double left, double top, double right, double bottom) const;
    double scaleX() const { return std::abs(m_ax); }
    double scaleY() const { return std::abs(m_ay); }
    Outcome setExtent(Params& p, bool window);
    Outcome scaleExtent(Params& p, bool window);

    // objects
    Outcome addObject(Object object);
    const Object* object(int index) const;
    Outcome selectObject(int index);
    Outcome deleteObject(int index);
    Outcome createPen(Params& p);
    Outcome createBrush(Params& p);
    Outcome createFont(Params& p);
    Outcome createPalette(Params& p);
    Outcome createRegion(Params& p);
    Outcome createPatternBrush(Params& p);
    Outcome setPaletteEntries(Params& p);

    // clipping
    static QRect regionRect(const QRectF& r);
    QRegion currentClip() const { return m_state.clip ? *m_state.clip : m_base; }
    void setClip(std::optional<QRegion> clip);
    Outcome clipRect(Params& p, bool exclude);
    QRegion mapRegion(const RegionObj& region);

    // drawing
    void charge(qint64 work) { m_work += work; }
    QPen pen() const;
    QBrush brush() const;
    void prepare(bool stroke, bool fill);
    void drawShape(const QPainterPath& path, bool closed);
    Outcome drawPoly(Params& p, bool closed);
    Outcome drawPolyPolygon(Params& p);
    Outcome drawRectLike(Params& p, quint16 function);
    Outcome drawArcLike(Params& p, quint16 function);
    Outcome drawText(Params& p, bool extended);
    void paintText(QPointF ref, const QByteArray& bytes, const std::vector<double>& dx);
    QString decodeText(const QByteArray& bytes) const;
    QFont makeFont(double pixels) const;
    Outcome fillRegion(int regionIndex, const QBrush& brush);
    Outcome patBlt(quint32 rop, const QRectF& rect);
    Outcome drawDib(Params& p, quint16 function);
    void drawImage(const QImage& image, QRectF source, const QRectF& dest, quint32 rop);

    const Metafile& m_file;
    QPainter& m_painter;
    QRectF m_target;
    QRegion m_base; // the target, within any clip the caller had
    bool m_rasterOps = false;
    double m_deviceScale = 1;

    State m_state;
    std::vector<State> m_saved;
    std::vector<std::optional<Object>> m_objects;
    std::set<int> m_freeSlots;
    std::vector<PlacedText> m_texts;

    double m_ax = 1, m_bx = 0, m_ay = 1, m_by = 0; // logical to painter coordinates
    qint64 m_work = 0;
};

MetafilePlayer::MetafilePlayer(const Metafile& metafile, QPainter& painter, const QRectF& target)
    : m_file(metafile), m_painter(painter), m_target(target.normalized()) {
    const QRect box = m_file.m_bounds;
    Mapping& m = m_state.mapping;
    m.windowX = m.viewX = box.left();
    m.windowY = m.viewY = box.top();
    m.windowW = m.viewW = box.width();
    m.windowH = m.viewH = box.height();
    m_objects.reserve(static_cast<size_t>(std::clamp(m_file.m_objectCount, 0, 1024)));

    const QTransform device = painter.deviceTransform();
    m_deviceScale = std::sqrt(std::abs(device.determinant()));
    if (!std::isfinite(m_deviceScale) || m_deviceScale <= 0)
        m_deviceScale = 1;
    m_rasterOps =
        painter.paintEngine() && painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    m_base = QRegion(regionRect(m_target));
    if (painter.hasClipping())
        m_base &= painter.clipRegion();
    updateTransform();
}

PlayStats MetafilePlayer::run() {
    PlayStats stats;
    const QByteArray& bytes = m_file.m_bytes;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype size = bytes.size();
    if (m_target.isEmpty() || m_file.m_bounds.isEmpty())
        return stats;

    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setClipRegion(m_base);

    auto stop = [&stats](const QString& why) {
        stats.endedEarly = true;
        stats.endReason = why;
    };
    qsizetype pos = m_file.m_recordsStart;
    int records = 0;
    while (true) {
        if (pos == size)
            break; // the end record is missing, but no record is cut short
        if (size - pos < 6) {
            stop(QStringLiteral("a record header is cut short at byte %1").arg(pos));
            break;
        }
        if (++records > Metafile::MaxRecords) {
            stop(QStringLiteral("more than %1 records").arg(Metafile::MaxRecords));
            break;
        }
        const quint32 words = u32at(data + pos);
        const quint16 function = u16at(data + pos + 4);
        if (words < 3) {
            stop(QStringLiteral("a record of %1 words at byte %2").arg(words).arg(pos));
            break;
        }
        if (qint64(words) * 2 > size - pos) {
            stop(QStringLiteral("%1 at byte %2 runs past the end of the file")
                     .arg(metafileFunctionName(function))
                     .arg(pos));
            break;
        }
        if (function == fn::Eof) {
            ++stats.played;
            break;
        }
        Params params(data + pos + 6, qsizetype(words) * 2 - 6);
        const Outcome outcome = play(function, params);
        if (outcome == Outcome::Damaged || !params.ok()) {
            stop(QStringLiteral("%1 at byte %2 is damaged")
                     .arg(metafileFunctionName(function))
                     .arg(pos));
            break;
        }
        switch (outcome) {
        case Outcome::Played:
            ++stats.played;
            break;
        case Outcome::Skipped:
            ++stats.skipped[function];
            break;
        case Outcome::Ignored:
            ++stats.ignored;
            break;
        case Outcome::Damaged:
            break;
        }
        if (m_work > Metafile::MaxWork) {
            stop(QStringLiteral("the drawing is too large to finish"));
            break;
        }
        pos += qsizetype(words) * 2;
    }
    m_painter.restore();
    stats.texts = std::move(m_texts);
    return stats;
}

// ------------------------------------------------------------------- mapping

void MetafilePlayer::updateTransform() {
    const Mapping& m = m_state.mapping;
    const double inch = m_file.m_unitsPerInch;
    double sx = 1, sy = 1;
    switch (m.mode) {
    case MmLoMetric:
        sx = inch / 254.0, sy = -sx;
        break;
    case MmHiMetric:
        sx = inch / 2540.0, sy = -sx;
        break;
    case MmLoEnglish:
        sx = inch / 100.0, sy = -sx;
        break;
    case MmHiEnglish:
        sx = inch / 1000.0, sy = -sx;
        break;
    case MmTwips:
        sx = inch / 1440.0, sy = -sx;
        break;
    case MmIsotropic:
    case MmAnisotropic:
        sx = m.viewW / m.windowW;
        sy = m.viewH / m.windowH;
        if (m.mode == MmIsotropic) {
            const double k = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(k, sx);
            sy = std::copysign(k, sy);
        }
        break;
    default:
        break; // MM_TEXT: a logical unit is a unit of the box
    }
    const QRect box = m_file.m_bounds;
    const double kx = m_target.width() / box.width();
    const double ky = m_target.height() / box.height();
    m_ax = sx * kx;
    m_ay = sy * ky;
    m_bx = m_target.left() + (m.viewX - m.windowX * sx - box.left()) * kx;
    m_by = m_target.top() + (m.viewY - m.windowY * sy - box.top()) * ky;
    if (!std::isfinite(m_ax) || !std::isfinite(m_ay) || !std::isfinite(m_bx) ||
        !std::isfinite(m_by)) {
        m_ax = m_ay = 1;
        m_bx = m_by = 0;
    }
}

QPointF MetafilePlayer::map(double x, double y) const {
    return {std::clamp(m_ax * x + m_bx, -CoordinateLimit, CoordinateLimit),
            std::clamp(m_ay * y + m_by, -CoordinateLimit, CoordinateLimit)};
}

QRectF MetafilePlayer::mapRect(double left, double top, double right, double bottom) const {
    return QRectF(map(left, top), map(right, bottom)).normalized();
}

MetafilePlayer::Outcome MetafilePlayer::setExtent(Params& p, bool window) {
    const double h = p.s16();
    const double w = p.s16();
    if (!p.ok())
        return Outcome::Damaged;
    if (w == 0 || h == 0)
        return Outcome::Ignored;
    Mapping& m = m_state.mapping;
    (window ? m.windowW : m.viewW) = w;
    (window ? m.windowH : m.viewH) = h;
    updateTransform();
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::scaleExtent(Params& p, bool window) {
    const double yDenom = p.s16();
    const double yNum = p.s16();
    const double xDenom = p.s16();
    const double xNum = p.s16();
    if (!p.ok())
        return Outcome::Damaged;
    if (xDenom == 0 || yDenom == 0 || xNum == 0 || yNum == 0)
        return Outcome::Ignored;
    Mapping& m = m_state.mapping;
    double& w = window ? m.windowW : m.viewW;
    double& h = window ? m.windowH : m.viewH;
    const double nw = w * xNum / xDenom;
    const double nh = h * yNum / yDenom;
    if (std::abs(nw) < 1e-9 || std::abs(nh) < 1e-9 || std::abs(nw) > 1e12 || std::abs(nh) > 1e12)
        return Outcome::Ignored;
    w = nw;
    h = nh;
    updateTransform();
    return Outcome::Played;
}

// ------------------------------------------------------------------- objects

MetafilePlayer::Outcome MetafilePlayer::addObject(Object obj) {
    // A new object takes the lowest free slot, as the recording program's table did,
    // so that the indexes of later records name the same objects.
    if (!m_freeSlots.empty()) {
        const int slot = *m_freeSlots.begin();
        m_freeSlots.erase(m_freeSlots.begin());
        m_objects[static_cast<size_t>(slot)] = std::move(obj);
        return Outcome::Played;
    }
    if (m_objects.size() >= MaxObjects)
        return Outcome::Ignored;
    m_objects.emplace_back(std::move(obj));
    return Outcome::Played;
}

const Object* MetafilePlayer::object(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_objects.size() ||
        !m_objects[static_cast<size_t>(index)])
        return nullptr;
    return &*m_objects[static_cast<size_t>(index)];
}

MetafilePlayer::Outcome MetafilePlayer::selectObject(int index) {
    const Object* obj = object(index);
    if (!obj)
        return Outcome::Ignored;
    if (const auto* pen = std::get_if<PenObj>(obj))
        m_state.pen = *pen;
    else if (const auto* b = std::get_if<BrushObj>(obj))
        m_state.brush = *b;
    else if (const auto* font = std::get_if<FontObj>(obj))
        m_state.font = *font;
    else if (const auto* region = std::get_if<RegionObj>(obj))
        setClip(mapRegion(*region));
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::deleteObject(int index) {
    if (!object(index))
        return Outcome::Ignored;
    // What is selected stays in use: the state holds its own copy.
    m_objects[static_cast<size_t>(index)].reset();
    m_freeSlots.insert(index);
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::createPen(Params& p) {
    PenObj pen;
    pen.style = p.u16();
    pen.width = p.s16();
    p.s16(); // the unused height of the width
    pen.colour = colourRef(p.u32(), m_state.palette);
    if (!p.ok())
        return Outcome::Damaged;
    pen.width = std::abs(pen.width);
    return addObject(pen);
}

MetafilePlayer::Outcome MetafilePlayer::createBrush(Params& p) {
    BrushObj b;
    b.style = p.u16();
    b.colour = colourRef(p.u32(), m_state.palette);
    b.hatch = p.u16();
    if (!p.ok())
        return Outcome::Damaged;
    if (b.style == BsPattern || b.style > 6)
        b.style = BsSolid; // a pattern needs a bitmap this record cannot hold
    return addObject(b);
}

MetafilePlayer::Outcome MetafilePlayer::createPatternBrush(Params& p) {
    const int style = p.u16();
    const int usage = p.u16();
    if (!p.ok())
        return Outcome::Damaged;
    // A BS_PATTERN brush holds explicit colours; a two-colour one takes the text and
    // background colours where it is used.
    BrushObj b;
    b.style = BsPattern;
    b.mono = style == BsPattern;
    charge(p.remaining() / 64);
    bool topDown = false;
    const Decode result = decodeDib(p.rest(), p.remaining(), b.mono ? 0 : usage, m_state.palette,
                                    b.pattern, topDown, b.mono);
    b.mono = b.mono && b.pattern.format() == QImage::Format_Mono;
    if (result == Decode::Damaged)
        return Outcome::Damaged;
    if (result == Decode::Unsupported) {
        addObject(Placeholder{});
        return Outcome::Skipped;
    }
    return addObject(std::move(b));
}

MetafilePlayer::Outcome MetafilePlayer::createFont(Params& p) {
    FontObj font;
    font.height = p.s16();
    font.width = p.s16();
    font.escapement = p.s16();
    p.s16(); // orientation: each glyph turns with the line
    font.weight = p.s16();
    font.italic = p.u8() != 0;
    font.underline = p.u8() != 0;
    font.strikeOut = p.u8() != 0;
    font.charset = p.u8();
    p.u8(); // out precision
    p.u8(); // clip precision
    p.u8(); // quality
    font.pitchAndFamily = p.u8();
    if (!p.ok())
        return Outcome::Damaged;
    // The face name fills up to 32 bytes; writers often store it shorter.
    const qsizetype n = std::min<qsizetype>(32, p.remaining());
    QByteArray face(reinterpret_cast<const char*>(p.take(n)), n);
    const qsizetype nul = face.indexOf('\0');
    if (nul >= 0)
        face.truncate(nul);
    font.face = cp1252::decode(face).trimmed();
    return addObject(font);
}

MetafilePlayer::Outcome MetafilePlayer::createPalette(Params& p) {
    p.u16(); // start: the version of the palette
    const int count = p.u16();
    const uchar* entries = p.take(qint64(count) * 4);
    if (!entries)
        return Outcome::Damaged;
    PaletteObj palette;
    palette.entries.reserve(static_cast<size_t>(std::min(count, MaxPaletteEntries)));
    for (int i = 0; i < std::min(count, MaxPaletteEntries); ++i)
        palette.entries.push_back(qRgb(entries[4 * i], entries[4 * i + 1], entries[4 * i + 2]));
    return addObject(std::move(palette));
}

MetafilePlayer::Outcome MetafilePlayer::setPaletteEntries(Params& p) {
    const int start = p.u16();
    const int count = p.u16();
    const uchar* entries = p.take(qint64(count) * 4);
    if (!entries)
        return Outcome::Damaged;
    std::vector<QRgb>& palette = m_state.palette;
    for (int i = 0; i < count && start + i < MaxPaletteEntries; ++i) {
        if (static_cast<size_t>(start + i) >= palette.size())
            palette.resize(static_cast<size_t>(start + i) + 1, qRgb(0, 0, 0));
        palette[static_cast<size_t>(start + i)] =
            qRgb(entries[4 * i], entries[4 * i + 1], entries[4 * i + 2]);
    }
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::createRegion(Params& p) {
    p.u16(); // next in chain
    p.u16(); // object type
    p.u32(); // object count
    p.u16(); // region size
    const int scans = p.u16();
    p.u16(); // longest scan
    const int left = p.s16();
    const int top = p.s16();
    const int right = p.s16();
    const int bottom = p.s16();
    if (!p.ok())
        return Outcome::Damaged;
    RegionObj region;
    for (int s = 0; s < scans; ++s) {
        const int count = p.u16();
        const int scanTop = p.s16();
        const int scanBottom = p.s16();
        if (!p.ok() || count % 2 != 0)
            return Outcome::Damaged;
        for (int i = 0; i < count / 2; ++i) {
            const int l = p.s16();
            const int r = p.s16();
            if (r > l && scanBottom > scanTop && region.rects.size() < MaxClipRects)
                region.rects.emplace_back(QPoint(l, scanTop), QPoint(r - 1, scanBottom - 1));
        }
        p.u16(); // the count again
        if (!p.ok())
            return Outcome::Damaged;
    }
    if (scans == 0 && right > left && bottom > top)
        region.rects.emplace_back(QPoint(left, top), QPoint(right - 1, bottom - 1));
    charge(scans);
    return addObject(std::move(region));
}

// ------------------------------------------------------------------ clipping

QRect MetafilePlayer::regionRect(const QRectF& r) {
    auto edge = [](double v) {
        return static_cast<int>(std::floor(std::clamp(v, -1e9, 1e9) + 0.5));
    };
    const int l = edge(r.left()), t = edge(r.top()), rr = edge(r.right()), b = edge(r.bottom());
    if (rr <= l || b <= t)
        return {};
    return QRect(QPoint(l, t), QPoint(rr - 1, b - 1));
}

void MetafilePlayer::setClip(std::optional<QRegion> clip) {
    m_state.clip = std::move(clip);
    if (m_state.clip)
        *m_state.clip &= m_base;
    m_painter.setClipRegion(currentClip());
}

MetafilePlayer::Outcome MetafilePlayer::clipRect(Params& p, bool exclude) {
    const int bottom = p.s16();
    const int right = p.s16();
    const int top = p.s16();
    const int left = p.s16();
    if (!p.ok())
        return Outcome::Damaged;
    const QRect r = regionRect(mapRect(left, top, right, bottom));
    QRegion clip = currentClip();
    charge(clip.rectCount());
    if (exclude) {
        const QRegion next = clip.subtracted(r);
        if (next.rectCount() > MaxClipRects)
            return Outcome::Ignored;
        clip = next;
    } else {
        clip &= r;
    }
    setClip(clip);
    return Outcome::Played;
}

QRegion MetafilePlayer::mapRegion(const RegionObj& region) {
    QRegion out;
    charge(qint64(region.rects.size()) * qint64(region.rects.size()) / 64);
    for (const QRect& r : region.rects)
        out += regionRect(mapRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1));
    return out;
}

// ------------------------------------------------------------------- drawing

QPen MetafilePlayer::pen() const {
    const PenObj& p = m_state.pen;
    const int style = p.style & 0x0F;
    if (style == PsNull)
        return Qt::NoPen;
    QPen qp(p.colour);
    double width = p.width * scaleX();
    // A pen narrower than a pixel still draws one pixel, as width 0 does; only such
    // hairlines are dashed, wider pens are solid whatever their style.
    const bool hairline = width * m_deviceScale < 1.5;
    const double limit = 4 * (m_target.width() + m_target.height());
    qp.setWidthF(hairline ? 0 : std::min(width, limit));
    if (hairline) {
        switch (style) {
        case 1:
            qp.setStyle(Qt::DashLine);
            break;
        case 2:
        case 8:
            qp.setStyle(Qt::DotLine);
            break;
        case 3:
            qp.setStyle(Qt::DashDotLine);
            break;
        case 4:
            qp.setStyle(Qt::DashDotDotLine);
            break;
        default:
            break;
        }
    }
    switch (p.style & 0x0F00) {
    case 0x0100:
        qp.setCapStyle(Qt::SquareCap);
        break;
    case 0x0200:
        qp.setCapStyle(Qt::FlatCap);
        break;
    default:
        qp.setCapStyle(Qt::RoundCap);
        break;
    }
    switch (p.style & 0xF000) {
    case 0x1000:
        qp.setJoinStyle(Qt::BevelJoin);
        break;
    case 0x2000:
        qp.setJoinStyle(Qt::MiterJoin);
        break;
    default:
        qp.setJoinStyle(Qt::RoundJoin);
        break;
    }
    return qp;
}

QBrush MetafilePlayer::brush() const {
    const BrushObj& b = m_state.brush;
    switch (b.style) {
    case BsNull:
        return Qt::NoBrush;
    case BsHatched: {
        static constexpr std::array<Qt::BrushStyle, 6> hatches = {
            Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
            Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(b.colour, b.hatch >= 0 && b.hatch < 6 ? hatches[b.hatch] : Qt::SolidPattern);
    }
    case BsSolid:
        return QBrush(b.colour);
    default:
        if (b.pattern.isNull())
            return QBrush(b.colour);
        if (b.mono) {
            QImage tile = b.pattern;
            tile.setColorTable({m_state.textColour.rgb(), m_state.bkColour.rgb()});
            return QBrush(tile);
        }
        return QBrush(b.pattern);
    }
}

void MetafilePlayer::prepare(bool stroke, bool fill) {
    m_painter.setPen(stroke ? pen() : QPen(Qt::NoPen));
    m_painter.setBrush(fill ? brush() : QBrush(Qt::NoBrush));
    m_painter.setBackgroundMode(m_state.bkMode == BkOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
    m_painter.setBackground(m_state.bkColour);
}

void MetafilePlayer::drawShape(const QPainterPath& path, bool closed) {
    if (m_base.isEmpty())
        return;
    // Qt rasterises a shape over its whole extent, so one that reaches far past the
    // target (a file can make a unit millions of pixels) is first cut down to a box
    // around it, wide enough that the cut edges and their outline never show.
    const QPen& pen = m_painter.pen();
    const double pad = (pen.style() == Qt::NoPen ? 0 : pen.widthF()) + 4 / m_deviceScale;
    const QRectF box = QRectF(m_base.boundingRect()).adjusted(-pad, -pad, pad, pad);
    const QRectF bounds = path.controlPointRect();
    const double reach = std::max(box.width(), box.height());
    if (box.adjusted(-reach, -reach, reach, reach).contains(bounds)) {
        m_painter.drawPath(path);
        return;
    }
    // Curves are flattened where the shape is at most a million units across, so the
    // pieces stay few, then each piece is cut.
    const double size = std::max(bounds.width(), bounds.height());
    const double k = size > 1e6 ? 1e6 / size : 1;
    QPainterPath cut;
    cut.setFillRule(path.fillRule());
    for (QPolygonF piece : path.toSubpathPolygons(QTransform::fromScale(k, k))) {
        for (QPointF& pt : piece)
            pt /= k;
        charge(piece.size() / 16);
        if (closed) {
            const QPolygonF inside = clipPolygon(piece, box);
            if (inside.size() >= 2) {
                cut.addPolygon(inside);
                cut.closeSubpath();
            }
        } else {
            for (const QPolygonF& run : clipPolyline(piece, box))
                cut.addPolygon(run);
        }
    }
    m_painter.drawPath(cut);
}

MetafilePlayer::Outcome MetafilePlayer::drawPoly(Params& p, bool closed) {
    const int count = p.s16();
    if (count < 0)
        return Outcome::Damaged;
    if (!p.has(qint64(count) * 4))
        return Outcome::Damaged;
    QPolygonF polygon;
    polygon.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int x = p.s16();
        const int y = p.s16();
        polygon << map(x, y);
    }
    charge(8 + count / 16);
    if (count < 2)
        return Outcome::Played;
    QPainterPath path;
    path.setFillRule(m_state.polyFillMode == Winding ? Qt::WindingFill : Qt::OddEvenFill);
    path.addPolygon(polygon);
    if (closed)
        path.closeSubpath();
    prepare(true, closed);
    drawShape(path, closed);
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::drawPolyPolygon(Params& p) {
    const int polygons = p.u16();
    std::vector<int> counts(static_cast<size_t>(polygons));
    qint64 total = 0;
    for (int& c : counts) {
        c = p.u16();
        total += c;
    }
    if (!p.ok() || !p.has(total * 4))
        return Outcome::Damaged;
    QPainterPath path;
    path.setFillRule(m_state.polyFillMode == Winding ? Qt::WindingFill : Qt::OddEvenFill);
    for (int c : counts) {
        QPolygonF polygon;
        polygon.reserve(c);
        for (int i = 0; i < c; ++i) {
            const int x = p.s16();
            const int y = p.s16();
            polygon << map(x, y);
        }
        if (c >= 2) {
            path.addPolygon(polygon);
            path.closeSubpath();
        }
    }
    charge(8 + total / 16 + polygons);
    prepare(true, true);
    drawShape(path, true);
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::drawRectLike(Params& p, quint16 function) {
    int cornerH = 0, cornerW = 0;
    if (function == fn::RoundRect) {
        cornerH = p.s16();
        cornerW = p.s16();
    }
    const int bottom = p.s16();
    const int right = p.s16();
    const int top = p.s16();
    const int left = p.s16();
    if (!p.ok())
        return Outcome::Damaged;
    charge(8);
    QRectF r = mapRect(left, top, right, bottom);
    if (r.isEmpty())
        return Outcome::Played;
    if ((m_state.pen.style & 0x0F) == PsInsideFrame) {
        const double half =
            std::min(m_state.pen.width * scaleX(), std::min(r.width(), r.height())) / 2;
        r.adjust(half, half, -half, -half);
    }
    QPainterPath path;
    if (function == fn::Ellipse) {
        path.addEllipse(r);
    } else if (function == fn::RoundRect) {
        const double rx = std::min(std::abs(cornerW) * scaleX(), r.width()) / 2;
        const double ry = std::min(std::abs(cornerH) * scaleY(), r.height()) / 2;
        path.addRoundedRect(r, rx, ry, Qt::AbsoluteSize);
    } else {
        path.addRect(r);
    }
    prepare(true, true);
    drawShape(path, true);
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::drawArcLike(Params& p, quint16 function) {
    const int yEnd = p.s16();
    const int xEnd = p.s16();
    const int yStart = p.s16();
    const int xStart = p.s16();
    const int bottom = p.s16();
    const int right = p.s16();
    const int top = p.s16();
    const int left = p.s16();
    if (!p.ok())
        return Outcome::Damaged;
    charge(8);
    const QRectF r = mapRect(left, top, right, bottom);
    if (r.width() <= 0 || r.height() <= 0)
        return Outcome::Played;
    // The arc runs counter-clockwise as seen, from the ray through the start point to
    // the ray through the end point; angles are those of the ellipse's parameter.
    const QPointF c = r.center();
    auto angle = [&](QPointF pt) {
        return std::atan2(-(pt.y() - c.y()) / r.height(), (pt.x() - c.x()) / r.width()) * 180 /
               std::numbers::pi;
    };
    const double a0 = angle(map(xStart, yStart));
    double sweep = angle(map(xEnd, yEnd)) - a0;
    while (sweep <= 0)
        sweep += 360;
    QPainterPath path;
    if (function == fn::Pie) {
        path.moveTo(c);
        path.arcTo(r, a0, sweep);
        path.closeSubpath();
    } else {
        path.arcMoveTo(r, a0);
        path.arcTo(r, a0, sweep);
        if (function == fn::Chord)
            path.closeSubpath();
    }
    prepare(true, function != fn::Arc);
    drawShape(path, function != fn::Arc);
    return Outcome::Played;
}

QString MetafilePlayer::decodeText(const QByteArray& bytes) const {
    const FontObj& f = m_state.font;
    if (isSymbolFont(f))
        return decodeSymbol(bytes);
    if (const char* codec = charsetCodec(f.charset)) {
        QStringDecoder decoder(codec);
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return cp1252::decode(bytes);
}

QFont MetafilePlayer::makeFont(double pixels) const {
    const FontObj& f = m_state.font;
    QString face = f.face;
    if (face.isEmpty() || face.compare(QLatin1String("System"), Qt::CaseInsensitive) == 0)
        face = QStringLiteral("Arial");
    // Symbol text is decoded to Unicode letters; a Unicode serif face draws them (a
    // Symbol font found on the machine may hold its glyphs at the old code points).
    if (isSymbolFont(f))
        face = QStringLiteral("Times New Roman");
    QFont font(face);
    switch (f.pitchAndFamily & 0xF0) {
    case 0x10:
        font.setStyleHint(QFont::Serif);
        break;
    case 0x30:
        font.setStyleHint(QFont::TypeWriter);
        break;
    case 0x40:
        font.setStyleHint(QFont::Cursive);
        break;
    case 0x50:
        font.setStyleHint(QFont::Decorative);
        break;
    default:
        font.setStyleHint(QFont::SansSerif);
        break;
    }
    const int dpi = m_painter.device() ? m_painter.device()->logicalDpiY() : 96;
    font.setPointSizeF(pixels * 72.0 / (dpi > 0 ? dpi : 96));
    font.setWeight(f.weight <= 0 ? QFont::Normal
                                 : static_cast<QFont::Weight>(std::clamp(f.weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    font.setKerning(false);
    return font;
}

MetafilePlayer::Outcome MetafilePlayer::drawText(Params& p, bool extended) {
    int x = 0, y = 0, count = 0, options = 0;
    QRectF box;
    QByteArray bytes;
    std::vector<double> dx;
    if (extended) {
        y = p.s16();
        x = p.s16();
        count = p.s16();
        options = p.u16();
        if (options & (EtoOpaque | EtoClipped)) {
            const int l = p.s16(), t = p.s16(), r = p.s16(), b = p.s16();
            box = mapRect(l, t, r, b);
        }
        if (!p.ok() || count < 0)
            return Outcome::Damaged;
        const uchar* s = p.take(count);
        if (!s)
            return Outcome::Damaged;
        bytes = QByteArray(reinterpret_cast<const char*>(s), count);
        if (count % 2 != 0 && p.remaining() > 0)
            p.u8(); // the string is padded to a whole word
        const int step = (options & EtoPdy) ? 2 : 1;
        if (count > 0 && p.has(qint64(count) * 2 * step) && !isMultiByte(m_state.font.charset)) {
            dx.reserve(static_cast<size_t>(count));
            for (int i = 0; i < count; ++i) {
                dx.push_back(p.s16() * scaleX());
                if (step == 2)
                    p.s16();
            }
        }
    } else {
        count = p.s16();
        if (count < 0)
            return Outcome::Damaged;
        const uchar* s = p.take(count + (count % 2));
        if (!s)
            return Outcome::Damaged;
        bytes = QByteArray(reinterpret_cast<const char*>(s), count);
        y = p.s16();
        x = p.s16();
        if (!p.ok())
            return Outcome::Damaged;
    }
    charge(8 + count); // each character may be drawn on its own
    if ((options & EtoOpaque) && !box.isEmpty())
        m_painter.fillRect(box, m_state.bkColour);

    const QPointF ref = (m_state.textAlign & TaUpdateCp) ? m_state.position : QPointF(x, y);
    m_painter.save();
    if ((options & EtoClipped) && box.isValid())
        m_painter.setClipRect(box, Qt::IntersectClip);
    paintText(ref, bytes, dx);
    m_painter.restore();
    return Outcome::Played;
}

void MetafilePlayer::paintText(QPointF ref, const QByteArray& bytes,
                               const std::vector<double>& dx) {
    if (bytes.isEmpty())
        return;
    const FontObj& f = m_state.font;
    const QString text = decodeText(bytes);
    const bool perChar = !dx.empty() && text.size() == bytes.size();

    // The em in the painter's units: a negative height is the em itself, a positive
    // one the whole cell, ascent and descent together.
    double em = 0;
    if (f.height < 0) {
        em = -f.height * scaleY();
    } else if (f.height > 0) {
        const QFontMetricsF probe(makeFont(100), m_painter.device());
        em = f.height * scaleY() * (probe.height() > 0 ? 100 / probe.height() : 1);
    } else {
        em = m_file.m_unitsPerInch / 6.0 * m_target.height() / m_file.m_bounds.height();
    }
    // Letters too small to see are not drawn, nor letters larger than the picture
    // many times over, which no real page has; a screen reader still reads the small.
    if (!std::isfinite(em) || em * m_deviceScale < 0.5 ||
        em > 8 * (m_target.width() + m_target.height())) {
        if (std::isfinite(em) && em <= 8 * (m_target.width() + m_target.height()))
            m_texts.push_back({map(ref.x(), ref.y()), text, em, 0});
        return;
    }
    double scale = 1;
    double fontPixels = em;
    if (em * m_deviceScale > MaxFontDevicePixels) {
        fontPixels = MaxFontDevicePixels / m_deviceScale;
        scale = em / fontPixels;
    }
    QFont font = makeFont(fontPixels);
    QFontMetricsF metrics(font, m_painter.device());
    double stretch = 1;
    if (f.width != 0 && metrics.averageCharWidth() > 0)
        stretch = std::clamp(std::abs(f.width) * scaleX() / (metrics.averageCharWidth() * scale),
                             0.05, 20.0);
    const double unit = stretch * scale; // painter units of one local unit along the line
    if (m_state.charExtra != 0 && !perChar) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, m_state.charExtra * scaleX() / unit);
        metrics = QFontMetricsF(font, m_painter.device());
    }

    std::vector<double> advance;
    double width = 0;
    if (perChar) {
        advance.reserve(dx.size());
        for (double d : dx) {
            advance.push_back(d / unit);
            width += d / unit;
        }
    } else {
        width = metrics.horizontalAdvance(text);
    }
    double x0 = 0;
    switch (m_state.textAlign & TaHorizontal) {
    case TaRight:
        x0 = -width;
        break;
    case TaCenter:
        x0 = -width / 2;
        break;
    default:
        break;
    }
    double baseline = metrics.ascent();
    switch (m_state.textAlign & TaVertical) {
    case TaBottom:
        baseline = -metrics.descent();
        break;
    case TaBaseline:
        baseline = 0;
        break;
    default:
        break;
    }

    const QPointF at = map(ref.x(), ref.y());
    m_painter.translate(at);
    m_painter.rotate(-f.escapement / 10.0);
    m_painter.scale(unit, scale);
    const QTransform line =
        QTransform::fromTranslate(at.x(), at.y()).rotate(-f.escapement / 10.0).scale(unit, scale);
    m_texts.push_back({line.map(QPointF(x0, baseline)), text, em, width * unit});
    if (m_state.bkMode == BkOpaque)
        m_painter.fillRect(QRectF(x0, baseline - metrics.ascent(), width, metrics.height()),
                           m_state.bkColour);
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_painter.setFont(font);
    m_painter.setPen(m_state.textColour);
    if (perChar) {
        double x = x0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (!text[i].isSpace())
                m_painter.drawText(QPointF(x, baseline), QString(text[i]));
            x += advance[static_cast<size_t>(i)];
        }
    } else {
        m_painter.drawText(QPointF(x0, baseline), text);
    }

    if (m_state.textAlign & TaUpdateCp) {
        const double moved = width * unit / (m_ax != 0 ? m_ax : 1);
        switch (m_state.textAlign & TaHorizontal) {
        case TaRight:
            m_state.position.rx() -= moved;
            break;
        case TaCenter:
            break;
        default:
            m_state.position.rx() += moved;
            break;
        }
    }
}

MetafilePlayer::Outcome MetafilePlayer::fillRegion(int regionIndex, const QBrush& fill) {
    const Object* obj = object(regionIndex);
    const auto* region = obj ? std::get_if<RegionObj>(obj) : nullptr;
    if (!region)
        return Outcome::Ignored;
    const QRegion mapped = mapRegion(*region);
    charge(8 + mapped.rectCount());
    m_painter.save();
    m_painter.setClipRegion(mapped & currentClip());
    m_painter.fillRect(mapped.boundingRect(), fill);
    m_painter.restore();
    return Outcome::Played;
}

MetafilePlayer::Outcome MetafilePlayer::patBlt(quint32 rop, const QRectF& rect) {
    charge(8);
    if (rect.isEmpty())
        return Outcome::Played;
    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    switch (rop) {
    case RopBlackness:
        m_painter.fillRect(rect, Qt::black);
        break;
    case RopWhiteness:
        m_painter.fillRect(rect, Qt::white);
        break;
    case RopDstInvert:
        if (m_rasterOps) {
            m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
            m_painter.fillRect(rect, Qt::black);
        } else {
            m_painter.setCompositionMode(QPainter::CompositionMode_Difference);
            m_painter.fillRect(rect, Qt::white);
        }
        break;
    case RopPatInvert:
        if (m_rasterOps)
            m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        else
            m_painter.setCompositionMode(QPainter::CompositionMode_Difference);
        m_painter.fillRect(rect, brush());
        break;
    default:
        m_painter.fillRect(rect, brush());
        break;
    }
    m_painter.restore();
    return Outcome::Played;
}

void MetafilePlayer::drawImage(const QImage& image, QRectF source, const QRectF& dest,
                               quint32 rop) {
    source &= QRectF(image.rect());
    if (source.isEmpty() || dest.isEmpty())
        return;
    m_painter.save();
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform,
                            m_state.stretchMode == StretchHalftone);
    QImage picture = image;
    switch (rop) {
    case RopNotSrcCopy:
        picture.invertPixels();
        break;
    case RopSrcAnd:
        m_painter.setCompositionMode(m_rasterOps ? QPainter::RasterOp_SourceAndDestination
                                                 : QPainter::CompositionMode_Multiply);
        break;
    case RopSrcPaint:
        m_painter.setCompositionMode(m_rasterOps ? QPainter::RasterOp_SourceOrDestination
                                                 : QPainter::CompositionMode_Lighten);
        break;
    case RopSrcInvert:
        m_painter.setCompositionMode(m_rasterOps ? QPainter::RasterOp_SourceXorDestination
                                                 : QPainter::CompositionMode_Difference);
        break;
    default:
        break;
    }
    m_painter.drawImage(dest, picture, source);
    m_painter.restore();
}

MetafilePlayer::Outcome MetafilePlayer::drawDib(Params& p, quint16 function) {
    // The fixed part of each record, then the bitmap. A record exactly as long as its
    // fixed part (the function's high byte counts its words) has no bitmap and paints
    // with the brush instead.
    const bool noBitmap = p.size() == qsizetype(function >> 8) * 2;
    quint32 rop = RopSrcCopy;
    int usage = 0;
    int srcX = 0, srcY = 0, srcW = 0, srcH = 0;
    int destX = 0, destY = 0, destW = 0, destH = 0;
    switch (function) {
    case fn::StretchDib:
        rop = p.u32();
        usage = p.u16();
        srcH = p.s16(), srcW = p.s16(), srcY = p.s16(), srcX = p.s16();
        destH = p.s16(), destW = p.s16(), destY = p.s16(), destX = p.s16();
        break;
    case fn::DibStretchBlt:
        rop = p.u32();
        srcH = p.s16(), srcW = p.s16(), srcY = p.s16(), srcX = p.s16();
        if (noBitmap)
            p.u16();
        destH = p.s16(), destW = p.s16(), destY = p.s16(), destX = p.s16();
        break;
    case fn::DibBitBlt:
        rop = p.u32();
        srcY = p.s16(), srcX = p.s16();
        if (noBitmap)
            p.u16();
        destH = p.s16(), destW = p.s16(), destY = p.s16(), destX = p.s16();
        srcW = destW, srcH = destH;
        break;
    case fn::SetDibToDev: {
        usage = p.u16();
        p.u16(); // scan count
        p.u16(); // first scan
        srcY = p.s16(), srcX = p.s16();
        destH = p.s16(), destW = p.s16(), destY = p.s16(), destX = p.s16();
        srcW = destW, srcH = destH;
        break;
    }
    default:
        return Outcome::Skipped;
    }
    if (!p.ok())
        return Outcome::Damaged;
    const QRectF dest = mapRect(destX, destY, destX + destW, destY + destH);
    if (noBitmap && function != fn::StretchDib && function != fn::SetDibToDev)
        return patBlt(rop, dest);

    QImage image;
    charge(8 + p.remaining() / 64);
    bool topDown = false;
    const Decode result =
        decodeDib(p.rest(), p.remaining(), usage, m_state.palette, image, topDown);
    if (result == Decode::Damaged)
        return Outcome::Damaged;
    if (result == Decode::Unsupported)
        return Outcome::Skipped;
    p.take(p.remaining());
    // Source rows count from the first row stored, the bottom one unless the bitmap
    // is stored top down.
    const QRectF source(srcX, topDown ? srcY : image.height() - srcY - srcH, srcW, srcH);
    drawImage(image, source.normalized(), dest, rop);
    return Outcome::Played;
}

// ------------------------------------------------------------ the records

MetafilePlayer::Outcome MetafilePlayer::play(quint16 function, Params& p) {
    charge(1);
    State& s = m_state;
    switch (function) {
    // state
    case fn::SaveDC:
        if (m_saved.size() >= MaxSavedStates)
            return Outcome::Ignored;
        m_saved.push_back(s);
        return Outcome::Played;
    case fn::RestoreDC: {
        const int n = p.s16();
        if (!p.ok())
            return Outcome::Damaged;
        // Negative counts back from the latest save; positive names a save from the first.
        const qint64 depth = static_cast<qint64>(m_saved.size());
        const qint64 keep = n < 0 ? depth + n : n - 1;
        if (n == 0 || keep < 0 || keep >= depth)
            return Outcome::Ignored;
        s = m_saved[static_cast<size_t>(keep)];
        m_saved.resize(static_cast<size_t>(keep));
        updateTransform();
        m_painter.setClipRegion(currentClip());
        return Outcome::Played;
    }
    case fn::SetMapMode: {
        const int mode = p.u16();
        if (!p.ok())
            return Outcome::Damaged;
        if (mode < MmText || mode > MmAnisotropic)
            return Outcome::Ignored;
        s.mapping.mode = mode;
        updateTransform();
        return Outcome::Played;
    }
    case fn::SetWindowOrg:
    case fn::SetViewportOrg:
    case fn::OffsetWindowOrg:
    case fn::OffsetViewportOrg: {
        const int y = p.s16();
        const int x = p.s16();
        if (!p.ok())
            return Outcome::Damaged;
        const bool window = function == fn::SetWindowOrg || function == fn::OffsetWindowOrg;
        const bool offset = function == fn::OffsetWindowOrg || function == fn::OffsetViewportOrg;
        double& ox = window ? s.mapping.windowX : s.mapping.viewX;
        double& oy = window ? s.mapping.windowY : s.mapping.viewY;
        ox = offset ? ox + x : x;
        oy = offset ? oy + y : y;
        updateTransform();
        return Outcome::Played;
    }
    case fn::SetWindowExt:
        return setExtent(p, true);
    case fn::SetViewportExt:
        return setExtent(p, false);
    case fn::ScaleWindowExt:
        return scaleExtent(p, true);
    case fn::ScaleViewportExt:
        return scaleExtent(p, false);
    case fn::SetBkMode: {
        const int mode = p.u16();
        if (!p.ok())
            return Outcome::Damaged;
        if (mode != BkTransparent && mode != BkOpaque)
            return Outcome::Ignored;
        s.bkMode = mode;
        return Outcome::Played;
    }
    case fn::SetBkColor:
    case fn::SetTextColor: {
        const QColor c = colourRef(p.u32(), s.palette);
        if (!p.ok())
            return Outcome::Damaged;
        (function == fn::SetBkColor ? s.bkColour : s.textColour) = c;
        return Outcome::Played;
    }
    case fn::SetTextAlign:
        s.textAlign = p.u16();
        return p.ok() ? Outcome::Played : Outcome::Damaged;
    case fn::SetPolyFillMode:
        s.polyFillMode = p.u16();
        return p.ok() ? Outcome::Played : Outcome::Damaged;
    case fn::SetStretchBltMode:
        s.stretchMode = p.u16();
        return p.ok() ? Outcome::Played : Outcome::Damaged;
    case fn::SetTextCharExtra:
        s.charExtra = p.s16();
        return p.ok() ? Outcome::Played : Outcome::Damaged;
    case fn::SetRop2:
    case fn::SetRelAbs:
    case fn::SetMapperFlags:
    case fn::SetTextJustification:
    case fn::SetLayout:
    case fn::RealizePalette:
        return Outcome::Played; // nothing to change in how the picture is drawn
    case fn::MoveTo: {
        const int y = p.s16();
        const int x = p.s16();
        if (!p.ok())
            return Outcome::Damaged;
        s.position = QPointF(x, y);
        return Outcome::Played;
    }

    // objects
    case fn::CreatePenIndirect:
        return createPen(p);
    case fn::CreateBrushIndirect:
        return createBrush(p);
    case fn::CreateFontIndirect:
        return createFont(p);
    case fn::CreatePalette:
        return createPalette(p);
    case fn::CreateRegion:
        return createRegion(p);
    case fn::DibCreatePatternBrush:
        return createPatternBrush(p);
    case fn::CreatePatternBrush:
        addObject(Placeholder{});
        return Outcome::Skipped;
    case fn::SelectObject:
    case fn::DeleteObject:
    case fn::SelectPalette: {
        const int index = p.u16();
        if (!p.ok())
            return Outcome::Damaged;
        if (function == fn::DeleteObject)
            return deleteObject(index);
        if (function == fn::SelectObject)
            return selectObject(index);
        const Object* obj = object(index);
        const auto* palette = obj ? std::get_if<PaletteObj>(obj) : nullptr;
        if (!palette)
            return Outcome::Ignored;
        s.palette = palette->entries;
        return Outcome::Played;
    }
    case fn::SetPalEntries:
        return setPaletteEntries(p);
    case fn::ResizePalette: {
        const int n = p.u16();
        if (!p.ok())
            return Outcome::Damaged;
        s.palette.resize(static_cast<size_t>(std::min(n, MaxPaletteEntries)), qRgb(0, 0, 0));
        return Outcome::Played;
    }

    // clipping
    case fn::IntersectClipRect:
        return clipRect(p, false);
    case fn::ExcludeClipRect:
        return clipRect(p, true);
    case fn::SelectClipRegion: {
        const int index = p.u16();
        if (!p.ok())
            return Outcome::Damaged;
        const Object* obj = object(index);
        const auto* region = obj ? std::get_if<RegionObj>(obj) : nullptr;
        // Anything but a region clears the clip, as selecting no region does.
        setClip(region ? std::optional<QRegion>(mapRegion(*region)) : std::nullopt);
        return Outcome::Played;
    }
    case fn::OffsetClipRgn: {
        const int y = p.s16();
        const int x = p.s16();
        if (!p.ok())
            return Outcome::Damaged;
        if (s.clip) {
            const QPointF d(x * m_ax, y * m_ay);
            QRegion moved = s.clip->translated(static_cast<int>(std::clamp(d.x(), -1e9, 1e9)),
                                               static_cast<int>(std::clamp(d.y(), -1e9, 1e9)));
            setClip(moved);
        }
        return Outcome::Played;
    }

    // drawing
    case fn::LineTo: {
        const int y = p.s16();
        const int x = p.s16();
        if (!p.ok())
            return Outcome::Damaged;
        charge(8);
        prepare(true, false);
        QPainterPath line(map(s.position.x(), s.position.y()));
        line.lineTo(map(x, y));
        drawShape(line, false);
        s.position = QPointF(x, y);
        return Outcome::Played;
    }
    case fn::Polygon:
        return drawPoly(p, true);
    case fn::Polyline:
        return drawPoly(p, false);
    case fn::PolyPolygon:
        return drawPolyPolygon(p);
    case fn::Rectangle:
    case fn::RoundRect:
    case fn::Ellipse:
        return drawRectLike(p, function);
    case fn::Arc:
    case fn::Pie:
    case fn::Chord:
        return drawArcLike(p, function);
    case fn::TextOut:
        return drawText(p, false);
    case fn::ExtTextOut:
        return drawText(p, true);
    case fn::SetPixel: {
        const QColor c = colourRef(p.u32(), s.palette);
        const int y = p.s16();
        const int x = p.s16();
        if (!p.ok())
            return Outcome::Damaged;
        charge(8);
        const QPointF at = map(x, y);
        const double w = std::max(scaleX(), 1 / m_deviceScale);
        const double h = std::max(scaleY(), 1 / m_deviceScale);
        m_painter.fillRect(QRectF(at, QSizeF(w, h)), c);
        return Outcome::Played;
    }
    case fn::PatBlt: {
        const quint32 rop = p.u32();
        const int h = p.s16();
        const int w = p.s16();
        const int y = p.s16();
        const int x = p.s16();
        if (!p.ok())
            return Outcome::Damaged;
        return patBlt(rop, mapRect(x, y, x + w, y + h));
    }
    case fn::FillRegion: {
        const int region = p.u16();
        const int brushIndex = p.u16();
        if (!p.ok())
            return Outcome::Damaged;
        const Object* obj = object(brushIndex);
        const auto* b = obj ? std::get_if<BrushObj>(obj) : nullptr;
        if (!b)
            return Outcome::Ignored;
        const BrushObj current = s.brush;
        s.brush = *b;
        const QBrush fill = brush();
        s.brush = current;
        return fillRegion(region, fill);
    }
    case fn::PaintRegion: {
        const int region = p.u16();
        if (!p.ok())
            return Outcome::Damaged;
        return fillRegion(region, brush());
    }
    case fn::StretchDib:
    case fn::DibStretchBlt:
    case fn::DibBitBlt:
    case fn::SetDibToDev:
        return drawDib(p, function);
    case fn::BitBlt:
    case fn::StretchBlt: {
        // Device-dependent bitmaps are not drawn; the form without one paints the brush.
        if (p.size() != qsizetype(function >> 8) * 2 + 2)
            return Outcome::Skipped;
        const quint32 rop = p.u32();
        if (function == fn::StretchBlt)
            p.take(8); // source size and place
        else
            p.take(4); // source place
        p.u16();
        const int h = p.s16(), w = p.s16(), y = p.s16(), x = p.s16();
        if (!p.ok())
            return Outcome::Damaged;
        return patBlt(rop, mapRect(x, y, x + w, y + h));
    }

    // Escapes carry data for other programs; the rest cannot be drawn from the file
    // alone (flood fills read the screen) or are not drawn here.
    default:
        return Outcome::Skipped;
    }
}

// --------------------------------------------------------------- the file

int PlayStats::skippedCount() const {
    int n = 0;
    for (const auto& [function, count] : skipped)
        n += count;
    return n;
}

QString PlayStats::skippedSummary() const {
    QStringList parts;
    for (const auto& [function, count] : skipped)
        parts << QStringLiteral("%1 x%2").arg(metafileFunctionName(function)).arg(count);
    return parts.join(QStringLiteral(", "));
}

QString metafileFunctionName(quint16 function) {
    for (const FunctionName& f : functionNames)
        if (f.function == function)
            return QString::fromLatin1(f.name);
    return QStringLiteral("0x%1").arg(function, 4, 16, QLatin1Char('0'));
}

namespace {

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr qsizetype PlaceableHeaderSize = 22;
constexpr qsizetype HeaderSize = 18;

bool validHeader(const uchar* p) {
    const quint16 type = u16at(p);
    const quint16 words = u16at(p + 2);
    return (type == 1 || type == 2) && words == 9;
}

// The box of a file without a placeable header: its first window origin and
// extent, before anything is drawn.
std::optional<QRect> windowBox(const uchar* data, qsizetype size, qsizetype pos) {
    QPoint origin;
    for (int n = 0; n < 64 && size - pos >= 6; ++n) {
        const quint32 words = u32at(data + pos);
        const quint16 function = u16at(data + pos + 4);
        if (words < 3 || qint64(words) * 2 > size - pos || function == fn::Eof)
            break;
        if (words >= 5 && function == fn::SetWindowOrg)
            origin = QPoint(static_cast<qint16>(u16at(data + pos + 8)),
                            static_cast<qint16>(u16at(data + pos + 6)));
        if (words >= 5 && function == fn::SetWindowExt) {
            const int h = static_cast<qint16>(u16at(data + pos + 6));
            const int w = static_cast<qint16>(u16at(data + pos + 8));
            if (w == 0 || h == 0)
                return std::nullopt;
            return QRect(origin, QSize(std::abs(w), std::abs(h)));
        }
        pos += qsizetype(words) * 2;
    }
    return std::nullopt;
}

} // namespace

std::optional<Metafile> Metafile::fromBytes(const QByteArray& bytes) {
    if (bytes.size() > MaxFileSize)
        return std::nullopt;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype size = bytes.size();
    Metafile mf;
    qsizetype header = 0;
    if (size >= 4 && u32at(data) == PlaceableKey) {
        if (size < PlaceableHeaderSize + HeaderSize)
            return std::nullopt;
        const int left = static_cast<qint16>(u16at(data + 6));
        const int top = static_cast<qint16>(u16at(data + 8));
        const int right = static_cast<qint16>(u16at(data + 10));
        const int bottom = static_cast<qint16>(u16at(data + 12));
        const int inch = u16at(data + 14);
        mf.m_placeable = true;
        mf.m_bounds = QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                            QSize(std::abs(right - left), std::abs(bottom - top)));
        mf.m_unitsPerInch = inch > 0 ? inch : 1440;
        header = PlaceableHeaderSize;
    } else if (size < HeaderSize) {
        return std::nullopt;
    }
    if (!validHeader(data + header))
        return std::nullopt;
    mf.m_objectCount = u16at(data + header + 10);
    mf.m_recordsStart = header + HeaderSize;
    if (mf.m_bounds.isEmpty()) {
        // No usable box: size it by its window, taken as twips, or give it a page of
        // 640 x 480 pixels.
        if (const auto box = windowBox(data, size, mf.m_recordsStart)) {
            mf.m_bounds = *box;
            mf.m_unitsPerInch = 1440;
        } else {
            mf.m_bounds = QRect(0, 0, 640, 480);
            mf.m_unitsPerInch = 96;
        }
    }
    mf.m_bytes = bytes;
    return mf;
}

Metafile Metafile::load(const QString& resourceName) {
    auto mf = fromBytes(readResourceFile(resourceName, MaxFileSize));
    if (!mf)
        throw FileError(QStringLiteral("%1 is not a Windows Metafile").arg(resourceName));
    return std::move(*mf);
}

QSizeF Metafile::sizeTwips() const {
    return {m_bounds.width() * 1440.0 / m_unitsPerInch,
            m_bounds.height() * 1440.0 / m_unitsPerInch};
}

QSize Metafile::sizePixels() const {
    const QSizeF twips = sizeTwips();
    return {twipsToPixels(twips.width()), twipsToPixels(twips.height())};
}

PlayStats Metafile::play(QPainter& painter, const QRectF& target) const {
    return MetafilePlayer(*this, painter, target).run();
}

QImage Metafile::toImage(QColor background, PlayStats* stats) const {
    QSize size = sizePixels();
    if (size.isEmpty())
        return {};
    if (size.width() > MaxImageSide || size.height() > MaxImageSide)
        size = size.scaled(MaxImageSide, MaxImageSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(background);
    QPainter painter(&image);
    const PlayStats result = play(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    if (stats)
        *stats = result;
    return image;
}

QPixmap Metafile::toPixmap(QColor background, double ratio) const {
    if (!std::isfinite(ratio) || ratio <= 1)
        return QPixmap::fromImage(toImage(background));
    const QSize logical = sizePixels();
    QSize size = (QSizeF(logical) * ratio).toSize();
    if (logical.isEmpty())
        return {};
    if (size.width() > MaxImageSide || size.height() > MaxImageSide)
        size = size.scaled(MaxImageSide, MaxImageSide, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(background);
    {
        QPainter painter(&image);
        play(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    // The ratio that makes the picture its own size in pixels, whatever the cap did.
    image.setDevicePixelRatio(double(size.width()) / logical.width());
    return QPixmap::fromImage(image);
}

QString Metafile::pageText() const {
    // Drawn onto a single pixel: the text is collected wherever it lands.
    QImage dot(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&dot);
    return readingOrderText(play(painter, QRectF(QPointF(0, 0), QSizeF(sizePixels()))));
}

QString readingOrderText(const std::vector<PlacedText>& texts) {
    std::vector<const PlacedText*> pieces;
    for (const PlacedText& t : texts)
        if (!t.text.trimmed().isEmpty())
            pieces.push_back(&t);
    std::stable_sort(pieces.begin(), pieces.end(), [](const PlacedText* a, const PlacedText* b) {
        return a->at.y() < b->at.y();
    });
    QStringList lines;
    for (size_t first = 0; first < pieces.size();) {
        // A line is the pieces whose baselines lie near the first one's.
        size_t end = first + 1;
        const double tolerance = std::max(pieces[first]->em, 1e-9) / 3;
        while (end < pieces.size() && pieces[end]->at.y() - pieces[first]->at.y() <= tolerance)
            ++end;
        std::stable_sort(
            pieces.begin() + first, pieces.begin() + end,
            [](const PlacedText* a, const PlacedText* b) { return a->at.x() < b->at.x(); });
        QString line;
        const PlacedText* previous = nullptr;
        for (size_t i = first; i < end; ++i) {
            const PlacedText* piece = pieces[i];
            // Pieces that run on from one another (a word, then its full stop in
            // another font) join as they are; pieces that stand apart get a blank.
            if (previous && !line.back().isSpace() && !piece->text.front().isSpace() &&
                piece->at.x() - (previous->at.x() + previous->width) > 0.15 * previous->em)
                line += QLatin1Char(' ');
            line += piece->text;
            previous = piece;
        }
        lines << line.simplified();
        first = end;
    }
    return lines.join(QLatin1Char('\n'));
}

Metafile loadMetafile(QLabel* control, const QString& resourceName) {
    Metafile mf = Metafile::load(resourceName);
    const QPixmap pixmap = mf.toPixmap(Qt::transparent, control->devicePixelRatioF());
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    control->setPixmap(pixmap);
    control->resize(mf.sizePixels());
    return mf;
}

} // namespace lumora
