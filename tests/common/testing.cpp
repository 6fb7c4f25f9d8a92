#include "testing.h"

#include <QDir>
#include <QFile>

namespace lumora::testing {

std::vector<TestFactory>& registry() {
    static std::vector<TestFactory> factories;
    return factories;
}

ScratchFolder::ScratchFolder() : m_previous(QDir::currentPath()) {
    if (!m_dir.isValid() || !QDir::setCurrent(m_dir.path()))
        qFatal("cannot make a scratch folder");
}

ScratchFolder::~ScratchFolder() { QDir::setCurrent(m_previous); }

void ScratchFolder::write(const QString& name, const QByteArray& bytes) const {
    const QString full = m_dir.filePath(name);
    QDir().mkpath(QFileInfo(full).path());
    QFile f(full);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(full));
}

QByteArray ScratchFolder::read(const QString& name) const {
    QFile f(m_dir.filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool ScratchFolder::exists(const QString& name) const {
    return QFileInfo::exists(m_dir.filePath(name));
}

bool ScratchFolder::copyFromData(const QString& name) const {
    QFile f(dataFolder() + '/' + name);
    if (f.open(QIODevice::ReadOnly))
        write(name, f.readAll());
    return f.isOpen();
}

void ScratchFolder::copyFolderFromData(const QString& folder) const {
    for (const QString& f : QDir(dataFolder() + '/' + folder).entryList(QDir::Files))
        copyFromData(folder + '/' + f);
}

QStringList ScratchFolder::list(const QString& folder) const {
    return QDir(m_dir.filePath(folder)).entryList(QDir::Files, QDir::Name);
}

QString dataFolder() {
    const QString env = qEnvironmentVariable("LUMORA_DATA");
    return env.isEmpty() ? QStringLiteral(LUMORA_SOURCE_DATA) : env;
}

QByteArray crlf(const QStringList& lines) {
    return lines.isEmpty() ? QByteArray() : (lines.join("\r\n") + "\r\n").toLatin1();
}

} // namespace lumora::testing
