#include "platform/respath.h"

#include "platform/places.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace lumora {

namespace {

// The entry of `folder` named `component`, exactly or else ignoring case; empty
// when there is none, or more than one candidate ignoring case and no exact one.
QString matchComponent(const QString& folder, const QString& component) {
    const QString exact = folder.isEmpty() ? component : folder + '/' + component;
    if (QFileInfo::exists(exact))
        return component;
    QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    QString found;
    for (const QString& e : entries) {
        if (e.compare(component, Qt::CaseInsensitive) == 0) {
            if (!found.isEmpty())
                return {}; // ambiguous: two entries differ only in case
            found = e;
        }
    }
    return found;
}

} // namespace

QString resolveIn(const QString& base, const QString& name) {
    QString normal = name;
    normal.replace('\\', '/');
    const QStringList parts = normal.split('/', Qt::SkipEmptyParts);
    const bool absolute = normal.startsWith('/');
    // The base folder itself is taken as it is; only the name's parts are matched.
    const QString root = absolute || base.isEmpty() ? QString() : QDir::cleanPath(base);
    QString folder = absolute ? QStringLiteral("/") : root;
    QString built = root;
    bool resolving = true;
    for (const QString& part : parts) {
        QString use = part;
        if (resolving && part != QLatin1String(".") && part != QLatin1String("..")) {
            const QString m = matchComponent(folder.isEmpty() ? QString() : folder, part);
            if (m.isEmpty())
                resolving = false; // the rest is created or reported under its own name
            else
                use = m;
        }
        built = built.isEmpty() ? (absolute ? '/' + use : use)
                                : (built == QLatin1String("/") ? '/' + use : built + '/' + use);
        folder = built;
    }
    return built;
}

QString resourcePath(const QString& name) { return resolveIn(folderFor(name), name); }

bool resourceExists(const QString& name) { return QFileInfo(resourcePath(name)).isFile(); }

} // namespace lumora
