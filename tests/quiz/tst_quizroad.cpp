// The road of a quiz through the real screens where the keyboard walk does not go: a
// score short of ten and its review, leaving from every screen, going back and broken
// question files. A perfect score and its certificate are walked in tests/navigation.
#include "navigation/hub.h"
#include "navigation/intro0.h"
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
    Hub& hub = entry == Intro0::Tiberan ? t.app.screens.tiberan() : t.app.screens.malten();
    clickMouse(hub.Label3[Hub::MultipleChoice]);
    return hub;
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

} // namespace

class QuizRoadTest : public QObject {
    Q_OBJECT
private slots:
    // Eight right, one of them changed by going back: the results and the review, filled
    // while hidden, in question order. Leaving by any exit goes back to the hub, and the
    // next quiz starts afresh.
    void eightRightThenLeave_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("from the quiz: scores nothing") << 0;
        QTest::newRow("from the results") << 1;
        QTest::newRow("from the review") << 2;
    }
    void eightRightThenLeave() {
        QFETCH(int, way);
        const QList<int> wrong{2, 3};
        TestApp t;
        Hub& hub = startQuiz(t, way == 0 ? Intro0::Malten : Intro0::Tiberan);
        Multiple& quiz = t.app.screens.multiple();
        auto* back = quiz.Label3[Multiple::Backward];
        auto* next = quiz.Label3[Multiple::Forward];
        QVERIFY(!quiz.Label3[Multiple::PrintButton]->isVisible());
        if (way == 0) {
            answer(t, rightChoice(t.app.state));
            clickMouse(quiz.Label3[Multiple::ExitButton]);
        } else {
            QCOMPARE(quiz.Label2->text(), t.app.state.question[1]);
            QCOMPARE(quiz.Option1[3]->text(), t.app.state.choicec[1]);
            QVERIFY(quiz.Option1[Multiple::NoChoice]->isChecked());
            // A screen reader is not offered the no-choice button as a fifth choice.
            auto invisible = [](QWidget* w) {
                return QAccessible::queryAccessibleInterface(w)->state().invisible;
            };
            QVERIFY(invisible(quiz.Option1[Multiple::NoChoice]) && !invisible(quiz.Option1[1]));
            answer(t, rightChoice(t.app.state));
            answer(t, 0); // question 2 left without a choice: wrong
            answer(t, rightChoice(t.app.state));
            QCOMPARE(t.app.state.questresult[3], 1);
            clickMouse(back); // back to 3, its choice forgotten
            QCOMPARE(quiz.Label4->text(), QStringLiteral("Question 3"));
            QVERIFY(quiz.Option1[Multiple::NoChoice]->isChecked());
            answer(t, rightChoice(t.app.state) % 4 + 1); // changed by going back: now wrong
            for (int q = 4; q <= 9; ++q)
                answer(t, rightChoice(t.app.state));
            QCOMPARE(next->text(), QStringLiteral("Check Score >>"));
            clickMouse(back);
            QCOMPARE(next->text(), QStringLiteral("Next Question >>"));
            answer(t, rightChoice(t.app.state));
            // "Check Score >>" double-clicked: the quiz is scored once, then takes nothing.
            quiz.Option1[rightChoice(t.app.state)]->setChecked(true);
            QTest::mouseDClick(quiz.windowHandle(), Qt::LeftButton, {}, next->geometry().center());
            settle();
            QCOMPARE(t.app.state.questnum, 11);
            QVERIFY(!t.app.screens.isLoaded("multiple"));
            Welldone& results = t.app.screens.welldone();
            QCOMPARE(results.Label1->text(), "Good work. You have scored 8 out of 10.");
            QCOMPARE(t.app.state.quizheading, QStringLiteral("Lumora"));
            QVERIFY(!results.Text1->isVisible()); // the certificate's name box
            QCOMPARE(results.Label3[Welldone::FirstButton]->text(), "Check Wrong Answers");
            QTRY_VERIFY_WITH_TIMEOUT(!results.Picture1->pixmap().isNull(), 300); // comes late
            Wrong& review = t.app.screens.wrong();
            QVERIFY(!review.isVisible());
            for (int line = 0; line < Wrong::Lines; ++line) {
                QCOMPARE(review.Label2[line]->isVisibleTo(&review), line < wrong.size());
                if (line < wrong.size())
                    QCOMPARE(review.Label2[line]->text(), QStringLiteral(" %1. ").arg(wrong[line]) +
                                                              t.app.state.question[wrong[line]]);
            }
            clickMouse(results.Label3[Welldone::FirstButton]);
            QVERIFY(review.isVisible() && results.isVisible());
            clickMouse(way == 1 ? results.Label3[Welldone::ExitButton]
                                : review.Label3[Wrong::ExitButton]);
        }
        for (const char* screen : {"Welldone", "Wrong", "multiple"})
            QVERIFY(!t.app.screens.isLoaded(screen));
        QVERIFY(hub.isVisible());
        clickMouse(hub.Label3[Hub::MultipleChoice]);
        Multiple& again = t.app.screens.multiple();
        QCOMPARE(again.Label4->text(), QStringLiteral("Question 1"));
        QVERIFY(!again.Label3[Multiple::Backward]->isVisible());
        QCOMPARE(t.app.state.score + t.app.state.questresult[1] + t.app.state.questresult[2], 0);
    }

    void brokenQuizFilesLeaveTheHubAsItWas() {
        for (const QByteArray& file : {QByteArray(), QByteArray("Title\r\n \r\nOnly one\r\n")}) {
            TestApp t({"Images/corvinus2.jpg", "Images/logo2.jpg", "multiple/track.txt"});
            if (!file.isEmpty())
                t.folder.write("multiple/Tiberan.txt", file);
            Hub& hub = startQuiz(t, Intro0::Tiberan);
            QVERIFY2(!t.app.screens.isLoaded("multiple"), file.left(20).constData());
            QCOMPARE(t.app.messages.history().size(), std::size_t(1));
            QCOMPARE(t.app.messages.history()[0].text, Hub::QuizOpenFailed);
            QVERIFY(hub.isVisible());
        }
    }
};

LUMORA_TEST(QuizRoadTest)
#include "tst_quizroad.moc"
