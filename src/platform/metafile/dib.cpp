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

Decode decodeDib(const uchar* data, qint64 size, int colourUsage, const std::vector<QRgb>& palette,
                 QImage& out, bool& topDown, bool mono) {
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

} // namespace lumora::wmf
