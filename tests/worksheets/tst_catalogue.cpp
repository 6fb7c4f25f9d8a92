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
    // Titles parted by "|".
    void adding() {
        const char* rows[][4] = {
            {"to the empty catalogue", "", "Fractions", "Fractions"},
            {"always last", "B|A", "C", "B|A|C"},
            {"letter case makes another entry", "Fractions", "fractions", "Fractions|fractions"},
            {"commas stored as ampersands", "A", "Tenths, hundredths", "A|Tenths& hundredths"},
            {"a comma title found again in its stored form", "Tenths& hundredths",
             "Tenths, hundredths", "Tenths& hundredths"}};
        auto file = [](const char* t) {
            return trackFile(QString(t).split('|', Qt::SkipEmptyParts));
        };
        for (const auto& r : rows) {
            ScratchFolder dir;
            dir.write(Track, file(r[1]));
            SharedState s;
            catalogue::trackworksheets(s, r[2]);
            QVERIFY2(dir.read(Track) == file(r[3]), r[0]);
            // The new title counts from the next read.
            QCOMPARE(s.numworksheets, int(QString(r[1]).split('|', Qt::SkipEmptyParts).size()));
        }
        ScratchFolder dir; // listed already: the file stays byte for byte
        dir.write(Track, "   2\r\nA\r\nB");
        SharedState s;
        catalogue::trackworksheets(s, "B");
        QCOMPARE(dir.read(Track), QByteArray("   2\r\nA\r\nB"));
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

    // Titles parted by "|"; a title that is not listed changes nothing.
    void removing_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("delname");
        QTest::addColumn<QString>("after");
        const char* rows[][4] = {
            {"the only title", "A", "A", ""},
            {"keeps the order", "A|B|C|D", "B", "A|C|D"},
            {"the last title", "A|B", "B", "A"},
            {"a twice-listed title loses the later", "X|A|Y|A|Z", "A", "X|A|Y|Z"},
            {"shown with a comma, stored with an ampersand", "A|Tenths& hundredths",
             "Tenths, hundredths", "A"},
            {"not listed", "A|B|C", "Q", "A|B|C"},
            {"case matters", "A|B", "a", "A|B"}};
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]) << QString(r[3]);
    }
    void removing() {
        QFETCH(QString, before);
        QFETCH(QString, delname);
        QFETCH(QString, after);
        const QStringList titles = after.split('|', Qt::SkipEmptyParts);
        ScratchFolder dir;
        dir.write(Track, trackFile(before.split('|')));
        const QString sheet = catalogue::worksheetFile(delname);
        dir.write(sheet, "sheet");
        SharedState s;
        s.delname = delname;
        QCOMPARE(catalogue::delworksheet(s), before != after);
        QCOMPARE(dir.read(Track), trackFile(titles));
        QCOMPARE(
            QStringList(s.worksheetname.begin() + 1, s.worksheetname.begin() + 1 + s.numworksheets),
            titles);
        QVERIFY(dir.exists(sheet)); // the worksheet's file stays
        // Saved again, a removed title goes to the end.
        const QString stored = catalogue::storedTitle(delname);
        catalogue::trackworksheets(s, delname);
        QCOMPARE(dir.read(Track),
                 trackFile(titles.contains(stored) ? titles : titles + QStringList{stored}));
    }

    void titleRule_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("storable");
        QTest::newRow("plain") << "Fractions 1" << true;
        QTest::newRow("commas") << "Tenths, hundredths, thousandths" << true;
        QTest::newRow("apostrophe and accents") << QStringLiteral("Tiberan's café") << true;
        QTest::newRow("inner blanks") << "Week 3  test" << true;
        QTest::newRow("a product's name within") << "Tiberan week 2" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("leading blank") << " Fractions" << false;
        QTest::newRow("trailing blank") << "Fractions " << false;
        QTest::newRow("trailing dot") << "Fractions." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("double quote") << "\"Best\" sheet" << false;
        for (const char* c : {"/", "\\", ":", "*", "?", "<", ">", "|", "\t"})
            QTest::newRow(qPrintable(QStringLiteral("holds %1").arg(c)))
                << QStringLiteral("a%1b").arg(c) << false;
        QTest::newRow("outside the code page")
            << QStringLiteral("Area of a circle: \u03c0r") << false;
        // A title whose file is one the program depends on, in any letter case.
        for (const char* t :
             {"track", "TRACK", "Tiberan", "tiberan", "Joris Malten", "JORIS MALTEN"})
            QTest::newRow(t) << QString::fromLatin1(t) << false;
    }
    void titleRule() {
        QFETCH(QString, title);
        QFETCH(bool, storable);
        QCOMPARE(catalogue::isStorableTitle(title), storable);
        ScratchFolder dir;
        dir.write(Track, " 0 \r\n");
        for (const char* quiz : {"multiple/Tiberan.txt", "multiple/Joris Malten.txt"})
            dir.write(quiz, "topic quiz");
        SharedState s;
        if (storable) {
            catalogue::trackworksheets(s, title);
            catalogue::read(s);
            QCOMPARE(s.numworksheets, 1);
            QCOMPARE(catalogue::shownTitle(s.worksheetname[1]), title); // read back whole
        } else {
            QVERIFY_THROWS_EXCEPTION(FileError, catalogue::trackworksheets(s, title));
            QVERIFY_THROWS_EXCEPTION(FileError,
                                     worksheet::saveworksheet(s, sampleWorksheet(title)));
            QCOMPARE(dir.read(Track), QByteArray(" 0 \r\n"));
            QCOMPARE(dir.list("multiple"),
                     (QStringList{"Joris Malten.txt", "Tiberan.txt", "track.txt"}));
            QCOMPARE(dir.read("multiple/Tiberan.txt") + dir.read("multiple/Joris Malten.txt"),
                     QByteArray("topic quiztopic quiz"));
        }
    }

    void genworkReportsTheFirstProblem_data() {
        QTest::addColumn<int>("scenario");
        QTest::addColumn<QString>("message");
        QTest::newRow("all empty: only the title")
            << 0 << "You have not chosen a title for your worksheet";
        QTest::newRow("title only") << 1 << "You have not completed Question 1";
        QTest::newRow("tick of 2 before an empty choice of 3")
            << 2 << "You have not ticked the correct answer for Question 2";
        QTest::newRow("two ticks")
            << 3 << "You have ticked more than one correct answer for Question 7";
        QTest::newRow("blanks count as filled") << 4 << "";
        QTest::newRow("an empty choice D") << 5 << "You have not completed Question 10";
    }
    void genworkReportsTheFirstProblem() {
        QFETCH(int, scenario);
        QFETCH(QString, message);
        worksheet::Entries e = scenario <= 1 ? worksheet::Entries{} : sampleWorksheet("Sums");
        if (scenario == 1)
            e.title = "T";
        if (scenario == 2) {
            e.ticked[4 * 1 + 1] = false;
            e.choice[4 * 2 + 3].clear();
        }
        if (scenario == 3)
            e.ticked[4 * 6 + 0] = true;
        if (scenario == 4)
            e.title = e.question[4] = e.choice[9] = " ";
        if (scenario == 5)
            e.choice[39].clear();
        QCOMPARE(worksheet::genwork(e).value_or(QString()), message);
    }

    void savedFileIsTheSeventyTwoLineFormat() {
        ScratchFolder dir;
        dir.write("multiple/track.txt", " 0 \r\n");
        worksheet::Entries e = sampleWorksheet("Tenths, hundredths");
        e.question[0] = "Which is bigger, 0.5 or 0.45?";
        e.choice[1] = "0.45, because";
        e.choice[2] = "Tom & Jo";
        SharedState s;
        worksheet::saveworksheet(s, e);
        QStringList expected{"Tenths& hundredths", " "};
        for (int q = 0; q < 10; ++q) {
            expected << QString(e.question[q]).replace(',', '&');
            for (int c = 0; c < 4; ++c)
                expected << QString(e.choice[4 * q + c]).replace(',', '&');
            expected << QString::number(q % 4 + 1) << " ";
        }
        QCOMPARE(dir.read("multiple/Tenths& hundredths.txt"), crlf(expected));
        QCOMPARE(dir.read("multiple/track.txt"), QByteArray(" 1 \r\nTenths& hundredths\r\n"));

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
