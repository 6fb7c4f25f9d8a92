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
#include <QRadioButton>
#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

namespace {

// Opens the multiple-choice quiz of a hub; the hub.
Hub& startQuiz(TestApp& t, int entry) {
    clickMouse(openMenu(t).Label2[entry]);
    auto* hub =
        qobject_cast<Hub*>(t.app.screens.find(entry == Intro0::Tiberan ? "tiberan" : "malten"));
    clickMouse(hub->Label3[Hub::MultipleChoice]);
    return *hub;
}

// Picks a choice (0 for none) and presses the forward button. The click lands at the
// far right end of the choice's row, away from its circle and words.
void answer(TestApp& t, int choice) {
    Multiple& quiz = t.app.screens.multiple();
    if (choice) {
        QRadioButton* option = quiz.Option1[choice];
        clickMouse(option, Qt::LeftButton, QPoint(option->width() - 2, option->height() / 2));
        QVERIFY(option->isChecked());
    }
    clickMouse(quiz.Label3[Multiple::Forward]);
}

int rightChoice(TestApp& t) { return t.app.state.correctanswer[t.app.state.questnum].toInt(); }

// Takes the rest of a quiz, answering wrongly on the questions listed.
void takeQuiz(TestApp& t, const QList<int>& wrong) {
    for (int q = t.app.state.questnum; q <= 10; ++q)
        answer(t, wrong.contains(q) ? rightChoice(t) % 4 + 1 : rightChoice(t));
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
        QTest::newRow("7 right") << QList<int>{2, 5, 9} << "You have scored 7 out of 10.";
    }
    void wholeQuiz() {
        QFETCH(QList<int>, wrong);
        QFETCH(QString, message);
        TestApp t;
        startQuiz(t, Intro0::Tiberan);
        QVERIFY(!t.app.screens.multiple().Label3[Multiple::PrintButton]->isVisible());
        takeQuiz(t, wrong);
        settle();
        QVERIFY(!t.app.screens.isLoaded("multiple"));
        Welldone& results = t.app.screens.welldone();
        QVERIFY(results.isVisible());
        QCOMPARE(results.Label1->text(), message);
        QCOMPARE(t.app.state.quizheading, QStringLiteral("Lumora"));
        const bool perfect = wrong.isEmpty();
        QCOMPARE(results.Text1->isVisible(), perfect); // the name box of the certificate
        QCOMPARE(results.Label3[Welldone::FirstButton]->text(),
                 perfect ? QStringLiteral("Print Certificate")
                         : QStringLiteral("Check Wrong Answers"));
        QTRY_VERIFY_WITH_TIMEOUT(!results.Picture1->pixmap().isNull(), 300); // the late picture

        // The review was filled while hidden, in question order.
        Wrong& review = t.app.screens.wrong();
        QVERIFY(!review.isVisible());
        for (int line = 0; line < Wrong::Lines; ++line) {
            QCOMPARE(review.Label2[line]->isVisibleTo(&review), line < wrong.size());
            if (line < wrong.size())
                QCOMPARE(review.Label2[line]->text(), QStringLiteral(" %1. ").arg(wrong[line]) +
                                                          t.app.state.question[wrong[line]]);
        }
        if (!perfect) {
            clickMouse(results.Label3[Welldone::FirstButton]);
            QVERIFY(review.isVisible() && results.isVisible());
        }
    }

    // Leaving by any exit goes back to the hub, and the next quiz starts afresh.
    void exitAndStartAgain_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("from the quiz: scores nothing") << 0;
        QTest::newRow("from the results") << 1;
        QTest::newRow("from the review") << 2;
    }
    void exitAndStartAgain() {
        QFETCH(int, way);
        TestApp t;
        Hub& hub = startQuiz(t, Intro0::Malten);
        if (way == 0) {
            answer(t, rightChoice(t));
            clickMouse(t.app.screens.multiple().Label3[Multiple::ExitButton]);
        } else {
            takeQuiz(t, {1, 3});
            Welldone& results = t.app.screens.welldone();
            clickMouse(results.Label3[Welldone::FirstButton]);
            clickMouse(way == 1 ? results.Label3[Welldone::ExitButton]
                                : t.app.screens.wrong().Label3[Wrong::ExitButton]);
        }
        for (const char* screen : {"Welldone", "Wrong", "multiple"})
            QVERIFY(!t.app.screens.isLoaded(screen));
        QVERIFY(hub.isVisible());

        clickMouse(hub.Label3[Hub::MultipleChoice]);
        Multiple& quiz = t.app.screens.multiple();
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 1"));
        QVERIFY(!quiz.Label3[Multiple::Backward]->isVisible());
        QCOMPARE(t.app.state.score + t.app.state.questresult[1] + t.app.state.questresult[2], 0);
        takeQuiz(t, {});
        Welldone& results = t.app.screens.welldone();
        QCOMPARE(results.Label1->text(),
                 QStringLiteral("Excellent work. You have scored 10 out of 10."));
        QVERIFY(results.Text1->text().isEmpty() && results.Text1->maxLength() == 25);
        for (QLabel* line : t.app.screens.wrong().Label2)
            QVERIFY(!line->isVisibleTo(&t.app.screens.wrong()));
    }

    void goingBackForgetsTheChoice() {
        TestApp t;
        startQuiz(t, Intro0::Tiberan);
        Multiple& quiz = t.app.screens.multiple();
        auto* back = quiz.Label3[Multiple::Backward];
        auto* next = quiz.Label3[Multiple::Forward];
        QVERIFY(!back->isVisible());
        QCOMPARE(quiz.Label2->text(), t.app.state.question[1]);
        QCOMPARE(quiz.Option1[3]->text(), t.app.state.choicec[1]);
        QVERIFY(quiz.Option1[Multiple::NoChoice]->isChecked());
        // A screen reader is not offered the no-choice button as a fifth choice.
        QVERIFY(QAccessible::queryAccessibleInterface(quiz.Option1[Multiple::NoChoice])
                    ->state()
                    .invisible);
        QVERIFY(!QAccessible::queryAccessibleInterface(quiz.Option1[1])->state().invisible);

        answer(t, rightChoice(t));
        answer(t, 0); // question 2 left without a choice: wrong
        answer(t, rightChoice(t));
        QCOMPARE(t.app.state.questresult[3], 1);
        clickMouse(back); // back to 3
        QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 3"));
        QVERIFY(quiz.Option1[Multiple::NoChoice]->isChecked());
        answer(t, 0); // changed by going back: now wrong
        for (int q = 4; q <= 9; ++q)
            answer(t, rightChoice(t));
        QCOMPARE(next->text(), QStringLiteral("Check Score >>"));
        clickMouse(back);
        QCOMPARE(next->text(), QStringLiteral("Next Question >>"));
        takeQuiz(t, {});
        QCOMPARE(t.app.state.score, 8);
        QCOMPARE(t.app.state.questresult[2] + t.app.state.questresult[3], 0);
    }

    void brokenQuizFilesLeaveTheHubAsItWas_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("short") << QByteArray("Title\r\n \r\nOnly one question\r\n");
        QTest::newRow("binary") << QByteArray(3000, '\x01');
    }
    void brokenQuizFilesLeaveTheHubAsItWas() {
        QFETCH(QByteArray, file);
        TestApp t({"Images/corvinus2.jpg", "Images/logo2.jpg", "multiple/track.txt"});
        if (!file.isEmpty())
            t.folder.write("multiple/Tiberan.txt", file);
        Hub& hub = startQuiz(t, Intro0::Tiberan);
        QVERIFY(!t.app.screens.isLoaded("multiple"));
        QCOMPARE(t.app.messages.history().size(), std::size_t(1));
        QCOMPARE(t.app.messages.history()[0].text, Hub::QuizOpenFailed);
        QVERIFY(hub.isVisible());
    }

    void printingTheCertificate() {
        TestApp t;
        startQuiz(t, Intro0::Tiberan);
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
        QVERIFY(results.isVisible() && t.printouts.empty());
        TestApp::keepPrintouts(t);
        clickMouse(results.Label3[Welldone::FirstButton]);
        QCOMPARE(t.app.messages.history().back().text,
                 QStringLiteral("Your certificate is now printing."));
        QCOMPARE(t.printouts.size(), std::size_t(1));
        QStringList texts;
        for (const auto& op : t.printouts[0])
            texts << op.text.trimmed();
        for (const char* text : {"Ada Lindqvist", "Lumora", "You have scored 10 out of 10."})
            QVERIFY2(texts.contains(text), text);
        QVERIFY(results.isVisible());
    }
};

LUMORA_TEST(QuizRoadTest)
#include "tst_quizroad.moc"
