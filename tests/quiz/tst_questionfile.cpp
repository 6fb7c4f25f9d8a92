#include "platform/seqfile.h"
#include "quiz/questionfile.h"
#include "testing.h"

#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

namespace {

// The lines of a well-formed question file; question q has texts "Qq", "qA" ...
QStringList quizLines(const QString& title, int blocks = 10) {
    QStringList lines{title, " "};
    for (int q = 1; q <= blocks; ++q) {
        lines << QStringLiteral("Q%1").arg(q) << QStringLiteral("%1A").arg(q)
              << QStringLiteral("%1B").arg(q) << QStringLiteral("%1C").arg(q)
              << QStringLiteral("%1D").arg(q) << QString::number((q - 1) % 4 + 1) << " ";
    }
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
    void readsTheSeventyTwoLines() {
        SharedState s;
        QStringList lines = quizLines("Decimals& fractions& and more", 12); // two blocks too many
        lines[2] = "What is 1/4& as a decimal?";
        lines[14] = "7&"; // the answer field is taken as read
        lines[3 + 7 * 9] = "0.5& or so";
        load(s, crlf(lines));
        QCOMPARE(s.quiztitle, QStringLiteral("Decimals, fractions, and more"));
        QCOMPARE(s.question[1], QStringLiteral("What is 1/4, as a decimal?"));
        QCOMPARE(s.choicea[10], QStringLiteral("0.5, or so"));
        QCOMPARE(s.choiceb[3], QStringLiteral("3B"));
        QCOMPARE(s.choicec[4], QStringLiteral("4C"));
        QCOMPARE(s.choiced[10], QStringLiteral("10D"));
        QCOMPARE(s.correctanswer[1], QStringLiteral("1"));
        QCOMPARE(s.correctanswer[2], QStringLiteral("7&"));
        QCOMPARE(s.correctanswer[8], QStringLiteral("4"));
        QCOMPARE(s.question[10], QStringLiteral("Q10"));
        QVERIFY(s.question[0].isEmpty());
    }

    void malformedFilesFailAndKeepTheQuiz_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("nine blocks") << crlf(quizLines("Short", 9));
        QTest::newRow("last separator missing") << crlf(quizLines("T").mid(0, 71));
        QByteArray binary;
        for (int i = 0; i < 4000; ++i)
            binary.append(static_cast<char>((i * 37) % 256));
        QTest::newRow("binary") << binary;
        QByteArray nul;
        for (int i = 0; i < 72; ++i)
            nul += QByteArray("ab\0c", 4) + "\r\n";
        QTest::newRow("72 lines holding nul bytes") << nul;
    }
    void malformedFilesFailAndKeepTheQuiz() {
        QFETCH(QByteArray, bytes);
        SharedState s;
        load(s, crlf(quizLines("Earlier quiz")));
        QVERIFY_THROWS_EXCEPTION(FileError, load(s, bytes));
        QCOMPARE(s.quiztitle, QStringLiteral("Earlier quiz"));
        QCOMPARE(s.question[10], QStringLiteral("Q10"));
    }

    void secondFileReplacesTheFirstButNotTheMarks() {
        SharedState s;
        load(s, crlf(quizLines("First")));
        s.questresult[3] = 1;
        s.score = 7;
        QStringList second = quizLines("Second");
        second[2] = "Another Q1";
        load(s, crlf(second));
        QCOMPARE(s.quiztitle, QStringLiteral("Second"));
        QCOMPARE(s.question[1], QStringLiteral("Another Q1"));
        QCOMPARE(s.questresult[3], 1);
        QCOMPARE(s.score, 7);
    }

    void theTopicQuizzesAreGood_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("Tiberan") << "multiple/Tiberan.txt";
        QTest::newRow("Joris Malten") << "multiple/Joris Malten.txt";
    }
    void theTopicQuizzesAreGood() {
        QFETCH(QString, file);
        ScratchFolder dir;
        dir.copyFromData(file);
        const QByteArray bytes = dir.read(file);
        QCOMPARE(bytes.count("\r\n"), 72);
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count('\n'), 72); // no bare line feeds
        QVERIFY(bytes.contains('&'));    // at least one text holds a comma
        SharedState s;
        loadquestions(s, file);
        QVERIFY(!s.quiztitle.isEmpty());
        QSet<QString> answers;
        for (int q = 1; q <= 10; ++q) {
            QVERIFY(!s.question[q].isEmpty());
            QVERIFY(s.question[q].size() <= 60);
            const QStringList choices{s.choicea[q], s.choiceb[q], s.choicec[q], s.choiced[q]};
            for (const QString& c : choices)
                QVERIFY2(!c.isEmpty() && c.size() <= 30, qPrintable(c));
            QCOMPARE(QSet<QString>(choices.begin(), choices.end()).size(), 4);
            QVERIFY2(QStringList({"1", "2", "3", "4"}).contains(s.correctanswer[q]),
                     qPrintable(s.correctanswer[q]));
            answers.insert(s.correctanswer[q]);
        }
        QVERIFY(answers.size() >= 3); // the right answer is not always in one place
    }
};

LUMORA_TEST(QuestionFileTest)
#include "tst_questionfile.moc"
