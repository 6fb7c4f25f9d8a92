#pragma once
// Synthetic metafiles for the player's tests, written record by record from a short
// script of named records (see Wmf).
#include "platform/metafile/records.h"

#include <QColor>
#include <QRect>
#include <QStringList>
#include <map>

namespace lumora::testing {

inline QByteArray words(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    return out;
}
inline QByteArray dword(quint32 v) { return words({int(v & 0xFFFF), int(v >> 16)}); }

// A bitmap of 2 x 2 pixels, given top row first, at a bit depth (rows top down when it is
// below 0), with a colour table below 16 bits.
inline QByteArray dib(int bits, const QList<QRgb>& pixels) {
    const bool topDown = bits < 0;
    bits = std::abs(bits);
    QList<QRgb> table;
    for (QRgb p : pixels)
        if (bits <= 8 && !table.contains(p))
            table << p;
    table.resize(bits <= 8 ? 1 << bits : 0);
    const int stride = (2 * bits + 31) / 32 * 4;
    QByteArray out =
        words({40, 0, 2, 0, topDown ? -2 : 2, topDown ? -1 : 0, 1, bits, 0, 0, stride * 2, 0}) +
        QByteArray(16, 0);
    for (QRgb c : table)
        out += dword(c & 0xFFFFFF); // blue, green, red, zero
    for (int row = 0; row < 2; ++row) {
        QByteArray line(stride, '\0');
        for (int x = 0; x < 2; ++x) {
            const QRgb c = pixels[(topDown ? row : 1 - row) * 2 + x];
            const int c16 = ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3);
            if (bits <= 8)
                line[x * bits / 8] =
                    char(line[x * bits / 8] | table.indexOf(c) << (8 - bits - x * bits % 8));
            for (int i = 0; bits > 8 && i < std::min(bits / 8, 3); ++i)
                line[bits / 8 * x + i] = char((bits == 16 ? c16 : c) >> (8 * i));
        }
        out += line;
    }
    return out;
}

// The shorthands of a script, filled in from their arguments.
inline const std::map<QString, QString> shorthands = {
    {"brush", "CreateBrushIndirect 0 %1 0"},
    {"pen", "CreatePenIndirect %1 %2 0 black; SelectObject last"}, // style, width
    {"nullpen", "pen 5 0"},
    {"fill", "brush %1; SelectObject last; nullpen"},
    {"rect", "Rectangle %4 %3 %2 %1"},
    {"blackrect", "fill black; rect %1 %2 %3 %4"},
    {"page", "rect 0 0 100 100"},
    // Five points 40000 units across around the origin, joined as a star.
    {"star", "PolyPolygon 1 5 0 -20000 12000 16000 -19000 -6000 19000 -6000 -12000 16000"},
    // height [escapement face charset-word width], selected
    {"font", "CreateFontIndirect %1 %5 %2 %2 700 0 %4 0 0 '%3; SelectObject last|- 0 Arial 0 0"},
    {"text", "TextOut \"%3 %2 %1"}}; // x y chars

// A metafile written record by record, as a drawing program would, from a script. Records
// are parted by ';': a record's name from the player's table (or its number), then its
// parameter words as the file holds them, y before x and the last corner first. A number
// too big for a word is a double word; V*N is N words V; a colour (a name or #rrggbb) is
// its two words; 'chars are those bytes (%hh any byte) padded to a word, "chars the same after
// their count; dib:BITS:colours is a bitmap (see dib); `last` is the slot of the object created
// last; `*N` at the end repeats the record. Besides the shorthands above: `bytes` (words with
// no record around them), `box l t w h [inch]`, `plain` (no placeable header) and `noend`
// (the file ends, with no end).
class Wmf {
public:
    Wmf(const QByteArray& script = {}) { (*this)(script); }
    Wmf& operator()(const QByteArray& script) {
        using namespace wmf::fn;
        for (const QString& record : QString::fromLatin1(script).split(';', Qt::SkipEmptyParts)) {
            QStringList t = record.split(' ', Qt::SkipEmptyParts);
            const QString name = t.takeFirst();
            const int times =
                t.value(t.size() - 1).startsWith('*') ? t.takeLast().mid(1).toInt() : 1;
            if (!m_end)
                break;
            if (const auto s = shorthands.find(name); s != shorthands.end()) {
                QString expanded = s->second.section('|', 0, 0);
                t += s->second.section('|', 1).split(' ', Qt::SkipEmptyParts).mid(t.size());
                for (const QString& arg : t)
                    expanded = expanded.arg(arg);
                (*this)(expanded.toLatin1());
            } else if (name == "box") {
                m_box = {t[0].toInt(), t[1].toInt(), t[2].toInt(), t[3].toInt()};
                m_inch = t.value(4, "96").toInt();
            } else if (name == "plain" || name == "noend") {
                (name == "plain" ? m_placeable : m_end) = false;
            } else {
                QByteArray params;
                for (const QString& arg : t)
                    params += param(arg);
                const quint16 f = name == "bytes" ? 0 : function(name);
                // A created object takes the lowest free slot of the table.
                if (f == CreatePalette || f == CreatePatternBrush || f == CreateRegion ||
                    (f >= CreatePenIndirect && f <= CreateBrushIndirect))
                    m_slots[size_t(m_last = int(m_slots.indexOf(false)))] = true;
                else if (f == DeleteObject)
                    m_slots[uchar(params[0])] = false;
                m_records +=
                    (name == "bytes" ? params
                                     : dword(quint32(3 + params.size() / 2)) + words({f}) + params)
                        .repeated(times);
            }
        }
        return *this;
    }
    QByteArray file() const {
        const QByteArray end = m_end ? words({3, 0, 0}) : QByteArray();
        const QByteArray placeable =
            dword(0x9AC6CDD7) + words({0, m_box.left(), m_box.top(), m_box.right() + 1,
                                       m_box.bottom() + 1, m_inch, 0, 0, 0});
        return (m_placeable ? placeable : QByteArray()) + words({1, 9, 0x0300}) +
               dword(quint32((18 + m_records.size() + end.size()) / 2)) + words({16, 0, 0, 0}) +
               m_records + end;
    }

private:
    static quint16 function(const QString& name) {
        for (const auto& [number, text] : wmf::recordNames)
            if (name == QLatin1String(text))
                return number;
        bool ok = false;
        const auto number = quint16(name.toUInt(&ok, 0));
        return ok ? number : (qFatal("no record called %s", qPrintable(name)), quint16(0));
    }
    QByteArray param(const QString& arg) const {
        bool number = false;
        const qint64 n = arg.section('*', 0, 0).toLongLong(&number, 0);
        const QRgb c = QColor::isValidColor(arg) ? QColor(arg).rgb() : 0;
        if (number)
            return (n > 0xFFFF ? dword(quint32(n)) : words({int(n)}))
                .repeated(arg.contains('*') ? arg.section('*', 1).toInt() : 1);
        if (const QByteArray b = QByteArray::fromPercentEncoding(arg.mid(1).toLatin1());
            arg[0] == '\'' || arg[0] == '"')
            return (arg[0] == '"' ? words({int(b.size())}) : QByteArray()) + b +
                   QByteArray(b.size() % 2, 0);
        if (arg.startsWith("dib:")) {
            QList<QRgb> pixels;
            for (const QString& colour : arg.section(':', 2).split(','))
                pixels << QColor(colour).rgb();
            return dib(arg.section(':', 1, 1).toInt(), pixels);
        }
        if (arg == "last" || c)
            return arg == "last" ? words({m_last}) : words({qRed(c) | qGreen(c) << 8, qBlue(c)});
        return words({function(arg)});
    }

    QRect m_box{0, 0, 100, 100};
    int m_inch = 96;
    bool m_placeable = true, m_end = true;
    QByteArray m_records;
    QList<bool> m_slots = QList<bool>(256);
    int m_last = -1;
};

} // namespace lumora::testing
