#include "platform/metafile.h"

#include "platform/metafile/player.h"
#include "platform/metafile/reader.h"
#include "platform/metafile/records.h"
#include "platform/seqfile.h"
#include "platform/twips.h"

#include <QLabel>
#include <QPainter>
#include <QStringList>

#include <cmath>

namespace lumora {

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
    for (const wmf::RecordName& f : wmf::recordNames)
        if (f.function == function)
            return QString::fromLatin1(f.name);
    return QStringLiteral("0x%1").arg(function, 4, 16, QLatin1Char('0'));
}

std::optional<Metafile> Metafile::fromBytes(const QByteArray& bytes) {
    if (bytes.size() > MaxFileSize)
        return std::nullopt;
    const auto header = wmf::readHeader(bytes);
    if (!header)
        return std::nullopt;
    Metafile mf;
    mf.m_placeable = header->placeable;
    mf.m_bounds = header->bounds;
    mf.m_unitsPerInch = header->unitsPerInch;
    mf.m_objectCount = header->objectCount;
    mf.m_recordsStart = header->recordsStart;
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

namespace {

// The picture drawn to fill an image of `size` (at most MaxImageSide on either side,
// keeping its shape) on `background`; a null image when none can be made.
QImage drawn(const Metafile& mf, QSize size, QColor background, PlayStats* stats) {
    constexpr int most = Metafile::MaxImageSide;
    if (size.isEmpty())
        return {};
    if (size.width() > most || size.height() > most)
        size = size.scaled(most, most, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(background);
    QPainter painter(&image);
    const PlayStats result = mf.play(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    if (stats)
        *stats = result;
    return image;
}

} // namespace

QImage Metafile::toImage(QColor background, PlayStats* stats) const {
    return drawn(*this, sizePixels(), background, stats);
}

QPixmap Metafile::toPixmap(QColor background, double ratio) const {
    if (!std::isfinite(ratio) || ratio <= 1)
        return QPixmap::fromImage(toImage(background));
    const QSize logical = sizePixels();
    QImage image = drawn(*this, (QSizeF(logical) * ratio).toSize(), background, nullptr);
    if (image.isNull())
        return {};
    // The ratio that makes the picture its own size in pixels, whatever the cap did.
    image.setDevicePixelRatio(double(image.width()) / logical.width());
    return QPixmap::fromImage(image);
}

QString Metafile::pageText() const {
    // Drawn onto a single pixel: the text is collected wherever it lands.
    QImage dot(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&dot);
    return readingOrderText(play(painter, QRectF(QPointF(0, 0), QSizeF(sizePixels()))));
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
