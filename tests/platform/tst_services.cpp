// The small services every screen leans on: twips, pictures, random numbers, the code
// page of the files, number text, the printers, where files live (designed names
// resolved in the working folder whatever their case, the places of an installed
// program), and reading and writing the text files.
#include "activities/generators.h"
#include "platform/codepage.h"
#include "platform/commandline.h"
#include "platform/numtext.h"
#include "platform/pictures.h"
#include "platform/places.h"
#include "platform/printer.h"
#include "platform/random.h"
#include "platform/respath.h"
#include "platform/seqfile.h"
#include "platform/twips.h"
#include "testing.h"

#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QScopeGuard>
#include <QtTest>
#include <clocale>
#include <numeric>
#include <set>
#include <sys/stat.h>

using namespace lumora;
using Kind = RecordingPrinter::Kind;

class ServicesTest : public QObject {
    Q_OBJECT
private slots:
    // Twips to pixels round halves away from zero, Int floors, CInt rounds halves to even.
    void rounding_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<qlonglong>("intValue");
        QTest::addColumn<int>("cintValue");
        auto row = [](const char* tag, double x, int pixels, qlonglong intValue, int cint) {
            QTest::newRow(tag) << x << pixels << intValue << cint;
        };
        row("a screen's width", 12000, 800, 12000, 12000);
        row("half up, odd", 37.5, 3, 37, 38);
        row("half down, odd", -37.5, -3, -38, -38);
        row("half up, even", 22.5, 2, 22, 22);
        row("half down, even", -22.5, -2, -23, -22);
        row("under a pixel", 7, 0, 7, 7);
        row("just below zero", -0.1, 0, -1, 0);
    }
    void rounding() {
        QFETCH(double, x);
        QFETCH(int, pixels);
        QFETCH(qlonglong, intValue);
        QFETCH(int, cintValue);
        QCOMPARE(twipsToPixels(x), pixels);
        QCOMPARE(intPart(x), intValue);
        QCOMPARE(roundToEven(x), cintValue);
    }

    // A picture and the copies beside it for denser displays ("a@2x.png"; b: broken). A
    // dense display draws the copy that needs no enlarging, else the densest there is; a
    // missing or broken picture fails clearly (0); a control sized by it takes its size.
    void pictures_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QString>("files");
        QTest::addColumn<int>("drawnFrom");
        QTest::newRow("the designed display") << qreal(1) << QString("123") << 1;
        QTest::newRow("filling a projector") << qreal(1.6875) << QString("123") << 2;
        QTest::newRow("twice") << qreal(2) << QString("123") << 2;
        QTest::newRow("between two and three") << qreal(2.5) << QString("123") << 3;
        QTest::newRow("beyond the densest") << qreal(4) << QString("123") << 3;
        QTest::newRow("only a coarser copy") << qreal(2.5) << QString("12") << 2;
        QTest::newRow("no copies") << qreal(2) << QString("1") << 1;
        QTest::newRow("a broken copy") << qreal(2) << QString("12b3") << 3;
        QTest::newRow("a broken picture") << qreal(2) << QString("1b23") << 0;
        QTest::newRow("a missing picture") << qreal(1) << QString("23") << 0;
    }
    void pictures() {
        QFETCH(qreal, ratio);
        QFETCH(QString, files);
        QFETCH(int, drawnFrom);
        testing::ScratchFolder dir;
        const QColor colours[] = {{}, Qt::red, Qt::green, Qt::blue};
        for (int i = 0; i < files.size(); ++i) {
            const int times = files[i].digitValue();
            const bool broken = files.mid(i + 1, 1) == "b";
            const QString name = QStringLiteral("Images/a%1.png")
                                     .arg(times > 1 ? QStringLiteral("@%1x").arg(times) : "");
            QImage image(10 * times, 6 * times, QImage::Format_RGB32);
            image.fill(colours[times]);
            dir.write(name, "not a picture"); // replaced by the picture unless broken
            QVERIFY(broken || image.save(name));
            i += broken;
        }
        if (!drawnFrom) {
            QVERIFY_THROWS_EXCEPTION(FileError, loadPicture("images\\A.PNG", ratio));
            return;
        }
        QLabel box;
        loadPicture(&box, "images\\A.PNG", true);
        QCOMPARE(box.size(), QSize(10, 6));
        const QPixmap drawn = loadPicture("images\\A.PNG", ratio);
        QCOMPARE(drawn.deviceIndependentSize().toSize(), QSize(10, 6));
        QCOMPARE(drawn.size(), (QSizeF(10, 6) * ratio).toSize());
        QCOMPARE(drawn.toImage().pixelColor(drawn.width() / 2, 2), colours[drawnFrom]);
    }

    // --fill scales an 800 x 600 screen and its frame to the display's free area; the
    // X11 display is taken beside Wayland unless the user chose a platform.
    void commandLine() {
        QVERIFY(fillRequested({"--fill"}) && !fillRequested({"--filled"}) && !fillRequested({}));
        QVERIFY(commandLineReply({"--help"})->contains("--fill"));
        QCOMPARE(fillScale({1920, 1080}), 1.6875); // a projector: the height, less a title bar
        QCOMPARE(fillScale({1280, 1024}), 1.6);    // a tall panel: the width
    }
    // The platform chosen, WAYLAND_DISPLAY, XDG_SESSION_TYPE and DISPLAY; the one asked for.
    void platforms_data() {
        QTest::addColumn<QByteArrayList>("session");
        QTest::addColumn<QByteArray>("platform");
        auto row = [](const char* tag, const QByteArrayList& session, const char* platform) {
            QTest::newRow(tag) << session << QByteArray(platform);
        };
        row("XWayland beside Wayland", {"", "wayland-0", "", ":0"}, "xcb;wayland");
        row("a Wayland session's type", {"", "", "wayland", ":1"}, "xcb;wayland");
        row("the user's choice", {"wayland", "wayland-0", "", ":0"}, "");
        row("Wayland alone", {"", "wayland-0", "wayland", ""}, "");
        row("X11 alone", {"", "", "x11", ":0"}, "");
    }
    void platforms() {
        QFETCH(QByteArrayList, session);
        QFETCH(QByteArray, platform);
        QCOMPARE(preferredPlatform(session[0], session[1], session[2], session[3]).value_or(""),
                 platform);
    }

    void randomValuesReachEverySliceAndReseedApart() {
        TimeOfDayRandom r(12345);
        std::set<int> slices;
        for (int i = 0; i < 20000; ++i) {
            const float v = r.rnd();
            QVERIFY(v >= 0.0f && v < 1.0f);
            slices.insert(static_cast<int>(intPart(v * 94)));
        }
        QCOMPARE(slices.size(), std::size_t(94));
        r.randomize();
        const float a = r.rnd();
        r.randomize(); // twice in one tick of the clock
        QVERIFY(a != r.rnd());
    }

    // Text the code page holds goes both ways; other text is refused (no bytes).
    void codePage_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: the code page cannot hold the text
        QTest::addColumn<QString>("text");
        QByteArray all(256, 0);
        std::iota(all.begin(), all.end(), char(0));
        QTest::newRow("every byte") << all << cp1252::decode(all);
        QTest::newRow("accents and signs")
            << QByteArray("caf\xe9 \xbd \xd7") << QStringLiteral("café ½ ×");
        QTest::newRow("the euro and quotes")
            << QByteArray("\x80 \x93x\x94 \x85") << QStringLiteral("€ “x” …");
        QTest::newRow("Greek") << QByteArray() << QStringLiteral("π r²");
        QTest::newRow("beyond 16 bits") << QByteArray() << QStringLiteral("well done \U0001F600");
    }
    void codePage() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(cp1252::canEncode(text), !bytes.isEmpty());
        QCOMPARE(cp1252::encode(text).value_or(QByteArray()), bytes);
        if (!bytes.isEmpty())
            QCOMPARE(cp1252::decode(bytes), text);
    }

    // Past the bottom a new page starts; nothing prints after the end.
    void pagesAndEnd() {
        RecordingPrinter p(5000, 1000);
        p.setFontSize(10); // lines of 240 twips: four fit, the fifth does not
        for (int i = 1; i <= 5; ++i)
            p.printLine(QString::number(i));
        p.endDoc();
        const auto& ops = p.operations();
        QCOMPARE(ops.size(), std::size_t(7));
        QVERIFY(ops[3].at == QPointF(0, 720) && ops[3].page == 1);
        QCOMPARE(ops[4].kind, Kind::NewPage);
        QVERIFY(ops[5].text == "5" && ops[5].at == QPointF(0, 0) && ops[5].page == 2);
        QCOMPARE(ops[6].kind, Kind::End);
        QVERIFY_THROWS_EXCEPTION(PrintError, p.printLine("y"));
        QVERIFY_THROWS_EXCEPTION(PrintError, p.line({0, 0}, {1, 1}, 0));
        QVERIFY_THROWS_EXCEPTION(PrintError, p.endDoc());
        QCOMPARE(p.all(Kind::End).size(), std::size_t(1));
        // A line taller than the page does not page for ever.
        RecordingPrinter tall(5000, 100);
        tall.setFontSize(36);
        tall.printLine("big");
        QCOMPARE(tall.page(), 1);
        tall.printLine("again");
        QCOMPARE(tall.all(Kind::NewPage).size(), std::size_t(1));
        tall.drawPicture({1000, 1000}, QImage(40, 20, QImage::Format_RGB32));
        QCOMPARE(tall.all(Kind::Picture)[0].size, QSizeF(600, 300)); // 15 twips a pixel
        PrinterFactory factory;
        factory.setOpener([](const QString&) { return std::unique_ptr<Printer>(); });
        QVERIFY_THROWS_EXCEPTION(PrintError, factory.open("x"));
    }

    // What was printed is kept; a PDF that is never finished leaves nothing behind.
    void pdfHoldsWhatWasPrinted() {
        testing::ScratchFolder dir;
        const QString path = dir.path() + "/out.pdf";
        auto p = openPdfPrinter(path, "Lumora test");
        // A4 is 11906 by 16838 twips; the printable area lies inside it.
        QVERIFY(p->width() > 9000 && p->width() <= 11906);
        QVERIFY(p->height() > 13000 && p->height() <= 16838);
        p->setFontName("Times New Roman");
        p->setFontSize(16);
        const double narrow = p->textWidth("Brenvale Lumora");
        const double line = p->lineHeight();
        p->setFontSize(32);
        QVERIFY(qAbs(p->textWidth("Brenvale Lumora") / narrow - 2) < 0.05);
        QVERIFY(line > 16 * 20 && line < 16 * 20 * 1.5);

        QRectF given;
        p->drawPicture({1000, 1000}, QSizeF(1440, 720),
                       [&](QPainter&, const QRectF& r) { given = r; });
        while (p->page() < 2)
            p->printLine("Question after question");
        p->endDoc();
        QVERIFY(QFileInfo(path).size() > 0);
        // Twips become device pixels at the printer's resolution (1200 dots an inch).
        QCOMPARE(given, QRectF(1000.0 * 1200 / 1440, 1000.0 * 1200 / 1440, 1200, 600));
        QCOMPARE(p->page(), 2);
        openPdfPrinter(dir.path() + "/half.pdf", "Lumora test")->printLine("half a page");
        QVERIFY(!QFileInfo::exists(dir.path() + "/half.pdf"));
    }

    // Designed names resolved whatever their case, in the working folder or, installed,
    // with the content in C and the worksheets in W: a topic quiz is never taken
    // from the worksheets.
    void resolvingNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("installed");
        auto row = [](const char* tag, const char* name, const char* path, bool installed) {
            QTest::newRow(tag) << QString(name) << QString(path) << installed;
        };
        row("backslash", "Images\\corvinus2.jpg", "Images/corvinus2.jpg", false);
        row("folder case", "images\\corvinus2.jpg", "Images/corvinus2.jpg", false);
        row("both cases", "WMF2\\KEY TIBERANA.WMF", "wmf2/key Tiberana.wmf", false);
        row("exact case wins", "multiple\\Track.txt", "multiple/Track.txt", false);
        row("missing file keeps its name", "Images\\no.jpg", "Images/no.jpg", false);
        row("missing folder", "Nowhere\\Else.txt", "Nowhere/Else.txt", false);
        row("installed picture", "Images\\corvinus2.jpg", "C/Images/corvinus2.jpg", true);
        row("topic quiz", "multiple\\Tiberan.txt", "C/multiple/Tiberan.txt", true);
        row("topic quiz, other case", "MULTIPLE/tiberan.txt", "C/multiple/Tiberan.txt", true);
        row("catalogue", "multiple\\track.txt", "W/multiple/track.txt", true);
        row("a quiz of the content's own", "multiple/extra.TXT", "C/multiple/Extra.txt", true);
        row("worksheet", "multiple/Fractions.txt", "W/multiple/Fractions.txt", true);
    }
    void resolvingNames() {
        QFETCH(QString, name);
        QFETCH(QString, path);
        QFETCH(bool, installed);
        testing::ScratchFolder dir;
        for (const char* file :
             {"Images/corvinus2.jpg", "multiple/track.txt", "multiple/Track.txt",
              "wmf2/key Tiberana.wmf", "C/multiple/Tiberan.txt", "C/multiple/Extra.txt",
              "C/Images/corvinus2.jpg", "W/multiple/tiberan.txt", "W/multiple/track.txt"})
            dir.write(file, "x");
        auto designed = qScopeGuard([] { setPlaces({}); });
        setPlaces(installed ? Places{dir.path() + "/C", dir.path() + "/W"} : Places{});
        QCOMPARE(resourcePath(name).remove(dir.path() + '/'), path);
        QVERIFY(!resourceExists("Images")); // a folder is not a resource
    }

    // Where the content and the worksheets are, for each way of starting.
    // content and worksheets: "" none, I installed, W working folder, H home.
    void discovery_data() {
        QTest::addColumn<bool>("contentHere");
        QTest::addColumn<bool>("catalogueHere");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("worksheets");
        QTest::newRow("in a content folder") << true << true << true << ""
                                             << "";
        QTest::newRow("content folder, not installed") << true << false << false << ""
                                                       << "";
        QTest::newRow("installed, from home") << false << false << true << "I"
                                              << "H";
        QTest::newRow("installed, class folder") << false << true << true << "I"
                                                 << "W";
        QTest::newRow("not installed anywhere") << false << false << false << "W"
                                                << "H";
    }
    void discovery() {
        QFETCH(bool, contentHere);
        QFETCH(bool, catalogueHere);
        QFETCH(bool, installed);
        QFETCH(QString, content);
        QFETCH(QString, worksheets);
        testing::ScratchFolder dir;
        const QString work = dir.path() + "/work", prefix = dir.path() + "/opt/lumora";
        const QString home = dir.path() + "/home/.local/share";
        for (const char* folder :
             {contentHere ? "work" : "", installed ? "opt/lumora/share/lumora" : ""})
            for (const char* file : {"/WMF/guide1.wmf", "/Images/corvinus2.jpg"})
                if (*folder)
                    dir.write(folder + QString(file), "x");
        if (catalogueHere)
            dir.write("work/multiple/track.txt", " 0 \r\n");
        const QMap<QString, QString> folders{
            {"", ""}, {"I", prefix + "/share/lumora"}, {"W", work}, {"H", home + "/lumora"}};
        const Places p = discoverPlaces(work, prefix + "/bin", home);
        QCOMPARE(p.content, folders[content]);
        QCOMPARE(p.worksheets, folders[worksheets]);
        // The user's folder is made once, with the empty catalogue; a class's is
        // left as it is.
        prepareWorksheetFolder(p);
        const bool atHome = worksheets == "H";
        QCOMPARE(dir.read("home/.local/share/lumora/multiple/track.txt"),
                 QByteArray(atHome ? " 0 \r\n" : ""));
        QCOMPARE(dir.exists("home"), atHome);
    }
};

class SequentialFileTest : public QObject {
    Q_OBJECT
private slots:
    void fields_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("fields");
        auto row = [](const char* tag, const QByteArray& bytes, const QStringList& fields) {
            QTest::newRow(tag) << bytes << fields;
        };
        row("nothing", "", {});
        row("comma inside a line", "Tiberan, Malten\r\nx\r\n", {"Tiberan", "Malten", "x"});
        row("leading blanks skipped", "   a b \r\n\tc\r\n", {"a b ", "c"});
        row("single blank line is empty", "a\r\n \r\nb\r\n", {"a", "", "b"});
        row("blank line", "a\r\n\r\nb\r\n", {"a", "", "b"});
        row("quoted field keeps its comma", "\"one, two\"\r\nthree\r\n", {"one, two", "three"});
        row("after the closing quote is dropped", "\"ab\"cd,e\r\n", {"ab", "e"});
        row("quote runs over a line end", "\"a\r\nb\"\r\nc\r\n", {"a\r\nb", "c"});
        row("unclosed quote runs to the end", "\"abc\r\n", {"abc\r\n"});
        row("last line without an end", "a\r\nb", {"a", "b"});
        row("bare LF and CR end lines", "a\nb\rc\r\n", {"a", "b", "c"});
        row("code page decoded", "\x80 5\r\n", {QStringLiteral("€ 5")});
        row("another program's UTF-8", "Caf\xc3\xa9\n\xc5\x81\n", {QStringLiteral("Café"), "Ł"});
        row("UTF-8 marked", "\xef\xbb\xbf\x61,b", {"a", "b"});
        row("a second mark is text", "\xef\xbb\xbf\xef\xbb\xbf\x61", {QStringLiteral("\ufeffa")});
        row("UTF-16 marked", QByteArray("\xff\xfe\x61\0,\0\x41\x01", 8), {"a", "Ł"});
        row("code page that is no UTF-8", "Caf\xe9\xc3\r\n", {QStringLiteral("CaféÃ")});
    }
    void fields() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, fields);
        FieldReader r(bytes);
        QStringList read;
        while (!r.atEnd())
            read << r.readField();
        QCOMPARE(read, fields);
        QVERIFY_THROWS_EXCEPTION(FileError, r.readField()); // reading past the end fails
    }

    void integers_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("value"); // -1: no number
        QTest::newRow("blanks around") << QByteArray(" 3 \r\n") << 3;
        QTest::newRow("two digits") << QByteArray("12\r\n") << 12;
        QTest::newRow("a word") << QByteArray("three\r\n") << -1;
        QTest::newRow("nothing") << QByteArray("\r\n") << -1;
        QTest::newRow("a fraction") << QByteArray("2.5\r\n") << -1;
    }
    void integers() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, value);
        FieldReader r(bytes);
        if (value >= 0)
            QCOMPARE(r.readInteger(), value);
        else
            QVERIFY_THROWS_EXCEPTION(FileError, r.readInteger());
    }

    // Missing, a folder, a pipe (which would hang a reader), larger than the limit.
    void refusesWhatIsNoTextFile_data() {
        QTest::addColumn<int>("kind");
        const char* rows[] = {"missing", "a folder", "a pipe", "larger than the limit"};
        for (int kind = 0; kind < 4; ++kind)
            QTest::newRow(rows[kind]) << kind;
    }
    void refusesWhatIsNoTextFile() {
        QFETCH(int, kind);
        testing::ScratchFolder dir;
        QVERIFY(kind != 1 || QDir().mkpath("multiple/x.txt"));
        QVERIFY(kind != 2 || (QDir().mkpath("multiple") && ::mkfifo("multiple/x.txt", 0644) == 0));
        if (kind == 3)
            dir.write("multiple/x.txt", QByteArray(101, 'a'));
        QVERIFY_THROWS_EXCEPTION(FileError, readResourceFile("multiple\\x.txt", 100));
    }

    // The code page, beyond it, and text that would read back as UTF-8.
    void writesTheCodePageUnlessItWouldReadBackOtherwise_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("the code page")
            << QStringLiteral("Caf\u00e9 \u20ac") << QByteArray("Caf\xe9 \x80\r\n");
        QTest::newRow("beyond it") << QStringLiteral("\u0141\u00f3d\u017a")
                                   << QByteArray("\xef\xbb\xbf\xc5\x81\xc3\xb3"
                                                 "d\xc5\xba\r\n");
        QTest::newRow("would read back as UTF-8")
            << QStringLiteral("\u00c3\u00a9") << QByteArray("\xef\xbb\xbf\xc3\x83\xc2\xa9\r\n");
    }
    void writesTheCodePageUnlessItWouldReadBackOtherwise() {
        QFETCH(QString, line);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encodeLines({line}), bytes);
        QCOMPARE(decodeText(bytes), line + "\r\n");
    }

    // A writer leaves no temporary; only those a killed one left are removed.
    void writerAndTemporaries() {
        testing::ScratchFolder dir;
        dir.write("multiple/track.txt", "old");
        LineWriter w("multiple\\track.txt");
        w.writeLine(" 1 ");
        QVERIFY_THROWS_EXCEPTION(FileError, w.writeLine(QStringLiteral("\u03c0")));
        w.writeLine(QStringLiteral("Caf\u00e9"));
        w.commit();
        QCOMPARE(dir.read("multiple/track.txt"), QByteArray(" 1 \r\nCaf\xe9\r\n"));
        QCOMPARE(dir.list("multiple"), QStringList{"track.txt"});
        for (const char* name : {".track.txt.lumora-Ab12Cd", ".Week 3.txt.lumora-000000",
                                 "Week 3.txt", ".lumora-lock", "a.lumora-Ab12Cd", ".notes"})
            dir.write(QStringLiteral("multiple/") + name, "x");
        removeStaleTemporaries("multiple");
        QCOMPARE(dir.list("multiple"), (QStringList{".lumora-lock", ".notes", "Week 3.txt",
                                                    "a.lumora-Ab12Cd", "track.txt"}));
    }
};

// Number text: every case runs as the environment gives the locale and again under two
// locales that write a decimal comma; number text must not change.
class NumberTextTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_locales;
    QByteArray m_previous;

private slots:
    void initTestCase_data() {
        QTest::addColumn<QByteArray>("locale");
        QTest::newRow("environment") << QByteArray();
        QTest::newRow("de_DE.UTF-8") << QByteArray("de_DE.UTF-8");
        QTest::newRow("fr_FR.UTF-8") << QByteArray("fr_FR.UTF-8");
    }
    void initTestCase() {
        // The locales are made in a scratch folder: the machine's own stay as they are.
        for (const char* name : {"de_DE", "fr_FR"})
            QProcess::execute("localedef", {"-i", name, "-f", "UTF-8",
                                            m_locales.filePath(QString(name) + ".UTF-8")});
        qputenv("LOCPATH", QFile::encodeName(m_locales.path()));
        m_previous = std::setlocale(LC_ALL, nullptr);
    }
    void init() {
        QFETCH_GLOBAL(QByteArray, locale);
        if (locale.isEmpty())
            return;
        QVERIFY2(std::setlocale(LC_ALL, locale.constData()),
                 "localedef (package locales) made no locale");
        QCOMPARE(std::localeconv()->decimal_point, ","); // the C library really writes commas
    }
    void cleanup() { std::setlocale(LC_ALL, m_previous.constData()); }
    void cleanupTestCase() { qunsetenv("LOCPATH"); }

    void drillsWritePointDecimals() {
        ScriptedRandom r = testing::scriptedDraws({{0, 3}, {0, 2}, {2, 99}, {6, 99}});
        const drills::DecmultProblem sum = drills::decmultProblem(r);
        QCOMPARE(sum.sum, QStringLiteral("0.3 x 0.7"));
        QCOMPARE(sum.choices, (drills::ChoiceTexts{"0.21", "0.021", "0.0021", "0.00021"}));
    }

    // pattern: "" numberText, "single" singleNumberText, "signed" signedText, else
    // formatDecimal with the pattern.
    void writing_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        auto row = [](const char* tag, const char* pattern, double value, const char* text) {
            QTest::newRow(tag) << QString(pattern) << value << QString(text);
        };
        row("whole", "", 28.0, "28");
        row("product noise", "", 0.3 * 0.7, "0.21");
        row("small, never exponent", "", 0.00005, "0.00005");
        row("large, never exponent", "", 1.5e16, "15000000000000000");
        row("negative", "", -4.57, "-4.57");
        row("negative zero", "", -0.0, "0");
        row("fifteen digits", "", 1.0 / 3.0, "0.333333333333333");
        row("rounds up a nine run", "", 0.9999999999999999, "1");
        row("single 457/1000", "single", 457.0f / 1000.0f, "0.457");
        row("single 1/3", "single", 1.0f / 3.0f, "0.3333333");
        row("signed 3", "signed", 3.0, " 3");
        row("signed -7", "signed", -7.0, "-7");
        row("2.0", "0.0#", 2.0, "2.0");
        row("0.057 rounds to two places", "0.0#", 0.057, "0.06");
        row("halfway goes up", "0.0#", 0.015, "0.02");
        row("0.995 carries", "0.0#", 0.995, "1.0");
        row("0.004 rounds to nothing", "0.0#", 0.004, "0.0");
        row("0.00005", "0.0######", 0.00005, "0.00005");
    }
    void writing() {
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QString, text);
        const QString written = pattern.isEmpty()     ? numberText(value)
                                : pattern == "single" ? singleNumberText(float(value))
                                : pattern == "signed" ? signedText(qlonglong(value))
                                                      : formatDecimal(value, pattern);
        QCOMPARE(written, text);
    }

    void parsing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        auto row = [](const char* tag, const char* text, bool ok, double value) {
            QTest::newRow(tag) << QString(text) << ok << value;
        };
        row("decimal", "0.25", true, 0.25);
        row("blanks", " 6 ", true, 6.0);
        row("negative", "-1.5", true, -1.5);
        row("empty", "", false, 0.0);
        row("letters", "six", false, 0.0);
        row("exponent", "1e3", false, 0.0);
        row("two points", "1.2.3", false, 0.0);
    }
    void parsing() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        bool good = !ok;
        QCOMPARE(parseNumber(text, &good), value);
        QCOMPARE(good, ok);
    }
};

LUMORA_TEST(ServicesTest)
LUMORA_TEST(SequentialFileTest)
LUMORA_TEST(NumberTextTest)
#include "tst_services.moc"
