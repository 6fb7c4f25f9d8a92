#include "platform/metafile/dib.h"

#include "platform/metafile.h"
#include "platform/metafile/reader.h"

#include <algorithm>
#include <cstdlib>

namespace lumora::wmf {

QRgb paletteEntry(const std::vector<QRgb>& palette, quint32 index) {
    if (!palette.empty())
        return index < palette.size() ? palette[index] : qRgb(0, 0, 0);
    return index < defaultPalette.size() ? defaultPalette[index] : qRgb(0, 0, 0);
}

QColor colourRef(quint32 value, const std::vector<QRgb>& palette) {
    if ((value >> 24) == 0x01)
        return QColor::fromRgb(paletteEntry(palette, value & 0xFFFF));
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

namespace {

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

} // namespace

namespace {

// What a bitmap's header says, and where its colour table and pixels begin.
struct DibLayout {
    qint64 width = 0;
    qint64 height = 0; // negative: the rows run top down
    int bitCount = 0;
    quint32 compression = 0;
    qint64 colours = 0;
    bool core = false; // the short header of the oldest bitmaps
    std::array<quint32, 3> masks{};
    qint64 tableOffset = 0;
};

// Reads the header, short or long; the masks of a bit-field bitmap end a long header
// or follow a short one.
Decode readHeader(const uchar* data, qint64 size, DibLayout& d) {
    if (size < 4)
        return Decode::Damaged;
    const quint32 headerSize = u32at(data);
    d.tableOffset = headerSize;
    if (headerSize == 12) {
        if (size < 12)
            return Decode::Damaged;
        d.core = true;
        d.width = u16at(data + 4);
        d.height = u16at(data + 6);
        d.bitCount = u16at(data + 10);
        return Decode::Ok;
    }
    if (headerSize < 40)
        return headerSize > size ? Decode::Damaged : Decode::Unsupported;
    if (size < headerSize)
        return Decode::Damaged;
    d.width = static_cast<qint32>(u32at(data + 4));
    d.height = static_cast<qint32>(u32at(data + 8));
    d.bitCount = u16at(data + 14);
    d.compression = u32at(data + 16);
    d.colours = u32at(data + 32);
    if (d.compression == 3) {
        const uchar* m = data + 40;
        if (headerSize < 52) {
            if (size < qint64(headerSize) + 12)
                return Decode::Damaged;
            m = data + headerSize;
            d.tableOffset += 12;
        }
        d.masks = {u32at(m), u32at(m + 4), u32at(m + 8)};
    }
    return Decode::Ok;
}

// The depths and codings drawn: run-length coded bitmaps are not.
bool drawable(const DibLayout& d) {
    switch (d.bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        return d.compression == 0;
    case 16:
    case 32:
        return d.compression == 0 || d.compression == 3;
    default:
        return false;
    }
}

// The colours of a bitmap of 8 bits or fewer: RGB entries, or indexes into the
// palette.
std::array<QRgb, 256> colourTable(const uchar* data, const DibLayout& d, int entrySize,
                                  const std::vector<QRgb>& palette) {
    std::array<QRgb, 256> table{};
    for (qint64 i = 0; i < std::min<qint64>(d.colours, 256) && d.bitCount <= 8; ++i) {
        const uchar* e = data + d.tableOffset + i * entrySize;
        table[i] = entrySize == 2 ? paletteEntry(palette, u16at(e)) : qRgb(e[2], e[1], e[0]);
    }
    return table;
}

// Decodes one row's pixels into a line of the image.
struct RowDecoder {
    const DibLayout& d;
    const std::array<QRgb, 256>& table;
    ChannelMask red, green, blue;

    QRgb masked(quint32 v) const { return qRgb(red.value(v), green.value(v), blue.value(v)); }

    QRgb pixel(const uchar* row, qint64 x) const {
        switch (d.bitCount) {
        case 1:
            return table[(row[x >> 3] >> (7 - (x & 7))) & 1];
        case 4:
            return table[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
        case 8:
            return table[row[x]];
        case 16:
            return masked(u16at(row + 2 * x));
        case 24:
            return qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        default: // 32
            return d.compression == 3 ? masked(u32at(row + 4 * x))
                                      : qRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
        }
    }
};

} // namespace

Decode decodeDib(const uchar* data, qint64 size, int colourUsage, const std::vector<QRgb>& palette,
                 QImage& out, bool& topDown, bool mono) {
    DibLayout d;
    if (const Decode header = readHeader(data, size, d); header != Decode::Ok)
        return header;
    topDown = d.height < 0;
    const qint64 width = d.width, height = std::abs(d.height);
    if (width <= 0 || height == 0 || width > (1 << 24) || height > (1 << 24) || !drawable(d))
        return Decode::Unsupported;
    if (d.bitCount <= 8 && d.colours == 0)
        d.colours = qint64(1) << d.bitCount;
    const int entrySize = d.core ? 3 : (colourUsage == DibPalColours ? 2 : 4);
    const qint64 offset = d.tableOffset + d.colours * entrySize;
    const qint64 stride = ((width * d.bitCount + 31) / 32) * 4;
    if (offset > size || stride * height > size - offset)
        return Decode::Damaged;
    if (width * height > Metafile::MaxBitmapPixels)
        return Decode::Unsupported;

    const uchar* pixels = data + offset;
    auto rowAt = [&](qint64 y) { return pixels + stride * (topDown ? y : height - 1 - y); };
    if (mono && d.bitCount == 1) {
        QImage bits(static_cast<int>(width), static_cast<int>(height), QImage::Format_Mono);
        if (bits.isNull())
            return Decode::Unsupported;
        for (qint64 y = 0; y < height; ++y)
            std::copy_n(rowAt(y), (width + 7) / 8, bits.scanLine(static_cast<int>(y)));
        out = std::move(bits);
        return Decode::Ok;
    }
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull())
        return Decode::Unsupported;
    if (d.bitCount == 16 && d.compression == 0)
        d.masks = {0x7C00, 0x03E0, 0x001F};
    const std::array<QRgb, 256> table = colourTable(data, d, entrySize, palette);
    const RowDecoder decoder{d, table, ChannelMask(d.masks[0]), ChannelMask(d.masks[1]),
                             ChannelMask(d.masks[2])};
    for (qint64 y = 0; y < height; ++y) {
        const uchar* row = rowAt(y);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
        for (qint64 x = 0; x < width; ++x)
            line[x] = decoder.pixel(row, x) | 0xFF000000u;
    }
    out = std::move(image);
    return Decode::Ok;
}

} // namespace lumora::wmf
