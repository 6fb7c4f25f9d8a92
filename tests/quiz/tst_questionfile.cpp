// What a quiz reads from its question file, and how its answers are marked.
#include "platform/seqfile.h"
#include "quiz/questionfile.h"
#include "quiz/scoring.h"
#include "testing.h"

#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

namespace {

// The lines of a well-formed question file; question q has texts "Qq", "qA" ...
QStringList quizLines(const QString& title, int blocks = 10) {
    QStringList lines{title, " "};
    for (int q = 1; q <= blocks; ++q)
        lines << QStringLiteral("Q%1").arg(q) << QStringLiteral("%1A").arg(q)
              << QStringLiteral("%1B").arg(q) << QStringLiteral("%1C").arg(q)
              << QStringLiteral("%1D").arg(q) << QString::number((q - 1) % 4 + 1) << " ";
    return lines;
}

void load(SharedState& s, const QByteArray& bytes) {
    FieldReader r(bytes);
    loadquestions(s, r);
}

} // namespace

class QuestionFileTest : public QObject {
    Q_OBJECT
private slots:
    // A file that cannot be read leaves the quiz in memory whole; a good one replaces
    // the questions but never the marks. Only the first 72 lines are read.
    void loading_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("title");
        QStringList good = quizLines("Decimals& fractions", 12); // two blocks too many
        good[2] = "What is 1/4& as a decimal?";
        good[14] = "7&"; // the answer field is taken as read
        QTest::newRow("good") << crlf(good) << "Decimals, fractions";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("nine blocks") << crlf(quizLines("Short", 9)) << "";
        QTest::newRow("last separator missing") << crlf(quizLines("T").mid(0, 71)) << "";
        QByteArray binary, nul;
        for (int i = 0; i < 4000; ++i)
            binary.append(static_cast<char>((i * 37) % 256));
        for (int i = 0; i < 72; ++i)
            nul += QByteArray("ab\0c\r\n", 6);
        QTest::newRow("binary") << binary << "";
        QTest::newRow("72 lines holding nul bytes") << nul << "";
    }
    void loading() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, title);
        SharedState s;
        load(s, crlf(quizLines("Earlier quiz")));
        s.questresult[3] = 1;
        if (title.isEmpty())
            QVERIFY_THROWS_EXCEPTION(FileError, load(s, bytes));
        else
            load(s, bytes);
        QCOMPARE(s.quiztitle, title.isEmpty() ? QStringLiteral("Earlier quiz") : title);
        QCOMPARE(s.question[1], title.isEmpty() ? "Q1" : "What is 1/4, as a decimal?");
        QCOMPARE(s.correctanswer[2], title.isEmpty() ? "2" : "7&");
        QCOMPARE(s.question[10] + s.choiced[10] + s.correctanswer[10], QStringLiteral("Q1010D2"));
        QCOMPARE(s.questresult[3], 1);
    }

    void marking_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("right");
        QTest::newRow("match") << "3" << 3 << true;
        QTest::newRow("other choice") << "3" << 2 << false;
        QTest::newRow("no choice") << "1" << 0 << false;
        QTest::newRow("blanks around") << " 4 " << 4 << true;
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

    void results_data() {
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("message");
        QTest::newRow("ten") << 10 << "Excellent work. You have scored 10 out of 10.";
        QTest::newRow("nine") << 9 << "Good work. You have scored 9 out of 10.";
        QTest::newRow("seven") << 7 << "You have scored 7 out of 10.";
    }
    void results() {
        QFETCH(int, score);
        QFETCH(QString, message);
        QCOMPARE(scoring::resultMessage(score, 10), message);
        QCOMPARE(scoring::firstButtonCaption(score, 10),
                 QString(score == 10 ? "Print Certificate" : "Check Wrong Answers"));
        QCOMPARE(scoring::hint(score, 10).isEmpty(), score == 10);
    }
};

LUMORA_TEST(QuestionFileTest)
#include "tst_questionfile.moc"
