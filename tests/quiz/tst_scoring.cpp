#include "quiz/scoring.h"
#include "testing.h"

#include <QtTest>

using namespace lumora;

class ScoringTest : public QObject {
    Q_OBJECT
private slots:
    void marking_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("right");
        QTest::newRow("match") << "3" << 3 << true;
        QTest::newRow("other choice") << "3" << 2 << false;
        QTest::newRow("no choice") << "1" << 0 << false;
        QTest::newRow("blanks around") << " 4 " << 4 << true;
        QTest::newRow("damaged: 7") << "7" << 4 << false;
        QTest::newRow("damaged: 0 against no choice") << "0" << 0 << false;
        QTest::newRow("damaged: letters") << "B" << 2 << false;
        QTest::newRow("damaged: empty") << "" << 0 << false;
    }
    void marking() {
        QFETCH(QString, stored);
        QFETCH(int, chosen);
        QFETCH(bool, right);
        QCOMPARE(scoring::isRight(stored, chosen), right);
    }

    void messages_data() {
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("hint");
        QTest::newRow("10") << 10 << "Excellent work. You have scored 10 out of 10."
                            << "Print Certificate" << false;
        QTest::newRow("9") << 9 << "Good work. You have scored 9 out of 10."
                           << "Check Wrong Answers" << true;
        QTest::newRow("8") << 8 << "Good work. You have scored 8 out of 10."
                           << "Check Wrong Answers" << true;
        QTest::newRow("7") << 7 << "You have scored 7 out of 10."
                           << "Check Wrong Answers" << true;
        QTest::newRow("0") << 0 << "You have scored 0 out of 10."
                           << "Check Wrong Answers" << true;
    }
    void messages() {
        QFETCH(int, score);
        QFETCH(QString, message);
        QFETCH(QString, button);
        QFETCH(bool, hint);
        QCOMPARE(scoring::resultMessage(score, 10), message);
        QCOMPARE(scoring::firstButtonCaption(score, 10), button);
        QCOMPARE(scoring::hint(score, 10).isEmpty(), !hint);
        QCOMPARE(scoring::scoreLine(score, 10),
                 QStringLiteral("You have scored %1 out of 10.").arg(score));
    }

    void reviewLinesInQuestionOrder() {
        SharedState s;
        for (int q = 1; q <= 10; ++q) {
            s.question[q] = QStringLiteral("Question text %1").arg(q);
            s.questresult[q] = (q == 2 || q == 5 || q == 10) ? 0 : 1;
        }
        const scoring::Result r = scoring::count(s);
        QCOMPARE(r.score, 7);
        QCOMPARE(r.reviewLines, (QStringList{" 2. Question text 2", " 5. Question text 5",
                                             " 10. Question text 10"}));
    }
};

LUMORA_TEST(ScoringTest)
#include "tst_scoring.moc"
