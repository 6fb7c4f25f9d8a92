#include "testing.h"

#include "activities/generators.h"

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

void ScratchFolder::copyFromData(const QString& name) const {
    QFile f(dataFolder() + '/' + name);
    for (const QString& file : QDir(f.fileName()).entryList(QDir::Files))
        copyFromData(name + '/' + file);
    if (f.open(QIODevice::ReadOnly))
        write(name, f.readAll());
}

QStringList ScratchFolder::list(const QString& folder) const {
    return QDir(m_dir.filePath(folder)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QString dataFolder() {
    return qEnvironmentVariable("LUMORA_DATA", QStringLiteral(LUMORA_SOURCE_DATA));
}

ScriptedRandom scriptedDraws(const QList<QPoint>& draws) {
    ScriptedRandom r;
    for (QPoint d : draws)
        r.push(drawFor(d.x(), d.y()));
    for (int i = 0; i < drills::ShufflePasses * drills::Choices; ++i)
        r.push(drawFor(i % drills::Choices, drills::Choices));
    return r;
}

QByteArray crlf(const QStringList& lines) {
    return lines.isEmpty() ? QByteArray() : (lines.join("\r\n") + "\r\n").toLatin1();
}

} // namespace lumora::testing
