#include "platform/seqfile.h"
#include "quiz/questionfile.h"
#include "sampleworksheet.h"
#include "testing.h"
#include "worksheets/catalogue.h"
#include "worksheets/worksheet.h"

#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

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

    // Nothing is written, and the program's own files stay as they are.
    void savesThatCannotHappenWriteNothing_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("track");
        QByteArray full = " 1000 \r\n";
        for (int i = 1; i <= 1000; ++i)
            full += "S" + QByteArray::number(i) + "\r\n";
        for (const char* t : {"Why?", "a/b", "Sheet.", "TRACK", "tiberan", "Joris malten"})
            QTest::newRow(t) << QString::fromLatin1(t) << QByteArray(" 0 \r\n");
        QTest::newRow("no catalogue") << "Fine" << QByteArray();
        QTest::newRow("broken catalogue") << "Fine" << QByteArray(" 2 \r\nOne\r\n");
        QTest::newRow("full catalogue") << "Fine" << full;
        QTest::newRow("full, but listed: saves") << "S500" << full;
    }
    void savesThatCannotHappenWriteNothing() {
        QFETCH(QString, title);
        QFETCH(QByteArray, track);
        ScratchFolder dir;
        dir.write("multiple/Tiberan.txt", "topic quiz");
        dir.write("multiple/Joris Malten.txt", "topic quiz");
        if (!track.isEmpty())
            dir.write("multiple/track.txt", track);
        QStringList before = dir.list("multiple");
        SharedState s;
        if (title == "S500") {
            worksheet::saveworksheet(s, sampleWorksheet(title));
            before << "S500.txt";
            before.sort();
        } else {
            QVERIFY_THROWS_EXCEPTION(FileError,
                                     worksheet::saveworksheet(s, sampleWorksheet(title)));
        }
        QCOMPARE(dir.list("multiple"), before);
        QCOMPARE(dir.read("multiple/track.txt"), track);
        QCOMPARE(dir.read("multiple/Tiberan.txt") + dir.read("multiple/Joris Malten.txt"),
                 QByteArray("topic quiztopic quiz"));
    }
};

LUMORA_TEST(WorksheetTest)
#include "tst_worksheet.moc"
