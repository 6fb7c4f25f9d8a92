// The catalogue of worksheets and the worksheet files: read, rewritten, refused.
#include "platform/seqfile.h"
#include "quiz/questionfile.h"
#include "sampleworksheet.h"
#include "testing.h"
#include "worksheets/catalogue.h"
#include "worksheets/worksheet.h"

#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

namespace {

const QString Track = QStringLiteral("multiple/track.txt");

} // namespace

class CatalogueTest : public QObject {
    Q_OBJECT
private slots:
    // Titles parted by "|"; a title added ("+") or removed ("-"). A catalogue that
    // keeps its titles keeps its bytes too.
    void rewriting_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("after");
        const char* rows[][4] = {
            {"to the empty catalogue", "", "+Fractions", "Fractions"},
            {"always last", "B|A", "+C", "B|A|C"},
            {"letter case makes another entry", "Fractions", "+fractions", "Fractions|fractions"},
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
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]) << QString(r[3]);
    }
    void rewriting() {
        QFETCH(QString, before);
        QFETCH(QString, change);
        QFETCH(QString, after);
        const QStringList was = before.split('|', Qt::SkipEmptyParts);
        const QStringList titles = after.split('|', Qt::SkipEmptyParts);
        const QString title = change.mid(1);
        // Laid out as another program may lay it out, so that a needless rewrite shows.
        const QByteArray file =
            "  " + QByteArray::number(was.size()) + "\r\n" + was.join("\r\n").toLatin1();
        ScratchFolder dir;
        dir.write(Track, file);
        dir.write(catalogue::worksheetFile(title), "sheet");
        SharedState s;
        if (change.startsWith('+')) {
            catalogue::trackworksheets(s, title);
            QCOMPARE(s.numworksheets, int(was.size())); // the new title counts from the next read
        } else {
            s.delname = title;
            QCOMPARE(catalogue::delworksheet(s), was != titles);
            QCOMPARE(QStringList(s.worksheetname.begin() + 1,
                                 s.worksheetname.begin() + 1 + s.numworksheets),
                     titles);
            QVERIFY(dir.exists(catalogue::worksheetFile(title))); // the worksheet's file stays
        }
        QCOMPARE(dir.read(Track), was == titles ? file : trackFile(titles));
    }

    // Nothing is written to a catalogue that cannot be read, or to a full one.
    void brokenCatalogues_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("readable");
        QTest::newRow("no catalogue") << QByteArray() << false;
        QTest::newRow("count promises more titles") << QByteArray(" 3 \r\nA\r\nB\r\n") << false;
        QTest::newRow("count not a number") << QByteArray("x\r\n") << false;
        QTest::newRow("full at 1000") << numbered(1000) << true;
        QTest::newRow("count above 1000") << numbered(1001) << false;
    }
    void brokenCatalogues() {
        QFETCH(QByteArray, file);
        QFETCH(bool, readable);
        ScratchFolder dir;
        dir.write(file.isEmpty() ? "multiple/other.txt" : Track, file.isEmpty() ? "x" : file);
        SharedState s;
        QVERIFY_THROWS_EXCEPTION(FileError, catalogue::trackworksheets(s, "New"));
        QVERIFY_THROWS_EXCEPTION(FileError, worksheet::saveworksheet(s, sampleWorksheet("New")));
        QVERIFY(!dir.exists("multiple/New.txt"));
        if (readable) // full, but a listed title saves
            worksheet::saveworksheet(s, sampleWorksheet("Sheet 1"));
        QCOMPARE(dir.exists("multiple/Sheet 1.txt"), readable);
        s.delname = "Sheet 1";
        if (readable)
            QVERIFY(catalogue::delworksheet(s));
        else
            QVERIFY_THROWS_EXCEPTION(FileError, catalogue::delworksheet(s));
        QCOMPARE(dir.exists(Track), !file.isEmpty()); // never created
        if (!readable)
            QCOMPARE(dir.read(Track), file);
    }

    void titleRule_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("storable");
        for (const char* t :
             {"Fractions 1", "Tenths, hundredths, thousandths", "Week 3  test", "Tiberan week 2"})
            QTest::newRow(t) << QString(t) << true;
        QTest::newRow("apostrophe and accents") << QStringLiteral("Tiberan's caf\u00e9") << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("outside the code page")
            << QStringLiteral("Area of a circle: \u03c0r") << false;
        // Blanks or a dot at an end, what no file name may hold, and the files the
        // program depends on, in any letter case.
        for (const char* t :
             {" Fractions", "Fractions ", "Fractions.", "..",           "\"Best\" sheet",
              "a/b",        "a\\b",       "a:b",        "a*b",          "a?b",
              "a<b",        "a>b",        "a|b",        "a\tb",         "track",
              "TRACK",      "Tiberan",    "tiberan",    "Joris Malten", "JORIS MALTEN"})
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
        QVERIFY_THROWS_EXCEPTION(FileError, catalogue::trackworksheets(s, title));
        QVERIFY_THROWS_EXCEPTION(FileError, worksheet::saveworksheet(s, sampleWorksheet(title)));
        QCOMPARE(dir.read(Track), QByteArray(" 0 \r\n"));
        QCOMPARE(dir.list("multiple"),
                 (QStringList{"Joris Malten.txt", "Tiberan.txt", "track.txt"}));
        QCOMPARE(dir.read("multiple/Tiberan.txt") + dir.read("multiple/Joris Malten.txt"),
                 QByteArray("topic quiztopic quiz"));
    }

    // Each change to a whole worksheet and the message it brings.
    void genworkReportsTheFirstProblem() {
        using worksheet::Entries;
        const std::pair<const char*, void (*)(Entries&)> rows[] = {
            {"You have not chosen a title for your worksheet", [](Entries& e) { e = {}; }},
            {"You have not completed Question 1", [](Entries& e) { e.question[0].clear(); }},
            {"You have not ticked the correct answer for Question 2", // before choice 3 empty
             [](Entries& e) {
                 e.ticked[4 * 1 + 1] = false;
                 e.choice[4 * 2 + 3].clear();
             }},
            {"You have ticked more than one correct answer for Question 7",
             [](Entries& e) { e.ticked[4 * 6 + 0] = true; }},
            {"", [](Entries& e) { e.title = e.question[4] = e.choice[9] = " "; }}, // blanks fill
            {"You have not completed Question 10", [](Entries& e) { e.choice[39].clear(); }}};
        for (const auto& [message, change] : rows) {
            Entries e = sampleWorksheet("Sums");
            change(e);
            QCOMPARE(worksheet::genwork(e).value_or(QString()), QString::fromLatin1(message));
        }
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
        QCOMPARE(dir.read(Track), QByteArray(" 1 \r\nTenths& hundredths\r\n"));

        // It reads back whole, commas restored; the ampersand comes back as a comma.
        loadquestions(s, "multiple/Tenths& hundredths.txt");
        worksheet::Entries back = worksheet::fromQuiz(s);
        QCOMPARE(back.choice[2], QStringLiteral("Tom , Jo"));
        back.choice[2] = e.choice[2];
        QVERIFY(back.title == e.title && back.question == e.question && back.choice == e.choice);
        QCOMPARE(back.ticked, e.ticked);
    }
};

LUMORA_TEST(CatalogueTest)
#include "tst_catalogue.moc"
