#pragma once
// What the test executables share: a registry of test classes (each executable
// runs all of its own), a scratch working folder, scripted draws and small file
// helpers.

#include "platform/random.h"

#include <QFileInfo>
#include <QObject>
#include <QPoint>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

namespace lumora::testing {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<TestFactory>& registry();

struct Registrar {
    explicit Registrar(TestFactory f) { registry().push_back(std::move(f)); }
};

// A fresh, empty working folder for the life of the object; the program's files
// are relative to it. The folder before is restored afterwards.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    QString path() const { return m_dir.path(); }
    // Writes a file relative to the folder, creating its folders.
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const; // empty when there is none
    bool exists(const QString& name) const { return QFileInfo::exists(m_dir.filePath(name)); }
    // Copies a file of the product's data/ folder, or every file of a folder of it,
    // into the same place here.
    void copyFromData(const QString& name) const;
    QStringList list(const QString& folder) const; // its files, hidden ones too, sorted

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// The product's data/ folder of the source tree.
QString dataFolder();

// A source that gives the draws (k, n) for Int(Rnd * n) = k in turn, then the forty
// draws of a shuffle that leaves every choice where it was.
ScriptedRandom scriptedDraws(const QList<QPoint>& draws);

// Lines joined with CR LF, each ended by it.
QByteArray crlf(const QStringList& lines);

} // namespace lumora::testing

#define LUMORA_TEST(Class)                                                                         \
    static const ::lumora::testing::Registrar registrar_##Class(                                   \
        [] { return std::unique_ptr<QObject>(new Class); });
