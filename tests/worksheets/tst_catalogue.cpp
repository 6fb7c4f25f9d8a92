#include "platform/seqfile.h"
#include "testing.h"
#include "worksheets/catalogue.h"

#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

namespace {

const QString Track = QStringLiteral("multiple/track.txt");

QByteArray trackFile(const QStringList& titles) {
    return crlf(QStringList{" " + QString::number(titles.size()) + " "} + titles);
}

QByteArray numbered(int n) {
    QStringList titles;
    for (int i = 1; i <= n; ++i)
        titles << QStringLiteral("Sheet %1").arg(i);
    return trackFile(titles);
}

} // namespace

class CatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void adding_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("to the empty catalogue")
            << trackFile({}) << "Fractions" << trackFile({"Fractions"});
        QTest::newRow("always last") << trackFile({"B", "A"}) << "C" << trackFile({"B", "A", "C"});
        QTest::newRow("already listed: the file byte for byte")
            << QByteArray("   2\r\nA\r\nB") << "B" << QByteArray("   2\r\nA\r\nB");
        QTest::newRow("letter case makes another entry")
            << trackFile({"Fractions"}) << "fractions" << trackFile({"Fractions", "fractions"});
        QTest::newRow("commas stored as ampersands")
            << trackFile({"A"}) << "Tenths, hundredths" << trackFile({"A", "Tenths& hundredths"});
        QTest::newRow("a comma title found again in its stored form")
            << trackFile({"Tenths& hundredths"}) << "Tenths, hundredths"
            << trackFile({"Tenths& hundredths"});
    }
    void adding() {
        QFETCH(QByteArray, before);
        QFETCH(QString, typed);
        QFETCH(QByteArray, after);
        ScratchFolder dir;
        dir.write(Track, before);
        SharedState s;
        catalogue::trackworksheets(s, typed);
        QCOMPARE(dir.read(Track), after);
        // The new title counts from the next read.
        QCOMPARE(s.numworksheets, before.split('\n')[0].trimmed().toInt());
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
        SharedState s;
        if (storable) {
            catalogue::trackworksheets(s, title);
            catalogue::read(s);
            QCOMPARE(s.numworksheets, 1);
            QCOMPARE(catalogue::shownTitle(s.worksheetname[1]), title); // read back whole
        } else {
            QVERIFY_THROWS_EXCEPTION(FileError, catalogue::trackworksheets(s, title));
            QCOMPARE(dir.read(Track), QByteArray(" 0 \r\n"));
        }
    }
};

LUMORA_TEST(CatalogueTest)
#include "tst_catalogue.moc"
