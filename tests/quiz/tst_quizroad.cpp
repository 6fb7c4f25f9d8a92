// The road of a quiz through the real screens: menu, hub, quiz, results, review.
#include "navigation/hub.h"
#include "navigation/intro0.h"
#include "navigation/titlefrm.h"
#include "quiz/multiple.h"
#include "quiz/welldone.h"
#include "quiz/wrong.h"
#include "shell/buttonlabel.h"
#include "testapp.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

namespace {

Hub& openHub(TestApp& t, int entry) {
    clickMouse(openMenu(t).Label2[entry]);
    return *qobject_cast<Hub*>(t.app.screens.find(entry == Intro0::Tiberan ? "tiberan" : "malten"));
}

Multiple* quizScreen(TestApp& t) { return qobject_cast<Multiple*>(t.app.screens.find("multiple")); }

// Picks a choice (0 for none) and presses the forward button. The click lands at the
// far right end of the choice's row, away from its circle and words.
void answer(TestApp& t, int choice) {
    Multiple* quiz = quizScreen(t);
    if (choice) {
        QRadioButton* option = quiz->Option1[choice];
        clickMouse(option, Qt::LeftButton, QPoint(option->width() - 2, option->height() / 2));
        QVERIFY(option->isChecked());
    }
    clickMouse(quiz->Label3[Multiple::Forward]);
}

int rightChoice(TestApp& t) { return t.app.state.correctanswer[t.app.state.questnum].toInt(); }
int wrongChoice(TestApp& t) { return rightChoice(t) % 4 + 1; }

// Takes a whole quiz, answering wrongly on the questions listed.
void takeQuiz(TestApp& t, const QList<int>& wrong) {
    for (int q = 1; q <= 10; ++q) {
        QCOMPARE(t.app.state.questnum, q);
        answer(t, wrong.contains(q) ? wrongChoice(t) : rightChoice(t));
    }
}

} // namespace

class QuizRoadTest : public QObject {
    Q_OBJECT
private slots:
    void wholeQuiz_data() {
        QTest::addColumn<QList<int>>("wrong");
        QTest::addColumn<QString>("message");
        QTest::newRow("10 right") << QList<int>{}
                                  << "Excellent work. You have scored 10 out of 10.";
        QTest::newRow("9 right") << QList<int>{4} << "Good work. You have scored 9 out of 10.";
        QTest::newRow("8 right") << QList<int>{1, 10} << "Good work. You have scored 8 out of 10.";
        QTest::newRow("7 right") << QList<int>{2, 5, 9} << "You have scored 7 out of 10.";
        QTest::newRow("0 right") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}
                                 << "You have scored 0 out of 10.";
    }
    void wholeQuiz() {
        QFETCH(QList<int>, wrong);
        QFETCH(QString, message);
        TestApp t;
        Hub& hub = openHub(t, Intro0::Tiberan);
        clickMouse(hub.Label3[Hub::MultipleChoice]);
        Multiple* quiz = quizScreen(t);
        QVERIFY(quiz && quiz->isVisible());
        QCOMPARE(quiz->Label5->text(), QStringLiteral("Lumora"));
        QCOMPARE(quiz->Label6->text(), t.app.state.quiztitle);
        QVERIFY(!quiz->Label3[Multiple::PrintButton]->isVisible());
        takeQuiz(t, wrong);
        settle();

        QVERIFY(!t.app.screens.isLoaded("multiple"));
        auto* results = qobject_cast<Welldone*>(t.app.screens.find("Welldone"));
        QVERIFY(results && results->isVisible());
        QCOMPARE(t.app.state.score, 10 - int(wrong.size()));
        QCOMPARE(t.app.state.quizheading, QStringLiteral("Lumora"));
        QCOMPARE(results->Label1->text(), message);
        QVERIFY(!results->Label6->isVisible());
        const bool perfect = wrong.isEmpty();
        QCOMPARE(results->Text1->isVisible(), perfect);
        QCOMPARE(results->Label2->isVisible(), perfect);
        QVERIFY(results->Label3[Welldone::FirstButton]->isVisible());
        QCOMPARE(results->Label3[Welldone::FirstButton]->text(),
                 perfect ? QStringLiteral("Print Certificate")
                         : QStringLiteral("Check Wrong Answers"));
        QCOMPARE(results->Label5->text().isEmpty(), perfect);
        QTRY_VERIFY_WITH_TIMEOUT(!results->Picture1->pixmap().isNull(), 300); // the late picture
        if (perfect)
            QTRY_VERIFY_WITH_TIMEOUT(results->Text1->hasFocus() || !results->isActiveWindow(), 300);

        // The review was filled while hidden, in question order.
        auto* review = qobject_cast<Wrong*>(t.app.screens.find("Wrong"));
        QVERIFY(review && !review->isVisible());
        QCOMPARE(review->Label6->text(), t.app.state.quiztitle);
        for (int line = 0; line < Wrong::Lines; ++line) {
            QCOMPARE(review->Label2[line]->isVisibleTo(review), line < wrong.size());
            if (line < wrong.size())
                QCOMPARE(review->Label2[line]->text(), QStringLiteral(" %1. ").arg(wrong[line]) +
                                                           t.app.state.question[wrong[line]]);
        }
        if (!perfect) {
            clickMouse(results->Label3[Welldone::FirstButton]);
            QVERIFY(review->isVisible());
            QVERIFY(results->isVisible());
        }
    }

    void exitFromEitherScreenLeavesThePupilOnTheHub_data() {
        QTest::addColumn<bool>("fromReview");
        QTest::newRow("results") << false;
        QTest::newRow("review") << true;
    }
    void exitFromEitherScreenLeavesThePupilOnTheHub() {
        QFETCH(bool, fromReview);
        TestApp t;
        Hub& hub = openHub(t, Intro0::Malten);
        clickMouse(hub.Label3[Hub::MultipleChoice]);
        takeQuiz(t, {3});
        Welldone& results = t.app.screens.welldone();
        clickMouse(results.Label3[Welldone::FirstButton]);
        Wrong& review = t.app.screens.wrong();
        if (fromReview)
            clickMouse(review.Label3[Wrong::ExitButton]);
        else
            clickMouse(results.Label3[Welldone::ExitButton]);
        QVERIFY(!t.app.screens.isLoaded("Welldone"));
        QVERIFY(!t.app.screens.isLoaded("Wrong"));
        QVERIFY(!t.app.screens.isLoaded("multiple"));
        QVERIFY(hub.isVisible());
        QVERIFY(t.app.screens.isLoaded("malten"));
    }

    void forwardAndBackward() {
        TestApp t;
        Hub& hub = openHub(t, Intro0::Tiberan);
        clickMouse(hub.Label3[Hub::MultipleChoice]);
        Multiple* quiz = quizScreen(t);
        auto* back = quiz->Label3[Multiple::Backward];
        auto* next = quiz->Label3[Multiple::Forward];
        QVERIFY(!back->isVisible());
        QCOMPARE(quiz->Label4->text(), QStringLiteral("Question 1"));
        QCOMPARE(quiz->Label2->text(), t.app.state.question[1]);
        QCOMPARE(quiz->Option1[3]->text(), t.app.state.choicec[1]);
        QVERIFY(quiz->Option1[Multiple::NoChoice]->isChecked());
        // A screen reader is not offered the no-choice button as a fifth choice.
        QVERIFY(QAccessible::queryAccessibleInterface(quiz->Option1[Multiple::NoChoice])
                    ->state()
                    .invisible);
        QVERIFY(!QAccessible::queryAccessibleInterface(quiz->Option1[1])->state().invisible);

        answer(t, rightChoice(t)); // question 1 right
        QVERIFY(back->isVisible());
        answer(t, 0); // question 2 left without a choice: wrong
        QCOMPARE(t.app.state.questresult[2], 0);
        answer(t, rightChoice(t)); // question 3 right
        QCOMPARE(t.app.state.questresult[3], 1);
        clickMouse(back); // back to 3
        QCOMPARE(quiz->Label4->text(), QStringLiteral("Question 3"));
        QVERIFY(quiz->Option1[Multiple::NoChoice]->isChecked()); // the choice is not kept
        answer(t, 0);                                            // changed by going back: now wrong
        QCOMPARE(t.app.state.questresult[3], 0);
        for (int q = 4; q <= 9; ++q)
            answer(t, rightChoice(t));
        QCOMPARE(quiz->Label4->text(), QStringLiteral("Question 10"));
        QCOMPARE(next->text(), QStringLiteral("Check Score >>"));
        clickMouse(back);
        QCOMPARE(next->text(), QStringLiteral("Next Question >>"));
        answer(t, rightChoice(t));
        QCOMPARE(next->text(), QStringLiteral("Check Score >>"));
        answer(t, rightChoice(t));
        QCOMPARE(t.app.state.score, 8); // 2 and 3 wrong
    }

    void everyOpeningStartsFromTheDesign() {
        TestApp t;
        Hub& hub = openHub(t, Intro0::Tiberan);
        clickMouse(hub.Label3[Hub::MultipleChoice]);
        takeQuiz(t, {1, 2});
        clickMouse(t.app.screens.welldone().Label3[Welldone::ExitButton]);
        clickMouse(hub.Label3[Hub::MultipleChoice]); // a second quiz
        Multiple* quiz = quizScreen(t);
        QCOMPARE(quiz->Label4->text(), QStringLiteral("Question 1"));
        QVERIFY(!quiz->Label3[Multiple::Backward]->isVisible());
        QCOMPARE(t.app.state.score, 0);
        QCOMPARE(t.app.state.questresult[1], 0);
        QCOMPARE(t.app.state.questresult[3], 0);
        takeQuiz(t, {});
        auto& results = t.app.screens.welldone();
        QCOMPARE(results.Label1->text(),
                 QStringLiteral("Excellent work. You have scored 10 out of 10."));
        QCOMPARE(results.Text1->text(), QString());
        QCOMPARE(results.Text1->maxLength(), 25);
        auto* review = qobject_cast<Wrong*>(t.app.screens.find("Wrong"));
        for (QLabel* line : review->Label2)
            QVERIFY(!line->isVisibleTo(review));
        // Exit from the quiz itself scores nothing.
        clickMouse(results.Label3[Welldone::ExitButton]);
        clickMouse(hub.Label3[Hub::MultipleChoice]);
        clickMouse(quizScreen(t)->Label3[Multiple::ExitButton]);
        QVERIFY(!t.app.screens.isLoaded("multiple"));
        QVERIFY(!t.app.screens.isLoaded("Welldone"));
    }

    void brokenQuizFilesLeaveTheHubAsItWas_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("present");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("short") << QByteArray("Title\r\n \r\nOnly one question\r\n") << true;
        QTest::newRow("binary") << QByteArray(3000, '\x01') << true;
    }
    void brokenQuizFilesLeaveTheHubAsItWas() {
        QFETCH(QByteArray, file);
        QFETCH(bool, present);
        TestApp t({"Images/corvinus2.jpg", "Images/logo2.jpg", "multiple/track.txt"});
        if (present)
            t.folder.write("multiple/Tiberan.txt", file);
        Hub& hub = openHub(t, Intro0::Tiberan);
        clickMouse(hub.Label3[Hub::MultipleChoice]);
        QVERIFY(!t.app.screens.isLoaded("multiple"));
        QCOMPARE(t.app.messages.history().size(), std::size_t(1));
        QCOMPARE(t.app.messages.history()[0].text, Hub::QuizOpenFailed);
        QVERIFY(hub.isVisible());
    }

    void printingTheCertificate() {
        TestApp t;
        Hub& hub = openHub(t, Intro0::Tiberan);
        clickMouse(hub.Label3[Hub::MultipleChoice]);
        takeQuiz(t, {});
        Welldone& results = t.app.screens.welldone();
        QTest::keyClicks(results.Text1, "Ada Lindqvist");

        // No printer first: the pupil is told, stays, and can try again.
        t.app.printers.setOpener([](const QString&) -> std::unique_ptr<Printer> {
            throw PrintError("no default printer");
        });
        clickMouse(results.Label3[Welldone::FirstButton]);
        QCOMPARE(t.app.messages.history().back().text,
                 QStringLiteral("There was a problem printing to your printer."));
        QVERIFY(results.isVisible());
        QVERIFY(t.printouts.empty());

        TestApp::keepPrintouts(t);
        clickMouse(results.Label3[Welldone::FirstButton]);
        QCOMPARE(t.app.messages.history().back().text,
                 QStringLiteral("Your certificate is now printing."));
        QCOMPARE(t.printouts.size(), std::size_t(1));
        QStringList texts;
        for (const auto& op : t.printouts[0])
            if (op.kind == RecordingPrinter::Kind::Text)
                texts << op.text.trimmed();
        QVERIFY(texts.contains("Ada Lindqvist"));
        QVERIFY(texts.contains("Excellent Work"));
        QVERIFY(texts.contains("You have scored 10 out of 10."));
        QVERIFY(texts.contains("Lumora"));
        QVERIFY(results.isVisible());
    }

    void aDamagedAnswerMarksTheQuestionWrong() {
        TestApp t;
        QByteArray quiz = t.folder.read("multiple/Joris Malten.txt");
        QList<QByteArray> lines = quiz.split('\n');
        lines[7] = "7\r"; // the answer of question 1
        t.folder.write("multiple/Joris Malten.txt", lines.join('\n'));
        Hub& hub = openHub(t, Intro0::Malten);
        clickMouse(hub.Label3[Hub::MultipleChoice]);
        for (int q = 1; q <= 10; ++q)
            answer(t, q == 1 ? 4 : rightChoice(t));
        QCOMPARE(t.app.state.score, 9);
    }
};

LUMORA_TEST(QuizRoadTest)
#include "tst_quizroad.moc"
