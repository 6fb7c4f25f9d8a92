#include "platform/metafile/reader.h"

#include "platform/metafile/records.h"

#include <algorithm>
#include <cstdlib>

namespace lumora::wmf {

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

std::optional<FileHeader> readHeader(const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype size = bytes.size();
    FileHeader mf;
    qsizetype header = 0;
    if (size >= 4 && u32at(data) == PlaceableKey) {
        if (size < PlaceableHeaderSize + HeaderSize)
            return std::nullopt;
        const int left = static_cast<qint16>(u16at(data + 6));
        const int top = static_cast<qint16>(u16at(data + 8));
        const int right = static_cast<qint16>(u16at(data + 10));
        const int bottom = static_cast<qint16>(u16at(data + 12));
        const int inch = u16at(data + 14);
        mf.placeable = true;
        mf.bounds = QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                          QSize(std::abs(right - left), std::abs(bottom - top)));
        mf.unitsPerInch = inch > 0 ? inch : 1440;
        header = PlaceableHeaderSize;
    } else if (size < HeaderSize) {
        return std::nullopt;
    }
    if (!validHeader(data + header))
        return std::nullopt;
    mf.objectCount = u16at(data + header + 10);
    mf.recordsStart = header + HeaderSize;
    if (mf.bounds.isEmpty()) {
        if (const auto box = windowBox(data, size, mf.recordsStart)) {
            mf.bounds = *box;
            mf.unitsPerInch = 1440;
        } else {
            mf.bounds = QRect(0, 0, 640, 480);
            mf.unitsPerInch = 96;
        }
    }
    return mf;
}

} // namespace lumora::wmf
