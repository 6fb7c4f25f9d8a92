#pragma once
// Metafiles and bitmaps written byte by byte for the metafile tests, with the
// record numbers of the player's own table, and the probes that read the pictures.

#include "platform/metafile.h"
#include "platform/metafile/records.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace wmftest {

using namespace lumora;
using namespace lumora::wmf::fn;

constexpr QRgb White = qRgb(255, 255, 255), Black = qRgb(0, 0, 0), Red = qRgb(255, 0, 0),
               Green = qRgb(0, 160, 0), Blue = qRgb(0, 0, 255);

inline QByteArray words(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    return out;
}
inline QByteArray dword(quint32 v) { return words({int(v & 0xFFFF), int(v >> 16)}); }

// A metafile written record by record, as a drawing program would.
class WmfBuilder {
public:
    explicit WmfBuilder(QRect box = QRect(0, 0, 100, 100), int inch = 96, bool placeable = true)
        : m_box(box), m_inch(inch), m_placeable(placeable) {}

    WmfBuilder& rec(quint16 function, std::initializer_list<int> values) {
        return raw(function, words(values));
    }
    WmfBuilder& raw(quint16 function, QByteArray params) {
        params.append(QByteArray(params.size() % 2, '\0'));
        // The table slot a created object takes: the lowest free one.
        if (function == CreatePalette || function == CreatePatternBrush ||
            (function >= CreatePenIndirect && function <= CreateBrushIndirect) ||
            function == CreateRegion) {
            m_last = int(std::find(m_slots.begin(), m_slots.end(), false) - m_slots.begin());
            m_slots.resize(std::max(m_slots.size(), size_t(m_last + 1)));
            m_slots[size_t(m_last)] = true;
        } else if (function == DeleteObject && uchar(params[0]) < m_slots.size()) {
            m_slots[uchar(params[0])] = false;
        }
        m_records += dword(quint32(3 + params.size() / 2)) + words({function}) + params;
        return *this;
    }
    WmfBuilder& bytes(const QByteArray& b) { return m_records += b, *this; }
    WmfBuilder& brush(QRgb c, int style = 0, int hatch = 0) {
        return rec(CreateBrushIndirect, {style, qRed(c) | (qGreen(c) << 8), qBlue(c), hatch});
    }
    WmfBuilder& pen(QRgb c, int width, int style = 0) {
        return rec(CreatePenIndirect, {style, width, 0, qRed(c) | (qGreen(c) << 8), qBlue(c)});
    }
    WmfBuilder& select(int index) { return rec(SelectObject, {index}); }
    WmfBuilder& nullPen() { return pen(Black, 0, 5).select(m_last); }
    WmfBuilder& fill(QRgb c) { return brush(c).select(m_last).nullPen(); }
    WmfBuilder& font(int height, int escapement = 0, const QByteArray& face = "Arial",
                     int charset = 0, int width = 0) {
        const QByteArray p =
            words({height, width, escapement, escapement, 700, 0, charset << 8, 0, 0});
        return raw(CreateFontIndirect, p + face.leftJustified(32, '\0'));
    }
    WmfBuilder& rect(int l, int t, int r, int b) { return rec(Rectangle, {b, r, t, l}); }
    WmfBuilder& colour(quint16 function, QRgb c) {
        return rec(function, {qRed(c) | (qGreen(c) << 8), qBlue(c)});
    }
    WmfBuilder& textOut(int x, int y, const QByteArray& text) {
        return raw(TextOut, words({int(text.size())}) + text + QByteArray(text.size() % 2, '\0') +
                                words({y, x}));
    }
    // ExtTextOut with `options`, a box when they ask for one, and a spacing array.
    WmfBuilder& extTextOut(int x, int y, const QByteArray& text, const QByteArray& dx = {},
                           int options = 0, QRect box = {}) {
        QByteArray p = words({y, x, int(text.size()), options});
        if (options & 6)
            p += words({box.left(), box.top(), box.right() + 1, box.bottom() + 1});
        return raw(ExtTextOut, p + text + QByteArray(text.size() % 2, '\0') + dx);
    }
    int last() const { return m_last; }

    QByteArray file(bool withEnd = true) const {
        const QByteArray end = withEnd ? words({3, 0, 0}) : QByteArray();
        QByteArray out = m_placeable ? dword(0x9AC6CDD7) +
                                           words({0, m_box.left(), m_box.top(), m_box.right() + 1,
                                                  m_box.bottom() + 1, m_inch, 0, 0, 0})
                                     : QByteArray();
        out += words({1, 9, 0x0300}) + dword(quint32((18 + m_records.size() + end.size()) / 2));
        return out + words({16, 0, 0, 0}) + m_records + end;
    }

private:
    QRect m_box;
    int m_inch;
    bool m_placeable;
    QByteArray m_records;
    std::vector<bool> m_slots;
    int m_last = -1;
};

// A bitmap of `w` x `h` pixels at a bit depth, with a colour table below 16 bits.
inline QByteArray dib(int bits, int w, int h, const std::vector<QRgb>& pixels,
                      bool topDown = false) {
    std::vector<QRgb> table;
    for (QRgb p : pixels)
        if (bits <= 8 && std::find(table.begin(), table.end(), p) == table.end())
            table.push_back(p);
    table.resize(bits <= 8 ? size_t(1) << bits : 0, 0);
    const int stride = ((w * bits + 31) / 32) * 4;
    QByteArray out = dword(40) + dword(quint32(w)) + dword(quint32(topDown ? -h : h)) +
                     words({1, bits}) + dword(0) + dword(quint32(stride * h)) + QByteArray(16, 0);
    for (QRgb c : table)
        out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
    for (int row = 0; row < h; ++row) {
        QByteArray line(stride, '\0');
        auto* p = reinterpret_cast<uchar*>(line.data());
        for (int x = 0; x < w; ++x) {
            const QRgb c = pixels[size_t((topDown ? row : h - 1 - row) * w + x)];
            const auto index = uchar(std::find(table.begin(), table.end(), c) - table.begin());
            const quint16 c16 =
                quint16(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3));
            if (bits <= 8)
                p[x * bits / 8] |= uchar(index << (8 - bits - x * bits % 8));
            else if (bits == 16)
                p[2 * x] = uchar(c16), p[2 * x + 1] = uchar(c16 >> 8);
            else
                p[bits / 8 * x] = uchar(qBlue(c)), p[bits / 8 * x + 1] = uchar(qGreen(c)),
                             p[bits / 8 * x + 2] = uchar(qRed(c));
        }
        out += line;
    }
    return out;
}

// The fixed part of a bitmap record drawing all of a sw x sh source to (x, y, w, h).
inline QByteArray bitmapParams(quint16 function, int sw, int sh, int x, int y, int w, int h,
                               quint32 rop = 0x00CC0020) {
    const QByteArray r = function == SetDibToDev ? QByteArray() : dword(rop);
    if (function == DibBitBlt)
        return r + words({0, 0, h, w, y, x});
    if (function == SetDibToDev)
        return words({0, sh, 0, 0, 0, h, w, y, x});
    return r + (function == StretchDib ? words({0}) : QByteArray()) +
           words({sh, sw, 0, 0, h, w, y, x});
}

inline QImage render(const QByteArray& file, QSize size = QSize(100, 100),
                     PlayStats* stats = nullptr) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(White);
    const auto mf = Metafile::fromBytes(file);
    if (!mf)
        return {};
    QPainter painter(&image);
    const PlayStats s = mf->play(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return stats ? (*stats = s, image) : image;
}

inline QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

inline int darkPixels(const QImage& image, const QRect& area) {
    int n = 0;
    for (int y = std::max(0, area.top()); y <= std::min(image.height() - 1, area.bottom()); ++y)
        for (int x = std::max(0, area.left()); x <= std::min(image.width() - 1, area.right()); ++x)
            n += qGray(image.pixel(x, y)) < 128;
    return n;
}

} // namespace wmftest
