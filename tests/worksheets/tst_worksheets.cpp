// The catalogue of worksheets and the worksheet files: read, rewritten, refused. The
// wizard and the catalogue screen through the real widgets, and saving when the
// surroundings are against it: other programs on one folder, kills, full disks, a
// read-only or vanished folder, damaged files.
#include "navigation/intro0.h"
#include "platform/folderlock.h"
#include "platform/respath.h"
#include "quiz/multiple.h"
#include "quiz/questionfile.h"
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

// A catalogue of the titles parted by "|", laid out as another program may lay it out,
// so that a needless rewrite shows.
QByteArray foreign(const QString& titles) {
    const QStringList list = titles.split('|', Qt::SkipEmptyParts);
    return "  " + QByteArray::number(list.size()) + "\r\n" + list.join("\r\n").toLatin1();
}

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

// Saves through the wizard as a teacher would; the message it showed.
QString save(TestApp& t, const QString& title) {
    Wizard& w = t.app.screens.wizard();
    w.showInFront();
    w.fill(sampleWorksheet(title));
    clickMouse(w.Label3[Wizard::SaveButton]);
    return t.lastMessage();
}

// The catalogue screen as it opens now, from the file.
Worksheets& reopenCatalogue(TestApp& t) {
    if (t.app.screens.isLoaded("worksheets"))
        t.app.screens.unload(&t.app.screens.worksheets());
    settle();
    return shown(t.app.screens.worksheets());
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
    const QString said = t.app.messages.history().size() > before ? t.lastMessage() : QString();
    return said.startsWith(QLatin1String("Are you sure")) ? QString() : said;
}

// Root writes through every permission, so as root a case about permissions runs in a
// copy of this program as the user nobody, and passes when it passes there.
void runAsNobody() {
    QTemporaryDir bin;
    const QString exe = bin.filePath("test");
    QFile::copy(QCoreApplication::applicationFilePath(), exe);
    for (const QString& path : {bin.path(), exe})
        ::chmod(QFile::encodeName(path).constData(), 0755);
    QProcess p;
    p.setWorkingDirectory(bin.path());
    p.setProcessChannelMode(QProcess::MergedChannels);
    const QString name = QString(QTest::currentTestFunction()) + ':' + QTest::currentDataTag();
    p.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", "env",
                        "LUMORA_TEST_CLASS=WizardTest", "HOME=/tmp", exe, name});
    const bool passed =
        p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    QVERIFY2(passed, p.readAll().constData());
}

} // namespace

// A change made to a complete worksheet before the wizard saves it.
using Change = void (*)(worksheet::Entries&);
Q_DECLARE_METATYPE(Change)

// A catalogue of `count` titles whose count line says `promised`, paged on `turns`
// times, with title `deleted` (0: none) taken out: the page and entries shown.
struct Paging {
    int count, promised, turns, deleted, page, first, last;
};
Q_DECLARE_METATYPE(Paging)

class CatalogueTest : public QObject {
    Q_OBJECT
private slots:
    // A catalogue, a title saved ("+") or removed ("-"), and the titles after. A change
    // that keeps the titles writes nothing; nothing is written to a catalogue that
    // cannot be read, or to a full one.
    void rewriting_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("after"); // "refused": it throws
        const char* rows[][4] = {
            {"to the empty catalogue", "", "+Fractions", "Fractions"},
            {"always last", "B|A", "+C", "B|A|C"},
            {"letter case names the same worksheet", "Fractions", "+fractions", "Fractions"},
            {"commas stored as ampersands", "A", "+Tenths, hundredths", "A|Tenths& hundredths"},
            {"a comma title found again in its stored form", "A|Tenths& hundredths",
             "+Tenths, hundredths", "A|Tenths& hundredths"},
            {"the only title", "A", "-A", ""},
            {"keeps the order", "A|B|C|D", "-B", "A|C|D"},
            {"the last title", "A|B", "-B", "A"},
            {"a twice-listed title loses the later", "X|A|Y|A|Z", "-A", "X|A|Y|Z"},
            {"shown with a comma, stored with an ampersand", "A|Tenths& hundredths",
             "-Tenths, hundredths", "A"},
            {"not listed", "A|B|C", "-Q", "A|B|C"},
            {"case matters", "A|B", "-a", "A|B"}};
        for (const auto& r : rows)
            QTest::newRow(r[0]) << foreign(r[1]) << QString(r[2])
                                << QString(r[3]).split('|', Qt::SkipEmptyParts);
        // Another program's catalogue: LF only, or UTF-8 beyond the code page, kept whole.
        QTest::newRow("LF only") << QByteArray(" 2\nCaf\xe9& cr\xe8me\nKept\n") << "-Kept"
                                 << QStringList{QStringLiteral("Caf\u00e9& cr\u00e8me")};
        QTest::newRow("UTF-8") << QStringLiteral(" 1 \r\n\u0141\u00f3d\u017a\r\n").toUtf8()
                               << "+New"
                               << QStringList{QStringLiteral("\u0141\u00f3d\u017a"), "New"};
        // A count that promises more titles than follow: the titles that do are kept.
        QTest::newRow("short, a title removed")
            << QByteArray(" 3 \r\nA\r\nB\r\n") << "-A" << QStringList{"B"};
        QTest::newRow("short, a title saved")
            << QByteArray(" 3 \r\nA\r\n") << "+C" << QStringList{"A", "C"};
        const QStringList refused{"refused"};
        QTest::newRow("no catalogue") << QByteArray() << "+New" << refused;
        QTest::newRow("count not a number") << QByteArray("x\r\n") << "+New" << refused;
        QTest::newRow("count above 1000") << numbered(1001) << "-Sheet 1" << refused;
        QTest::newRow("full at 1000") << numbered(1000) << "+New" << refused;
        const QStringList full = QString::fromLatin1(numbered(1000)).split("\r\n").mid(1, 1000);
        QTest::newRow("full, a listed title saves") << numbered(1000) << "+Sheet 1" << full;
        QTest::newRow("full, a title removed") << numbered(1000) << "-Sheet 1" << full.mid(1);
    }
    void rewriting() {
        QFETCH(QByteArray, file);
        QFETCH(QString, change);
        QFETCH(QStringList, after);
        const bool refused = after == QStringList{"refused"};
        const QString title = change.mid(1), sheet = catalogue::worksheetFile(title);
        TestApp t(QStringList{});
        const ScratchFolder& dir = t.folder;
        dir.write(file.isNull() ? "multiple/other.txt" : Track, file.isNull() ? "x" : file);
        if (change.startsWith('-')) {
            dir.write(sheet, "sheet");
            t.app.state.delname = title;
            if (refused)
                QVERIFY_THROWS_EXCEPTION(FileError, catalogue::delworksheet(t.app.state));
            else
                catalogue::delworksheet(t.app.state);
            QVERIFY(dir.exists(sheet)); // the worksheet's file stays
        } else { // saved from the wizard; a title in another letter case finds its file
            QCOMPARE(save(t, title), refused ? worksheet::SaveFailed : worksheet::Saved);
            QCOMPARE(dir.read(resourcePath(sheet)),
                     refused ? QByteArray() : sampleWorksheetFile(title));
        }
        const bool kept = refused || file == foreign(after.join('|'));
        QCOMPARE(dir.read(Track), kept ? file : trackFile(after));
    }

    void titleRule_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("storable");
        for (const char* t : {"Fractions 1", "Tenths, hundredths, thousandths", "Week 3  test",
                              "Tiberan week 2", "Tiberan's caf\xc3\xa9", "track2", "Joris"})
            QTest::newRow(t) << QString(t) << true;
        // Empty, blanks or a dot at an end, what no file name may hold, what the code
        // page cannot, and the files the program depends on, in any letter case.
        QTest::newRow("empty") << QString() << false;
        for (const char* t :
             {" Fractions",  "Fractions ", "Fractions.", "..",      "\"Best\" sheet",
              "a/b",         "a\\b",       "a:b",        "a*b",     "a?b",
              "a<b",         "a>b",        "a|b",        "a\tb",    "Area of a circle: \xcf\x80r",
              "track",       "TRACK",      "Tiberan",    "tiberan", "Joris Malten",
              "JORIS MALTEN"})
            QTest::newRow(t) << QString(t) << false;
    }
    void titleRule() {
        QFETCH(QString, title);
        QFETCH(bool, storable);
        QCOMPARE(catalogue::isStorableTitle(title), storable);
        if (storable)
            return;
        ScratchFolder dir;
        dir.write(Track, " 0 \r\n");
        for (const char* quiz : {"multiple/Tiberan.txt", "multiple/Joris Malten.txt"})
            dir.write(quiz, "topic quiz");
        SharedState s;
        QVERIFY_THROWS_EXCEPTION(FileError, worksheet::saveworksheet(s, sampleWorksheet(title)));
        QCOMPARE(dir.read(Track), QByteArray(" 0 \r\n"));
        QCOMPARE(dir.list("multiple"),
                 (QStringList{"Joris Malten.txt", "Tiberan.txt", "track.txt"}));
        QCOMPARE(dir.read("multiple/Tiberan.txt") + dir.read("multiple/Joris Malten.txt"),
                 QByteArray("topic quiztopic quiz"));
    }

    void savedFileIsTheSeventyTwoLineFormat() {
        ScratchFolder dir;
        dir.write(Track, " 0 \r\n");
        worksheet::Entries e = sampleWorksheet("Tenths, hundredths");
        e.question[0] = "Which is bigger, 0.5 or 0.45?";
        e.choice[1] = "0.45, because";
        e.choice[2] = "Tom & Jo";
        SharedState s;
        worksheet::saveworksheet(s, e);
        const QList<QByteArray> lines = dir.read("multiple/Tenths& hundredths.txt").split('\n');
        QCOMPARE(lines.size(), 73); // 72 lines, each ended by CR LF
        QCOMPARE(
            lines.mid(0, 9),
            (QList<QByteArray>{"Tenths& hundredths\r", " \r", "Which is bigger& 0.5 or 0.45?\r",
                               "1a\r", "0.45& because\r", "Tom & Jo\r", "1d\r", "1\r", " \r"}));

        // It reads back whole, commas restored; the ampersand comes back as a comma.
        loadquestions(s, "multiple/Tenths& hundredths.txt");
        worksheet::Entries back = worksheet::fromQuiz(s);
        QCOMPARE(back.choice[2], QStringLiteral("Tom , Jo"));
        back.choice[2] = e.choice[2];
        QVERIFY(back.title == e.title && back.question == e.question && back.choice == e.choice &&
                back.ticked == e.ticked);
    }
};

class WizardTest : public QObject {
    Q_OBJECT
private slots:
    // Nothing a worksheet file cannot hold can be typed. Saving shows the first
    // problem in the order a teacher fills the boxes in, and then saves nothing and
    // keeps every box as it was; blanks fill a box.
    void checksBeforeSaving_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<Change>("change");
        using worksheet::Entries;
        const std::pair<const char*, Change> rows[] = {
            {"You have not chosen a title for your worksheet", [](Entries& e) { e = {}; }},
            {"You have not completed Question 1", [](Entries& e) { e.question[0].clear(); }},
            {"You have not ticked the correct answer for Question 2", // before choice 3 empty
             [](Entries& e) {
                 e.ticked[4 * 1 + 1] = false;
                 e.choice[4 * 2 + 3].clear();
             }},
            {"You have ticked more than one correct answer for Question 7",
             [](Entries& e) { e.ticked[4 * 6 + 0] = true; }},
            {"You have not completed Question 10", [](Entries& e) { e.choice[39].clear(); }},
            {"Your worksheet has been saved.",
             [](Entries& e) { e.question[4] = e.choice[9] = " "; }}};
        for (const auto& [message, change] : rows)
            QTest::newRow(message) << QString(message) << change;
    }
    void checksBeforeSaving() {
        QFETCH(QString, message);
        QFETCH(Change, change);
        TestApp t;
        Wizard& w = t.app.screens.wizard();
        w.showInFront();
        for (QChar c : QStringLiteral("2\u03c0r, \u20ac5")) { // typed, key by key
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w.Text3[0], &press);
        }
        QCOMPARE(w.Text3[0]->text(), QStringLiteral("2r, \u20ac5")); // pi refused, euro kept
        QVERIFY(t.app.messages.history().empty());
        worksheet::Entries e = sampleWorksheet("Checks");
        change(e);
        w.fill(e);
        clickMouse(w.Label3[Wizard::SaveButton]);
        QCOMPARE(t.lastMessage(), message);
        QVERIFY(w.entries().ticked == e.ticked && w.entries().choice == e.choice);
        QCOMPARE(listed(), message == worksheet::Saved ? QStringList{"Checks"} : QStringList());
    }

    // 24 entries a page, on to the last title of a full catalogue; one whose count
    // promises more lists the titles it holds. A deletion asks first, redraws the page,
    // never leaves an empty one, and keeps every other title read, none added.
    void paging_data() {
        QTest::addColumn<Paging>("r");
        QTest::newRow("empty") << Paging{0, 0, 0, 0, 1, 1, 0};
        QTest::newRow("24 fill one page") << Paging{24, 24, 0, 0, 1, 1, 24};
        QTest::newRow("25: page 2 holds one") << Paging{25, 25, 1, 0, 2, 25, 25};
        QTest::newRow("full: page 42 holds 985 to 1000")
            << Paging{1000, 1000, 41, 0, 42, 985, 1000};
        QTest::newRow("one of 30 deleted") << Paging{30, 30, 0, 3, 1, 1, 24};
        QTest::newRow("page 2 emptied") << Paging{25, 25, 1, 25, 1, 1, 24};
        QTest::newRow("short: 30 of 40 listed") << Paging{30, 40, 0, 3, 1, 1, 24};
    }
    void paging() {
        QFETCH(Paging, r);
        TestApp t;
        QByteArray file = numbered(r.count);
        file.replace(0, file.indexOf('\r'), ' ' + QByteArray::number(r.promised) + ' ');
        t.folder.write(Track, file);
        Worksheets& ws = reopenCatalogue(t);
        for (int page = 0; page < r.turns; ++page)
            clickMouse(ws.Label3[Worksheets::NextPage]);
        const QString title = QStringLiteral("Sheet %1").arg(r.deleted);
        if (r.deleted) {
            ws.Check1->setChecked(true); // the worksheet's file is not needed
            ws.Check2->setChecked(true);
            QVERIFY(!ws.Check1->isChecked()); // one unticks the other
            t.answers = {MessageAnswer::Cancel};
            clickMouse(ws.Label2[shownEntries(ws).indexOf(title) + 1]);
            QCOMPARE(t.folder.read(Track), file); // Cancel changes nothing
            QCOMPARE(t.lastMessage(),
                     "Are you sure that you want to delete the worksheet " + title + "?");
            QVERIFY(t.app.messages.history().back().buttons == MessageButtons::OkCancel);
            QCOMPARE(clickEntry(t, title, Mode::Delete, &ws), QString());
        }
        QCOMPARE(ws.Label4->text(), QStringLiteral("Page %1").arg(r.page));
        QStringList kept; // every title read but the one taken out, in order
        for (int i = 1; i <= r.count; ++i)
            if (i != r.deleted)
                kept << QStringLiteral("Sheet %1").arg(i);
        QCOMPARE(shownEntries(ws), kept.mid(r.first - 1, r.last - r.first + 1));
        QCOMPARE(t.folder.read(Track), r.deleted ? trackFile(kept) : file);
        QCOMPARE(ws.Label3[Worksheets::PreviousPage]->isVisibleTo(&ws), r.page > 1);
        QCOMPARE(ws.Label3[Worksheets::NextPage]->isVisibleTo(&ws),
                 r.page == 1 && listed().size() > 24);
    }

    // Two programs save 200 worksheets each into one folder at once; 200 saves and
    // deletions, each killed at a random moment, leave the old list or the new; a lock
    // held elsewhere is waited for, then reported, and freed when its program dies.
    void otherProgramsOnOneFolder() {
        ScratchFolder dir;
        dir.write(Track, " 0 \r\n");
        QElapsedTimer clock;
        clock.start();
        QProcess a, b;
        a.start(Helper, {dir.path(), "save", "A", "200"});
        b.start(Helper, {dir.path(), "save", "B", "200"});
        QVERIFY(a.waitForFinished(180000) && b.waitForFinished(180000));
        QCOMPARE(a.exitCode() + b.exitCode(), 0);
        // A save's own length, so that the kills are aimed at it.
        const qint64 saveMicros = std::max<qint64>(clock.nsecsElapsed() / 1000 / 400, 500);
        // 400 titles, none twice, each with its own whole file: A1 to A200 and B1 to B200.
        QStringList before = listed();
        QVERIFY(before.size() == 400 && before.removeDuplicates() == 0);
        for (const QString& title : before)
            QCOMPARE(dir.read("multiple/" + title + ".txt"), sampleWorksheetFile(title));

        QRandomGenerator random(20261207);
        for (int round = 0; round < 200; ++round) {
            const bool removal = round % 4 == 3;
            QStringList after = before;
            const QString title = removal ? after.takeAt(random.bounded(int(after.size())))
                                          : QStringLiteral("K%1-1").arg(round);
            if (!removal)
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

        QProcess holder;
        holder.start(Helper, {dir.path(), "hold", "-"});
        QVERIFY(holder.waitForReadyRead(10000));
        clock.restart();
        QVERIFY_THROWS_EXCEPTION(FileError, FolderLock("multiple", 300));
        QVERIFY(clock.elapsed() >= 300);
        holder.kill(); // a program that dies frees the folder
        QVERIFY(holder.waitForFinished(10000));
        SharedState s;
        worksheet::saveworksheet(s, sampleWorksheet("Last"));
        QCOMPARE(temporaries(), QStringList());
    }

    // The folder against the program: saving fails and the entries stay to retry. A
    // worksheet that cannot be read seems corrupted, is never read whole, and can still
    // be taken out. Nothing else listed is lost, and once the trouble is gone saving
    // works again.
    void trouble_data() {
        QTest::addColumn<int>("kind");
        const char* rows[] = {
            "full disk",     "read-only folder",  "folder removed",       "catalogue is a folder",
            "full tmpfs",    "worksheet missing", "worksheet unreadable", "worksheet a folder",
            "worksheet huge"};
        for (int kind = 0; kind < 9; ++kind)
            QTest::newRow(rows[kind]) << kind;
    }
    void trouble() {
        QFETCH(int, kind);
        if ((kind == 1 || kind == 6) && ::geteuid() == 0)
            return runAsNobody();
        TestApp t;
        const QByteArray folder = QFile::encodeName(t.folder.path() + "/multiple");
        if (kind == 4 && (::geteuid() != 0 ||
                          ::mount("tmpfs", folder.constData(), "tmpfs", 0, "size=256k") != 0))
            QSKIP("No tmpfs can be mounted here; the file-size limit stands in for it.");
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails, the program goes on
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
            if (kind == 4)
                ::umount2(folder.constData(), MNT_DETACH);
        });
        t.folder.write(Track, " 0 \r\n");
        QCOMPARE(save(t, "Kept"), worksheet::Saved);
        QCOMPARE(save(t, "Other, too"), worksheet::Saved);
        Worksheets& ws = reopenCatalogue(t);
        const rlimit small{8, old.rlim_max}; // smaller than the catalogue or any worksheet
        QVERIFY(kind != 0 || ::setrlimit(RLIMIT_FSIZE, &small) == 0);
        QVERIFY(kind != 1 || ::chmod("multiple", 0555) == 0);
        QVERIFY(kind != 2 || QDir("multiple").removeRecursively());
        QVERIFY(kind != 3 || (QFile::remove(Track) && QDir().mkpath(Track)));
        if (kind == 4 && filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            while (filler.write(QByteArray(4096, 'x')) == 4096) {
            }
        QFile kept(QStringLiteral("multiple/Kept.txt"));
        QVERIFY(kind != 5 || kept.remove());
        QVERIFY(kind != 6 || kept.setPermissions({}));
        QVERIFY(kind != 7 || (kept.remove() && QDir().mkdir(kept.fileName())));
        QVERIFY(kind != 8 || (kept.open(QIODevice::WriteOnly) && kept.resize(800LL << 20)));
        if (kind < 5) {
            QCOMPARE(save(t, "Kept"), worksheet::SaveFailed);
            QCOMPARE(save(t, "New"), worksheet::SaveFailed);
            QCOMPARE(t.app.screens.wizard().entries().title, QStringLiteral("New"));
        }
        rusage before{}, after{};
        ::getrusage(RUSAGE_SELF, &before);
        for (Mode mode : {Mode::Quiz, Mode::Edit, Mode::Delete})
            if (kind >= 5 || mode == Mode::Delete)
                QCOMPARE(clickEntry(t, "Kept", mode, &ws),
                         kind >= 5 && mode == Mode::Delete ? "" : Worksheets::Corrupted);
        ::getrusage(RUSAGE_SELF, &after);
        QVERIFY(after.ru_maxrss - before.ru_maxrss < 100 * 1024);
        QVERIFY(!t.folder.exists("multiple/New.txt"));
        QCOMPARE(temporaries(), QStringList());
        if (kind < 2 || kind == 4)
            QCOMPARE(t.folder.read("multiple/Kept.txt"), sampleWorksheetFile("Kept"));
        // The rest of the catalogue still runs, and prints from the quiz; a comma is shown.
        QCOMPARE(clickEntry(t, "Other, too", Mode::Quiz, &ws),
                 kind == 2 ? Worksheets::Corrupted : "");
        if (kind != 2) {
            Multiple& quiz = t.app.screens.multiple();
            QCOMPARE(quiz.Label5->text(), t.app.screens.intro0().Label1->text()); // the menu's
            clickMouse(quiz.Label3[Multiple::PrintButton]);
            QCOMPARE(t.lastMessage(), QStringLiteral("Your worksheet is now printing."));
            QCOMPARE(t.app.state.questnum, 1); // printing leaves the quiz where it was
        }
        QStringList titles = kind == 2 || kind == 3 ? QStringList()
                             : kind >= 5            ? QStringList{"Other, too"}
                                                    : QStringList{"Kept", "Other, too"};
        QCOMPARE(shownEntries(reopenCatalogue(t)), titles);
        repair();
        QCOMPARE(save(t, "New"), worksheet::Saved);
        QCOMPARE(listed(), titles.replaceInStrings(",", "&") << "New"); // stored with an ampersand
    }
};

LUMORA_TEST(CatalogueTest)
LUMORA_TEST(WizardTest)
#include "tst_worksheets.moc"
