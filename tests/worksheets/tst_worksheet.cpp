#include "platform/seqfile.h"
#include "quiz/questionfile.h"
#include "testing.h"
#include "worksheets/catalogue.h"
#include "worksheets/worksheet.h"

#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

namespace {

worksheet::Entries complete(const QString& title = QStringLiteral("Fractions")) {
    worksheet::Entries e;
    e.title = title;
    for (int q = 0; q < 10; ++q) {
        e.question[q] = QStringLiteral("Question number %1?").arg(q + 1);
        for (int c = 0; c < 4; ++c)
            e.choice[4 * q + c] = QStringLiteral("%1%2").arg(q + 1).arg(QChar('a' + c));
        e.ticked[4 * q + q % 4] = true;
    }
    return e;
}

} // namespace

class WorksheetTest : public QObject {
    Q_OBJECT
private slots:
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
        QTest::newRow("complete") << 6 << "";
    }
    void genworkReportsTheFirstProblem() {
        QFETCH(int, scenario);
        QFETCH(QString, message);
        worksheet::Entries e = complete();
        switch (scenario) {
        case 0:
            e = worksheet::Entries{};
            break;
        case 1:
            e = worksheet::Entries{};
            e.title = "T";
            break;
        case 2:
            e.ticked[4 * 1 + 1] = false;
            e.choice[4 * 2 + 3].clear();
            break;
        case 3:
            e.ticked[4 * 6 + 0] = true;
            break;
        case 4:
            e.title = " ";
            e.question[4] = "   ";
            e.choice[9] = " ";
            break;
        case 5:
            e.choice[39].clear();
            break;
        }
        const auto problem = worksheet::genwork(e);
        QCOMPARE(problem.value_or(QString()), message);
    }

    void savedFileIsTheSeventyTwoLineFormat() {
        ScratchFolder dir;
        dir.write("multiple/track.txt", " 0 \r\n");
        worksheet::Entries e = complete("Tenths, hundredths");
        e.question[0] = "Which is bigger, 0.5 or 0.45?";
        e.choice[1] = "0.45, because";
        e.choice[2] = "Tom & Jo";
        SharedState s;
        worksheet::saveworksheet(s, e);
        const QByteArray bytes = dir.read("multiple/Tenths& hundredths.txt");
        QStringList expected{"Tenths& hundredths", " "};
        for (int q = 0; q < 10; ++q) {
            expected << (q == 0 ? QStringLiteral("Which is bigger& 0.5 or 0.45?")
                                : QStringLiteral("Question number %1?").arg(q + 1));
            for (int c = 0; c < 4; ++c) {
                QString choice = e.choice[4 * q + c];
                expected << choice.replace(',', '&');
            }
            expected << QString::number(q % 4 + 1) << " ";
        }
        QCOMPARE(expected.size(), 72);
        QCOMPARE(bytes, crlf(expected));
        QCOMPARE(dir.read("multiple/track.txt"), QByteArray(" 1 \r\nTenths& hundredths\r\n"));

        // It reads back whole, commas restored; the ampersand comes back as a comma.
        loadquestions(s, "multiple/Tenths& hundredths.txt");
        const worksheet::Entries back = worksheet::fromQuiz(s);
        QCOMPARE(back.title, e.title);
        QCOMPARE(back.question[0], e.question[0]);
        QCOMPARE(back.choice[1], e.choice[1]);
        QCOMPARE(back.choice[2], QStringLiteral("Tom , Jo"));
        QCOMPARE(back.ticked, e.ticked);
    }

    void aHandWrittenFileOpens() {
        ScratchFolder dir;
        QStringList lines{"Hand made", " "};
        for (int q = 1; q <= 10; ++q)
            lines << QStringLiteral("Q%1").arg(q) << "w"
                  << "x"
                  << "y"
                  << "z"
                  << "4"
                  << " ";
        dir.write("multiple/Hand made.txt", crlf(lines));
        SharedState s;
        loadquestions(s, catalogue::worksheetFile("Hand made"));
        const worksheet::Entries e = worksheet::fromQuiz(s);
        QCOMPARE(e.title, QStringLiteral("Hand made"));
        QVERIFY(e.ticked[3] && e.ticked[39] && !e.ticked[0]);
        QVERIFY(!worksheet::genwork(e));
    }

    void savesThatCannotHappenWriteNothing_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("track");
        QTest::newRow("title with a question mark") << "Why?" << QByteArray(" 0 \r\n");
        QTest::newRow("title with a slash") << "a/b" << QByteArray(" 0 \r\n");
        QTest::newRow("title ending in a dot") << "Sheet." << QByteArray(" 0 \r\n");
        QTest::newRow("no catalogue") << "Fine" << QByteArray();
        QTest::newRow("broken catalogue") << "Fine" << QByteArray(" 2 \r\nOne\r\n");
        QByteArray full = " 1000 \r\n";
        for (int i = 1; i <= 1000; ++i)
            full += "S" + QByteArray::number(i) + "\r\n";
        QTest::newRow("full catalogue") << "Fine" << full;
    }
    void savesThatCannotHappenWriteNothing() {
        QFETCH(QString, title);
        QFETCH(QByteArray, track);
        ScratchFolder dir;
        if (!track.isEmpty())
            dir.write("multiple/track.txt", track);
        else
            dir.write("multiple/other.txt", "x");
        const QStringList before = dir.list("multiple");
        SharedState s;
        QVERIFY_THROWS_EXCEPTION(FileError, worksheet::saveworksheet(s, complete(title)));
        QCOMPARE(dir.list("multiple"), before);
        if (!track.isEmpty())
            QCOMPARE(dir.read("multiple/track.txt"), track);
    }

    void aListedTitleSavesEvenWhenTheCatalogueIsFull() {
        ScratchFolder dir;
        QByteArray full = " 1000 \r\n";
        for (int i = 1; i <= 1000; ++i)
            full += "S" + QByteArray::number(i) + "\r\n";
        dir.write("multiple/track.txt", full);
        SharedState s;
        worksheet::saveworksheet(s, complete("S500"));
        QVERIFY(dir.exists("multiple/S500.txt"));
        QCOMPARE(dir.read("multiple/track.txt"), full);
    }
};

LUMORA_TEST(WorksheetTest)
#include "tst_worksheet.moc"
