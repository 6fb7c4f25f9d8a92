#pragma once
// Reading a metafile: the header, which says what the file is and how big its
// picture is, and the parameters of one record, each read checked against the
// record's end.

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QtGlobal>
#include <optional>

namespace lumora::wmf {

inline quint16 u16at(const uchar* p) { return static_cast<quint16>(p[0] | (p[1] << 8)); }
inline quint32 u32at(const uchar* p) {
    return static_cast<quint32>(p[0]) | (static_cast<quint32>(p[1]) << 8) |
           (static_cast<quint32>(p[2]) << 16) | (static_cast<quint32>(p[3]) << 24);
}

// A rectangle in a record's logical units; its right and bottom edges lie outside it.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
};

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
    // A point, stored y first.
    QPoint point() {
        const int y = s16();
        const int x = s16();
        return {x, y};
    }
    // A rectangle stored bottom, right, top, left.
    Box box() {
        Box b;
        b.bottom = s16(), b.right = s16(), b.top = s16(), b.left = s16();
        return b;
    }
    // A rectangle stored as its height and width, then its top left corner.
    Box extent() {
        const int h = s16(), w = s16();
        const QPoint at = point();
        return {at.x(), at.y(), at.x() + w, at.y() + h};
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

// What the header of a file says.
struct FileHeader {
    bool placeable = false;
    QRect bounds; // the drawing's box in its own units
    int unitsPerInch = 1440;
    int objectCount = 0; // object table size that the header asks for
    qsizetype recordsStart = 0;
};

// The header of `bytes`, or nothing when they are no metafile. A file without a
// placeable header is sized by its first window origin and extent (taken as
// twips), or gets a page of 640 x 480 pixels.
std::optional<FileHeader> readHeader(const QByteArray& bytes);

} // namespace lumora::wmf
