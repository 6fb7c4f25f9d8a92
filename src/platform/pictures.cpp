#include "platform/pictures.h"

#include "platform/respath.h"
#include "platform/seqfile.h"

#include <QLabel>
#include <QList>

#include <algorithm>
#include <cmath>

namespace lumora {

namespace {

QPixmap readPicture(const QString& resourceName) {
    QPixmap pixmap;
    if (!pixmap.load(resourcePath(resourceName)))
        throw FileError(QStringLiteral("cannot load the picture %1").arg(resourceName));
    return pixmap;
}

// "Images\a.jpg" at 2 is "Images\a@2x.jpg".
QString denserName(const QString& resourceName, int times) {
    const int dot = resourceName.lastIndexOf(QLatin1Char('.'));
    const int cut = dot > resourceName.lastIndexOf(QLatin1Char('\\')) ? dot : resourceName.size();
    return resourceName.left(cut) + QStringLiteral("@%1x").arg(times) + resourceName.mid(cut);
}

// The copy for `ratio` device pixels to the pixel: the least dense that needs no
// enlarging, else the densest there is; null when there is none.
QPixmap denseCopy(const QString& resourceName, qreal ratio) {
    constexpr int MostDense = 3;
    const int least = std::clamp(int(std::ceil(ratio)), 2, MostDense);
    QList<int> order;
    for (int times = least; times <= MostDense; ++times)
        order << times;
    for (int times = least - 1; times >= 2; --times)
        order << times;
    for (int times : order) {
        QPixmap copy; // missing or unreadable: passed over
        if (copy.load(resourcePath(denserName(resourceName, times)))) {
            copy.setDevicePixelRatio(times);
            return copy;
        }
    }
    return {};
}

} // namespace

QPixmap loadPicture(const QString& resourceName, qreal ratio) {
    const QPixmap designed = readPicture(resourceName);
    if (ratio <= 1)
        return designed;
    const QPixmap dense = denseCopy(resourceName, ratio);
    QPixmap drawn = (dense.isNull() ? designed : dense)
                        .scaled((QSizeF(designed.size()) * ratio).toSize(), Qt::IgnoreAspectRatio,
                                Qt::SmoothTransformation);
    drawn.setDevicePixelRatio(ratio);
    return drawn;
}

void loadPicture(QLabel* control, const QString& resourceName, bool autosize) {
    const QPixmap pixmap = loadPicture(resourceName, control->devicePixelRatioF());
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    control->setPixmap(pixmap);
    if (autosize)
        control->resize(pixmap.deviceIndependentSize().toSize());
}

bool loadPictureIfPresent(QLabel* control, const QString& resourceName, bool autosize) {
    try {
        loadPicture(control, resourceName, autosize);
        return true;
    } catch (const FileError&) {
        return false;
    }
}

} // namespace lumora
