// The wizard and the catalogue screen through the real widgets, and saving when the
// surroundings are against it: two programs on one folder, a kill at any moment, a
// full disk, a read-only or vanished folder, damaged and foreign files. Each hostile
// case shows the step's own message, keeps every file and title, and the program
// works again once the trouble is gone.
#include "navigation/intro0.h"
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
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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
    return QStringList(s.worksheetname.begin() + 1, s.worksheetname.begin() + 1 + s.numworksheets);
}

// What replaceFile leaves behind when it is killed.
QStringList temporaries() {
    return QDir("multiple").entryList({"?*.lumora-*"}, QDir::Files | QDir::Hidden);
}

QString lastMessage(TestApp& t) {
    return t.app.messages.history().empty() ? QString() : t.app.messages.history().back().text;
}

// Saves through the wizard as a teacher would; the message it showed.
QString save(TestApp& t, const QString& title) {
    Wizard& w = t.app.screens.wizard();
    w.showInFront();
    w.fill(sampleWorksheet(title));
    clickMouse(w.Label3[Wizard::SaveButton]);
    return lastMessage(t);
}

// The catalogue screen as it opens now, from the file.
Worksheets& reopenCatalogue(TestApp& t) {
    if (t.app.screens.isLoaded("worksheets"))
        t.app.screens.unload(&t.app.screens.worksheets());
    settle();
    Worksheets& ws = t.app.screens.worksheets();
    ws.showInFront();
    return ws;
}

QStringList shownEntries(Worksheets& ws) {
    QStringList out;
    for (int k = 1; k <= catalogue_page::Size; ++k)
        if (ws.Label2[k]->isVisibleTo(&ws))
            out << ws.Label2[k]->text();
    return out;
}

enum class Mode { Quiz, Edit, Delete };

// Clicks the entry of a title on the catalogue screen (reopened unless given),
// answering OK to the deletion question; the message shown besides that question.
QString clickEntry(TestApp& t, const QString& title, Mode mode, Worksheets* ws = nullptr) {
    if (!ws)
        ws = &reopenCatalogue(t);
    const int k = shownEntries(*ws).indexOf(title) + 1;
    if (k == 0)
        return QStringLiteral("(not listed)");
    ws->Check1->setChecked(mode == Mode::Edit);
    ws->Check2->setChecked(mode == Mode::Delete);
    const std::size_t before = t.app.messages.history().size();
    t.answers = {MessageAnswer::Ok};
    clickMouse(ws->Label2[k]);
    const QString said = t.app.messages.history().size() > before ? lastMessage(t) : QString();
    return said.startsWith(QLatin1String("Are you sure")) ? QString() : said;
}

// Two worksheets saved and listed, the state every hostile case starts from.
void prepare(TestApp& t) {
    t.folder.write(Track, " 0 \r\n");
    QCOMPARE(save(t, "Kept"), worksheet::Saved);
    QCOMPARE(save(t, "Other"), worksheet::Saved);
}

// Root writes through every permission, so as root a case about permissions runs in a
// copy of this program as the user nobody, and its outcome is recorded here. True
// when it ran there.
bool ranAsNobody() {
    if (::geteuid() != 0)
        return false;
    QTemporaryDir bin;
    const QString exe = bin.filePath("test");
    QFile::copy(QCoreApplication::applicationFilePath(), exe);
    for (const QString& path : {bin.path(), exe})
        ::chmod(QFile::encodeName(path).constData(), 0755);
    QProcess p;
    p.setWorkingDirectory(bin.path());
    p.setProcessChannelMode(QProcess::MergedChannels);
    const QString name = QString::fromLatin1(QTest::currentTestFunction()) + ':' +
                         QString::fromLatin1(QTest::currentDataTag());
    p.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", "env",
                        "LUMORA_TEST_CLASS=WizardTest", "HOME=/tmp", exe, name});
    const bool passed =
        p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    QTest::qVerify(passed, "the case as nobody", passed ? "" : p.readAll().constData(), __FILE__,
                   __LINE__);
    return true;
}

} // namespace

class WizardTest : public QObject {
    Q_OBJECT
private slots:
    // Nothing a worksheet file cannot hold can be typed; a check that fails saves
    // nothing and leaves every box as it was.
    void boxesRefuseWhatTheFileCannotHold() {
        TestApp t;
        Wizard& w = t.app.screens.wizard();
        w.showInFront();
        w.fill(sampleWorksheet("Checks"));
        w.Text3[0]->clear();
        for (QChar c : QStringLiteral("2\u03c0r, \u20ac5")) { // typed, key by key
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w.Text3[0], &press);
        }
        QCOMPARE(w.Text3[0]->text(), QStringLiteral("2r, \u20ac5")); // pi refused, euro kept
        QVERIFY(t.app.messages.history().empty());
        w.Check1[4 * 6 + 3]->setChecked(true); // a second tick on question 7
        const worksheet::Entries before = w.entries();
        clickMouse(w.Label3[Wizard::SaveButton]);
        QCOMPARE(lastMessage(t),
                 QStringLiteral("You have ticked more than one correct answer for Question 7"));
        QVERIFY(w.entries().ticked == before.ticked && w.entries().choice == before.choice);
        QCOMPARE(t.folder.read(Track), QByteArray(" 0 \r\n"));
    }

    // 24 entries a page, and no more than 41 pages however long the catalogue. A
    // deletion asks first, then redraws the page, and never leaves an empty one.
    void paging() {
        TestApp t;
        const struct {
            int count, turns, deleted, page, first, last;
        } rows[] = {{0, 0, 0, 1, 1, 0},    {24, 0, 0, 1, 1, 24},        {25, 1, 0, 2, 25, 25},
                    {30, 1, 0, 2, 25, 30}, {1000, 40, 0, 41, 961, 984}, {30, 0, 3, 1, 1, 25},
                    {25, 1, 25, 1, 1, 24}};
        for (const auto& r : rows) {
            t.folder.write(Track, numbered(r.count));
            Worksheets& ws = reopenCatalogue(t);
            for (int page = 0; page < r.turns; ++page)
                clickMouse(ws.Label3[Worksheets::NextPage]);
            const QString title = QStringLiteral("Sheet %1").arg(r.deleted);
            if (r.deleted) {
                t.folder.write("multiple/" + title + ".txt", sampleWorksheetFile(title));
                QTest::mouseClick(ws.Check1, Qt::LeftButton, {}, QPoint(8, 10));
                QTest::mouseClick(ws.Check2, Qt::LeftButton, {}, QPoint(8, 10));
                QVERIFY(ws.Check2->isChecked() && !ws.Check1->isChecked()); // one unticks the other
                t.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
                for (int click = 0; click < 2; ++click) {
                    QCOMPARE(t.folder.read(Track), numbered(r.count)); // Cancel changes nothing
                    clickMouse(ws.Label2[shownEntries(ws).indexOf(title) + 1]);
                }
                const MessageRequest& asked = t.app.messages.history().back();
                QCOMPARE(asked.text,
                         "Are you sure that you want to delete the worksheet " + title + "?");
                QVERIFY(asked.title.isEmpty() && asked.buttons == MessageButtons::OkCancel);
            }
            QCOMPARE(ws.Label4->text(), QStringLiteral("Page %1").arg(r.page));
            QStringList expected;
            for (int i = r.first; i <= r.last; ++i)
                if (i != r.deleted)
                    expected << QStringLiteral("Sheet %1").arg(i);
            QCOMPARE(shownEntries(ws), expected);
            QCOMPARE(listed().size(), r.count - (r.deleted > 0));
            QCOMPARE(ws.Label3[Worksheets::PreviousPage]->isVisibleTo(&ws), r.page > 1);
            QCOMPARE(ws.Label3[Worksheets::NextPage]->isVisibleTo(&ws),
                     r.page == 1 && listed().size() > 24);
        }
    }

    void twoProgramsSaveIntoOneFolder() {
        ScratchFolder dir;
        dir.write(Track, " 0 \r\n");
        QProcess a, b;
        a.start(Helper, {dir.path(), "save", "A", "200"});
        b.start(Helper, {dir.path(), "save", "B", "200"});
        QVERIFY(a.waitForFinished(180000) && b.waitForFinished(180000));
        QCOMPARE(a.exitCode() + b.exitCode(), 0);
        QStringList titles = listed(), expected;
        for (int i = 1; i <= 200; ++i)
            expected << QStringLiteral("A%1").arg(i) << QStringLiteral("B%1").arg(i);
        for (const QString& title : titles)
            QCOMPARE(dir.read("multiple/" + title + ".txt"), sampleWorksheetFile(title));
        titles.sort();
        expected.sort();
        QCOMPARE(titles, expected);
        QCOMPARE(temporaries(), QStringList());
    }

    void aKillAtAnyMomentLeavesTheOldListOrTheNew() {
        ScratchFolder dir;
        dir.write(Track, " 0 \r\n");
        // A save's own length, so that the kills are aimed at it.
        QProcess warm;
        warm.start(Helper, {dir.path(), "save", "Warm", "1"});
        QVERIFY(warm.waitForReadyRead(10000));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(warm.waitForFinished(10000));
        const qint64 saveMicros = std::max<qint64>(clock.nsecsElapsed() / 1000, 500);
        QRandomGenerator random(20261207);
        QStringList before = listed();
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
            if (!removal && dir.exists("multiple/" + title + ".txt"))
                QCOMPARE(dir.read("multiple/" + title + ".txt"), sampleWorksheetFile(title));
            QVERIFY(temporaries().size() <= 1); // the next save clears what a kill left
            before = now;
        }
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

    // 0 a full disk (every write stops after a few bytes), 1 a read-only folder, 2 the
    // folder removed while the program runs, 3 a catalogue that is a folder, 4 a real
    // full disk (a small tmpfs, filled up, where the machine lets root mount one). Saving
    // fails, nothing listed is lost, and once the trouble is gone saving works again.
    void aFolderAgainstTheProgram_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("full disk") << 0;
        QTest::newRow("read-only folder") << 1;
        QTest::newRow("folder removed") << 2;
        QTest::newRow("catalogue is a folder") << 3;
        QTest::newRow("full tmpfs") << 4;
    }
    void aFolderAgainstTheProgram() {
        QFETCH(int, kind);
        if (kind == 1 && ranAsNobody())
            return;
        TestApp t;
        const QByteArray folder = QFile::encodeName(t.folder.path() + "/multiple");
        if (kind == 4 && (::geteuid() != 0 ||
                          ::mount("tmpfs", folder.constData(), "tmpfs", 0, "size=256k") != 0))
            QSKIP("No tmpfs can be mounted here; the file-size limit stands in for it.");
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        QFile filler(QStringLiteral("multiple/filler"));
        auto repair = [&] {
            ::setrlimit(RLIMIT_FSIZE, &old);
            ::chmod("multiple", 0755);
            filler.remove(); // closed first, so that its room is free again
            if ((kind == 2 || kind == 3) && QDir("multiple").removeRecursively())
                t.folder.write(Track, " 0 \r\n");
        };
        auto guard = qScopeGuard([&] {
            repair();
            std::signal(SIGXFSZ, handler);
            if (kind == 4)
                ::umount2(folder.constData(), MNT_DETACH);
        });
        prepare(t);
        Worksheets& ws = reopenCatalogue(t);
        const rlimit small{8, old.rlim_max}; // smaller than the catalogue or any worksheet
        QVERIFY(kind != 0 || ::setrlimit(RLIMIT_FSIZE, &small) == 0);
        QVERIFY(kind != 1 || ::chmod("multiple", 0555) == 0);
        QVERIFY(kind != 2 || QDir("multiple").removeRecursively());
        QVERIFY(kind != 3 || (QFile::remove(Track) && QDir().mkpath(Track)));
        if (kind == 4 && filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            while (filler.write(QByteArray(4096, 'x')) == 4096) {
            }
        QCOMPARE(save(t, "Kept"), worksheet::SaveFailed);
        QCOMPARE(save(t, "New"), worksheet::SaveFailed);
        QCOMPARE(t.app.screens.wizard().entries().title, QStringLiteral("New")); // kept to retry
        QCOMPARE(clickEntry(t, "Kept", Mode::Delete, &ws), Worksheets::Corrupted);
        QCOMPARE(clickEntry(t, "Other", Mode::Quiz, &ws), kind == 2 ? Worksheets::Corrupted : "");
        QVERIFY(!t.folder.exists("multiple/New.txt"));
        const QStringList kept =
            kind == 2 || kind == 3 ? QStringList() : QStringList{"Kept", "Other"};
        QCOMPARE(shownEntries(reopenCatalogue(t)), kept);
        for (const QString& title : kept)
            QCOMPARE(t.folder.read("multiple/" + title + ".txt"), sampleWorksheetFile(title));
        QCOMPARE(temporaries(), QStringList());
        repair();
        QCOMPARE(save(t, "New"), worksheet::Saved);
        QCOMPARE(listed(), kept + QStringList{"New"});
    }

    // A worksheet missing, unreadable, a folder, or a huge file: it seems corrupted,
    // it is never read whole, and the catalogue keeps its title.
    void aWorksheetThatCannotBeRead_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("missing") << 0;
        QTest::newRow("unreadable") << 1;
        QTest::newRow("a folder") << 2;
        QTest::newRow("huge") << 3;
    }
    void aWorksheetThatCannotBeRead() {
        QFETCH(int, kind);
        if (kind == 1 && ranAsNobody())
            return;
        TestApp t;
        prepare(t);
        QFile file(QStringLiteral("multiple/Kept.txt"));
        QVERIFY(kind == 1 || file.remove());
        QVERIFY(kind != 1 || file.setPermissions({}));
        QVERIFY(kind != 2 || QDir().mkdir(file.fileName()));
        QVERIFY(kind != 3 || (file.open(QIODevice::WriteOnly) && file.resize(800LL << 20)));
        file.close();
        rusage before{}, after{};
        ::getrusage(RUSAGE_SELF, &before);
        for (Mode mode : {Mode::Quiz, Mode::Edit, Mode::Delete})
            QCOMPARE(clickEntry(t, "Kept", mode), Worksheets::Corrupted);
        ::getrusage(RUSAGE_SELF, &after);
        QVERIFY(after.ru_maxrss - before.ru_maxrss < 100 * 1024);
        QCOMPARE(listed(), (QStringList{"Kept", "Other"}));
        // The rest of the catalogue still runs, and prints from the quiz.
        QCOMPARE(clickEntry(t, "Other", Mode::Quiz), QString());
        Multiple& quiz = t.app.screens.multiple();
        QCOMPARE(quiz.Label5->text(), t.app.screens.intro0().Label1->text()); // the menu's
        clickMouse(quiz.Label3[Multiple::PrintButton]);
        QCOMPARE(lastMessage(t), QStringLiteral("Your worksheet is now printing."));
        QCOMPARE(t.app.state.questnum, 1); // printing leaves the quiz where it was
    }

    // Read as written, rewritten in a form that reads back the same. The seqfile tests
    // cover the other line ends and marks.
    void aCatalogueFromAnotherProgram_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("titles");
        const QStringList beyond{QStringLiteral("\u0141\u00f3d\u017a, sums"), "Kept"};
        const QString text = " 2 \r\n\u0141\u00f3d\u017a& sums\r\nKept\r\n";
        QTest::newRow("Windows-1252, LF only")
            << QByteArray(" 2\nCaf\xe9& cr\xe8me\nKept\n")
            << QStringList{QStringLiteral("Caf\u00e9, cr\u00e8me"), "Kept"};
        QTest::newRow("UTF-8") << text.toUtf8() << beyond;
        QTest::newRow("UTF-16") << QByteArray(QStringEncoder(QStringEncoder::Utf16LE,
                                                             QStringEncoder::Flag::WriteBom)(text))
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
        QCOMPARE(shownEntries(reopenCatalogue(t)), titles + QStringList{"New"});
        QCOMPARE(clickEntry(t, "Kept", Mode::Delete), QString());
        QCOMPARE(shownEntries(reopenCatalogue(t)), (QStringList{titles[0], "New"}));
    }
};

LUMORA_TEST(WizardTest)
#include "tst_wizard.moc"
