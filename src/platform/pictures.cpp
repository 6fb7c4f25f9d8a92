#include "platform/pictures.h"

#include "platform/respath.h"
#include "platform/seqfile.h"

#include <QLabel>

namespace lumora {

QPixmap loadPicture(const QString& resourceName) {
    QPixmap pixmap;
    if (!pixmap.load(resourcePath(resourceName)))
        throw FileError(QStringLiteral("cannot load the picture %1").arg(resourceName));
    return pixmap;
}

void loadPicture(QLabel* control, const QString& resourceName, bool autosize) {
    const QPixmap pixmap = loadPicture(resourceName);
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    control->setPixmap(pixmap);
    if (autosize)
        control->resize(pixmap.size());
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
