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
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("to the empty catalogue")
            << QStringList{} << "Fractions" << QStringList{"Fractions"};
        QTest::newRow("always last") << QStringList{"B", "A"} << "C" << QStringList{"B", "A", "C"};
        QTest::newRow("already listed: unchanged")
            << QStringList{"A", "Fractions", "C"} << "Fractions"
            << QStringList{"A", "Fractions", "C"};
        QTest::newRow("letter case makes another entry")
            << QStringList{"Fractions"} << "fractions" << QStringList{"Fractions", "fractions"};
        QTest::newRow("commas stored as ampersands")
            << QStringList{"A"} << "Tenths, hundredths" << QStringList{"A", "Tenths& hundredths"};
        QTest::newRow("a comma title found again in its stored form")
            << QStringList{"Tenths& hundredths"} << "Tenths, hundredths"
            << QStringList{"Tenths& hundredths"};
    }
    void adding() {
        QFETCH(QStringList, before);
        QFETCH(QString, typed);
        QFETCH(QStringList, after);
        ScratchFolder dir;
        dir.write(Track, trackFile(before));
        SharedState s;
        catalogue::trackworksheets(s, typed);
        QCOMPARE(dir.read(Track), trackFile(after));
        QCOMPARE(s.numworksheets, before.size()); // the new title counts from the next read
    }

    void alreadyListedLeavesTheFileByteForByte() {
        ScratchFolder dir;
        const QByteArray odd = "   2\r\nA\r\nB"; // not as we would write it
        dir.write(Track, odd);
        SharedState s;
        catalogue::trackworksheets(s, "B");
        QCOMPARE(dir.read(Track), odd);
    }

    void addingFails_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("present");
        QTest::newRow("no catalogue") << QByteArray() << false;
        QTest::newRow("count promises more titles") << QByteArray(" 3 \r\nA\r\nB\r\n") << true;
        QTest::newRow("count not a number") << QByteArray("x\r\n") << true;
        QTest::newRow("full at 1000") << numbered(1000) << true;
        QTest::newRow("count above 1000") << numbered(1001) << true;
    }
    void addingFails() {
        QFETCH(QByteArray, file);
        QFETCH(bool, present);
        ScratchFolder dir;
        if (present)
            dir.write(Track, file);
        else
            dir.write("multiple/other.txt", "x");
        SharedState s;
        QVERIFY_THROWS_EXCEPTION(FileError, catalogue::trackworksheets(s, "New"));
        QCOMPARE(dir.read(Track), file);
        QCOMPARE(dir.exists(Track), present); // never created
    }

    void removing_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("delname");
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("the only title") << QStringList{"A"} << "A" << true << QStringList{};
        QTest::newRow("keeps the order")
            << QStringList{"A", "B", "C", "D"} << "B" << true << QStringList{"A", "C", "D"};
        QTest::newRow("the last title") << QStringList{"A", "B"} << "B" << true << QStringList{"A"};
        QTest::newRow("a twice-listed title loses the later")
            << QStringList{"X", "A", "Y", "A", "Z"} << "A" << true
            << QStringList{"X", "A", "Y", "Z"};
        QTest::newRow("shown with a comma, stored with an ampersand")
            << QStringList{"A", "Tenths& hundredths"} << "Tenths, hundredths" << true
            << QStringList{"A"};
        QTest::newRow("not listed: nothing changes")
            << QStringList{"A", "B", "C"} << "Q" << false << QStringList{"A", "B", "C"};
        QTest::newRow("case matters")
            << QStringList{"A", "B"} << "a" << false << QStringList{"A", "B"};
    }
    void removing() {
        QFETCH(QStringList, before);
        QFETCH(QString, delname);
        QFETCH(bool, removed);
        QFETCH(QStringList, after);
        ScratchFolder dir;
        dir.write(Track, trackFile(before));
        dir.write("multiple/" + catalogue::storedTitle(delname) + ".txt", "sheet");
        SharedState s;
        s.delname = delname;
        QCOMPARE(catalogue::delworksheet(s), removed);
        QCOMPARE(dir.read(Track), trackFile(after));
        QCOMPARE(dir.read(Track).count("\r\n"), after.size() + 1);
        QCOMPARE(s.numworksheets, after.size());
        for (int i = 0; i < after.size(); ++i)
            QCOMPARE(s.worksheetname[i + 1], after[i]);
        QVERIFY(dir.exists("multiple/" + catalogue::storedTitle(delname) + ".txt"));
    }

    void removedTitleSavedAgainGoesToTheEnd() {
        ScratchFolder dir;
        dir.write(Track, trackFile({"A", "B", "C"}));
        SharedState s;
        s.delname = "A";
        QVERIFY(catalogue::delworksheet(s));
        catalogue::trackworksheets(s, "A");
        QCOMPARE(dir.read(Track), trackFile({"B", "C", "A"}));
    }

    void removingFromABrokenCatalogueChangesNothing() {
        ScratchFolder dir;
        const QByteArray broken = " 4 \r\nA\r\nB\r\n";
        dir.write(Track, broken);
        SharedState s;
        s.delname = "A";
        QVERIFY_THROWS_EXCEPTION(FileError, catalogue::delworksheet(s));
        QCOMPARE(dir.read(Track), broken);
    }

    void titleRule_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("storable");
        QTest::newRow("plain") << "Fractions 1" << true;
        QTest::newRow("commas") << "Tenths, hundredths, thousandths" << true;
        QTest::newRow("apostrophe and accents") << QStringLiteral("Tiberan's café") << true;
        QTest::newRow("inner blanks") << "Week 3  test" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("leading blank") << " Fractions" << false;
        QTest::newRow("trailing blank") << "Fractions " << false;
        QTest::newRow("trailing dot") << "Fractions." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("double quote") << "\"Best\" sheet" << false;
        for (const char* c : {"/", "\\", ":", "*", "?", "<", ">", "|"})
            QTest::newRow(qPrintable(QStringLiteral("holds %1").arg(c)))
                << QStringLiteral("a%1b").arg(c) << false;
        QTest::newRow("tab") << "a\tb" << false;
        QTest::newRow("outside the code page")
            << QStringLiteral("Area of a circle: \u03c0r") << false;
        QTest::newRow("greek alone") << QStringLiteral("\u03c0") << false;
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
