// Saving when the surroundings are against it: two programs on one folder, a kill at
// any moment, a full disk, a read-only or vanished folder, damaged and foreign files.
// Each case shows the step's own message, keeps every file and title, and the
// program works again once the trouble is gone.
#include "platform/folderlock.h"
#include "platform/seqfile.h"
#include "quiz/multiple.h"
#include "sampleworksheet.h"
#include "shell/buttonlabel.h"
#include "testapp.h"
#include "worksheets/catalogue.h"
#include "worksheets/wizard.h"
#include "worksheets/worksheets.h"

#include <QCheckBox>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QtTest>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace lumora;
using namespace lumora::testing;

namespace {

const QString Track = QStringLiteral("multiple/track.txt");
const QString Helper = QStringLiteral(LUMORA_SAVEHELPER);

// The catalogue's titles, read as every reader reads them.
QStringList listed() {
    SharedState s;
    catalogue::read(s);
    QStringList titles;
    for (int i = 1; i <= s.numworksheets; ++i)
        titles << s.worksheetname[i];
    return titles;
}

// What replaceFile leaves behind when it is killed.
QStringList temporaries() {
    return QDir(QStringLiteral("multiple"))
        .entryList({QStringLiteral("?*.lumora-*")}, QDir::Files | QDir::Hidden);
}

QString lastMessage(TestApp& t) {
    const auto& h = t.app.messages.history();
    return h.empty() ? QString() : h.back().text;
}

// Saves through the wizard as a teacher would; the message it showed.
QString save(TestApp& t, const QString& title) {
    Wizard& w = t.app.screens.wizard();
    w.showInFront();
    w.fill(sampleWorksheet(title));
    clickMouse(w.Label3[Wizard::SaveButton]);
    return lastMessage(t);
}

Worksheets& reopenCatalogue(TestApp& t) {
    if (t.app.screens.isLoaded(QStringLiteral("worksheets")))
        t.app.screens.unload(&t.app.screens.worksheets());
    settle();
    Worksheets& ws = t.app.screens.worksheets();
    ws.showInFront();
    return ws;
}

QStringList shownEntries(Worksheets& ws) {
    QStringList out;
    for (int k = 1; k <= catalogue_page::Size; ++k) {
        if (ws.Label2[k]->isVisibleTo(&ws))
            out << ws.Label2[k]->text();
    }
    return out;
}

enum class Mode { Quiz, Edit, Delete };

// Clicks the entry of a title on the open catalogue screen, answering OK to the
// deletion question; the message shown besides that question, or "" for none.
QString clickEntry(TestApp& t, Worksheets& ws, const QString& title, Mode mode) {
    const int k = shownEntries(ws).indexOf(title) + 1;
    if (k == 0)
        return QStringLiteral("(not listed)");
    ws.Check1->setChecked(mode == Mode::Edit);
    ws.Check2->setChecked(mode == Mode::Delete);
    const std::size_t before = t.app.messages.history().size();
    t.answers = {MessageAnswer::Ok};
    clickMouse(ws.Label2[k]);
    t.answers.clear();
    const auto& h = t.app.messages.history();
    for (std::size_t i = h.size(); i > before; --i) {
        if (!h[i - 1].text.startsWith(QLatin1String("Are you sure")))
            return h[i - 1].text;
    }
    return QString();
}

QString clickEntry(TestApp& t, const QString& title, Mode mode) {
    return clickEntry(t, reopenCatalogue(t), title, mode);
}

// Two worksheets saved and listed, the state every hostile case starts from.
void prepare(TestApp& t) {
    t.folder.write(Track, " 0 \r\n");
    QCOMPARE(save(t, "Kept"), worksheet::Saved);
    QCOMPARE(save(t, "Other"), worksheet::Saved);
}

void checkKept(const QStringList& titles = {"Kept", "Other"}) {
    QCOMPARE(listed(), titles);
    for (const QString& title : titles)
        QCOMPARE(QFile(QStringLiteral("multiple/%1.txt").arg(title)).size(),
                 sampleWorksheetFile(title).size());
    QCOMPARE(temporaries(), QStringList());
}

// Root writes through every permission, so a case about permissions runs in a copy
// of this program as the user nobody. False when the case failed there.
bool runAsNobody(const char* function) {
    QTemporaryDir bin;
    const QString exe = bin.filePath(QStringLiteral("test"));
    if (!QFile::copy(QCoreApplication::applicationFilePath(), exe) ||
        ::chmod(QFile::encodeName(bin.path()).constData(), 0755) != 0 ||
        ::chmod(QFile::encodeName(exe).constData(), 0755) != 0)
        return false;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LUMORA_TEST_CLASS"), QStringLiteral("SaveSafetyTest"));
    env.insert(QStringLiteral("HOME"), QStringLiteral("/tmp"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(bin.path());
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("setpriv"), {"--reuid=65534", "--regid=65534", "--clear-groups", exe,
                                        QString::fromLatin1(function)});
    const bool passed =
        p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!passed)
        qWarning().noquote() << p.readAll();
    return passed;
}

#define RUN_AS_NOBODY_WHEN_ROOT()                                                                  \
    if (::geteuid() == 0) {                                                                        \
        QVERIFY2(runAsNobody(QTest::currentTestFunction()), "the case failed as nobody");          \
        return;                                                                                    \
    }

} // namespace

class SaveSafetyTest : public QObject {
    Q_OBJECT
private slots:
    void twoProgramsSaveIntoOneFolder() {
        ScratchFolder dir;
        dir.write(Track, " 0 \r\n");
        QProcess a, b;
        a.start(Helper, {dir.path(), "save", "A", "200"});
        b.start(Helper, {dir.path(), "save", "B", "200"});
        QVERIFY(a.waitForFinished(180000) && b.waitForFinished(180000));
        QCOMPARE(a.exitCode() + b.exitCode(), 0);
        const QStringList titles = listed();
        QCOMPARE(titles.size(), 400);
        QCOMPARE(QSet<QString>(titles.begin(), titles.end()).size(), 400);
        for (const QString& title : titles) {
            QVERIFY(title.contains(QRegularExpression("^[AB]([1-9]|[1-9][0-9]|1[0-9][0-9]|200)$")));
            QCOMPARE(dir.read("multiple/" + title + ".txt"), sampleWorksheetFile(title));
        }
        QCOMPARE(temporaries(), QStringList());
    }

    void aKillAtAnyMomentLeavesTheOldListOrTheNew() {
        ScratchFolder dir;
        dir.write(Track, " 0 \r\n");
        // A save's own length, so that the kills are aimed at it.
        QElapsedTimer clock;
        QProcess warm;
        warm.start(Helper, {dir.path(), "save", "Warm", "1"});
        QVERIFY(warm.waitForReadyRead(10000));
        clock.start();
        QVERIFY(warm.waitForFinished(10000));
        const qint64 saveMicros = std::max<qint64>(clock.nsecsElapsed() / 1000, 500);

        QRandomGenerator random(20261207);
        QStringList before = listed();
        int old = 0, renewed = 0;
        for (int round = 0; round < 200; ++round) {
            const bool removal = round % 4 == 3 && !before.isEmpty();
            const QString title = removal ? before[random.bounded(int(before.size()))]
                                          : QStringLiteral("K%1-1").arg(round);
            QStringList after = before;
            if (removal)
                after.removeAt(after.lastIndexOf(title));
            else
                after << title;
            QProcess p;
            p.start(Helper, removal ? QStringList{dir.path(), "delete", title}
                                    : QStringList{dir.path(), "save", title.chopped(1), "1"});
            QVERIFY(p.waitForReadyRead(10000));
            ::usleep(static_cast<useconds_t>(random.bounded(saveMicros * 3 / 2)));
            ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
            QVERIFY(p.waitForFinished(10000));

            const QStringList now = listed();
            QVERIFY2(now == before || now == after, qPrintable(QString::number(round)));
            (now == before ? old : renewed) += 1;
            if (!removal && dir.exists("multiple/" + title + ".txt"))
                QCOMPARE(dir.read("multiple/" + title + ".txt"), sampleWorksheetFile(title));
            QVERIFY(temporaries().size() <= 1); // the next save clears what a kill left
            before = now;
        }
        qInfo("%d kills kept the old list, %d came after the new one", old, renewed);
        SharedState s;
        worksheet::saveworksheet(s, sampleWorksheet("Last"));
        QCOMPARE(temporaries(), QStringList());
    }

    void aLockHeldElsewhereIsWaitedForThenReported() {
        ScratchFolder dir;
        QVERIFY(QDir().mkdir("multiple"));
        QProcess holder;
        holder.start(Helper, {dir.path(), "hold", "-"});
        QVERIFY(holder.waitForReadyRead(10000));
        QElapsedTimer clock;
        clock.start();
        QVERIFY_THROWS_EXCEPTION(FileError, FolderLock("multiple", 300));
        QVERIFY(clock.elapsed() >= 300);
        holder.kill(); // a program that dies frees the folder
        QVERIFY(holder.waitForFinished(10000));
        const FolderLock lock("multiple", 300);
        QCOMPARE(QDir("multiple").entryList(QDir::Files | QDir::Hidden),
                 QStringList{FolderLock::FileName});
    }

    void aFullDisk() {
        TestApp t;
        prepare(t);
        const QByteArray folder = QFile::encodeName(t.folder.path() + "/multiple");
        // A small disk of its own where the machine allows one, else a file-size limit.
        QMap<QString, QByteArray> files;
        for (const QString& name : QDir("multiple").entryList(QDir::Files | QDir::Hidden))
            files[name] = t.folder.read("multiple/" + name);
        const bool mounted =
            ::geteuid() == 0 && ::mount("tmpfs", folder.constData(), "tmpfs", 0, "size=256k") == 0;
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        auto restore = qScopeGuard([&] {
            ::setrlimit(RLIMIT_FSIZE, &old);
            std::signal(SIGXFSZ, handler);
            if (mounted)
                ::umount2(folder.constData(), MNT_DETACH);
        });
        if (mounted) {
            for (auto it = files.begin(); it != files.end(); ++it)
                t.folder.write("multiple/" + it.key(), it.value());
            QFile filler(QStringLiteral("multiple/filler"));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size()) {
            }
        } else {
            rlimit small = old;
            small.rlim_cur = 8; // smaller than the catalogue or any worksheet
            ::setrlimit(RLIMIT_FSIZE, &small);
        }
        QCOMPARE(save(t, "Kept"), worksheet::SaveFailed);
        QCOMPARE(save(t, "New"), worksheet::SaveFailed);
        QCOMPARE(clickEntry(t, "Kept", Mode::Delete), Worksheets::Corrupted);
        QCOMPARE(clickEntry(t, "Other", Mode::Quiz), QString());
        checkKept();
        QCOMPARE(t.folder.read("multiple/Kept.txt"), sampleWorksheetFile("Kept"));

        if (mounted)
            QVERIFY(QFile::remove("multiple/filler"));
        else
            ::setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(save(t, "New"), worksheet::Saved);
        checkKept({"Kept", "Other", "New"});
    }

    void aReadOnlyFolder() {
        RUN_AS_NOBODY_WHEN_ROOT();
        TestApp t;
        prepare(t);
        QCOMPARE(::chmod("multiple", 0555), 0);
        auto restore = qScopeGuard([] { ::chmod("multiple", 0755); });
        QCOMPARE(save(t, "Kept"), worksheet::SaveFailed);
        QCOMPARE(save(t, "New"), worksheet::SaveFailed);
        QCOMPARE(clickEntry(t, "Kept", Mode::Delete), Worksheets::Corrupted);
        QCOMPARE(clickEntry(t, "Other", Mode::Quiz), QString());
        QCOMPARE(t.app.state.quiztitle, QStringLiteral("Other"));
        checkKept();
        ::chmod("multiple", 0755);
        QCOMPARE(save(t, "New"), worksheet::Saved);
    }

    void theFolderRemovedWhileRunning() {
        TestApp t;
        prepare(t);
        Worksheets& ws = reopenCatalogue(t);
        QVERIFY(QDir("multiple").removeRecursively());
        QCOMPARE(clickEntry(t, ws, "Kept", Mode::Quiz), Worksheets::Corrupted);
        QCOMPARE(clickEntry(t, ws, "Kept", Mode::Delete), Worksheets::Corrupted);
        QCOMPARE(save(t, "New"), worksheet::SaveFailed);
        QCOMPARE(t.app.screens.wizard().entries().title, QStringLiteral("New"));
        QCOMPARE(shownEntries(reopenCatalogue(t)), QStringList());
        t.folder.write(Track, " 0 \r\n");
        QCOMPARE(save(t, "New"), worksheet::Saved);
        QCOMPARE(shownEntries(reopenCatalogue(t)), QStringList{"New"});
    }

    void aCatalogueThatIsAFolder() {
        TestApp t;
        QVERIFY(QFile::remove(Track) && QDir().mkpath(Track));
        openMenu(t);
        QCOMPARE(shownEntries(reopenCatalogue(t)), QStringList());
        QCOMPARE(save(t, "New"), worksheet::SaveFailed);
        QVERIFY(!t.folder.exists("multiple/New.txt"));
        QVERIFY(QFileInfo(Track).isDir());
        QCOMPARE(t.app.messages.history().size(), std::size_t(1));
    }

    void anUnreadableWorksheet() {
        RUN_AS_NOBODY_WHEN_ROOT();
        TestApp t;
        prepare(t);
        QCOMPARE(::chmod("multiple/Kept.txt", 0), 0);
        for (Mode mode : {Mode::Quiz, Mode::Edit, Mode::Delete})
            QCOMPARE(clickEntry(t, "Kept", mode), Worksheets::Corrupted);
        QCOMPARE(listed(), (QStringList{"Kept", "Other"}));
        QCOMPARE(clickEntry(t, "Other", Mode::Quiz), QString());
        QVERIFY(t.app.screens.multiple().isVisible());
    }

    void aCatalogueFromAnotherProgram_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("titles");
        const QStringList accents{QStringLiteral("Caf\u00e9 cr\u00e8me"), "Kept"};
        const QStringList beyond{QStringLiteral("\u0141\u00f3d\u017a sums"), "Kept"};
        QTest::newRow("Windows-1252, LF only")
            << QByteArray(" 2\nCaf\xe9 cr\xe8me\nKept\n") << accents;
        QTest::newRow("Windows-1252, CR only")
            << QByteArray(" 2\rCaf\xe9 cr\xe8me\rKept\r") << accents;
        QTest::newRow("UTF-8") << (" 2 \r\n" + beyond.join("\r\n") + "\r\n").toUtf8() << beyond;
        QTest::newRow("UTF-8, LF only, marked")
            << "\xEF\xBB\xBF" + (" 2\n" + accents.join("\n")).toUtf8() << accents;
        QString text = " 2 \r\n" + beyond.join("\r\n") + "\r\n";
        QTest::newRow("UTF-16") << QByteArray("\xFF\xFE") +
                                       QByteArray(reinterpret_cast<const char*>(text.utf16()),
                                                  text.size() * 2)
                                << beyond;
    }
    void aCatalogueFromAnotherProgram() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, titles);
        TestApp t;
        t.folder.write(Track, file);
        QCOMPARE(save(t, "Kept"), worksheet::Saved); // listed already: the file stays
        QCOMPARE(t.folder.read(Track), file);
        QCOMPARE(shownEntries(reopenCatalogue(t)), titles);
        QCOMPARE(save(t, "New"), worksheet::Saved);
        QCOMPARE(listed(), titles + QStringList{"New"});
        QCOMPARE(clickEntry(t, "Kept", Mode::Delete), QString());
        QCOMPARE(listed(), (QStringList{titles[0], "New"}));
    }

    void aHugeFileInPlaceOfAWorksheet() {
        TestApp t;
        prepare(t);
        QFile huge(QStringLiteral("multiple/Kept.txt"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(800LL << 20)); // sparse
        huge.close();
        rusage before{}, after{};
        ::getrusage(RUSAGE_SELF, &before);
        QCOMPARE(clickEntry(t, "Kept", Mode::Quiz), Worksheets::Corrupted);
        QCOMPARE(clickEntry(t, "Kept", Mode::Edit), Worksheets::Corrupted);
        ::getrusage(RUSAGE_SELF, &after);
        QVERIFY(after.ru_maxrss - before.ru_maxrss < 100 * 1024); // never read whole
        QCOMPARE(clickEntry(t, "Other", Mode::Quiz), QString());
        QCOMPARE(t.app.state.quiztitle, QStringLiteral("Other"));
        QCOMPARE(listed(), (QStringList{"Kept", "Other"}));
    }
};

LUMORA_TEST(SaveSafetyTest)
#include "tst_savesafety.moc"
