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

// A catalogue of the titles parted by "|", laid out as another program may lay it out,
// so that a needless rewrite shows.
QByteArray foreign(const QString& titles) {
    const QStringList list = titles.split('|', Qt::SkipEmptyParts);
    return "  " + QByteArray::number(list.size()) + "\r\n" + list.join("\r\n").toLatin1();
}

} // namespace

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
            QTest::newRow(r[0]) << foreign(r[1]) << QString(r[2])
                                << QString(r[3]).split('|', Qt::SkipEmptyParts);
        const QStringList refused{"refused"};
        QTest::newRow("no catalogue") << QByteArray() << "+New" << refused;
        QTest::newRow("count promises more titles")
            << QByteArray(" 3 \r\nA\r\nB\r\n") << "-A" << refused;
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
        ScratchFolder dir;
        dir.write(file.isNull() ? "multiple/other.txt" : Track, file.isNull() ? "x" : file);
        SharedState s;
        if (change.startsWith('-')) {
            dir.write(sheet, "sheet");
            s.delname = title;
            if (refused)
                QVERIFY_THROWS_EXCEPTION(FileError, catalogue::delworksheet(s));
            else
                catalogue::delworksheet(s);
            QVERIFY(dir.exists(sheet)); // the worksheet's file stays
        } else if (refused) {
            QVERIFY_THROWS_EXCEPTION(FileError, catalogue::trackworksheets(s, title));
            QVERIFY_THROWS_EXCEPTION(FileError,
                                     worksheet::saveworksheet(s, sampleWorksheet(title)));
            QVERIFY(!dir.exists(sheet));
        } else {
            worksheet::saveworksheet(s, sampleWorksheet(title));
            QCOMPARE(dir.read(sheet), sampleWorksheetFile(title));
        }
        const bool kept = refused || file == foreign(after.join('|'));
        QCOMPARE(dir.read(Track), kept ? file : trackFile(after));
    }

    void titleRule_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("storable");
        for (const char* t : {"Fractions 1", "Tenths, hundredths, thousandths", "Week 3  test",
                              "Tiberan week 2", "Tiberan's caf\xc3\xa9"})
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
        QVERIFY_THROWS_EXCEPTION(FileError, catalogue::trackworksheets(s, title));
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
        QVERIFY(back.title == e.title && back.question == e.question && back.choice == e.choice);
        QCOMPARE(back.ticked, e.ticked);
    }
};

LUMORA_TEST(CatalogueTest)
#include "tst_catalogue.moc"
