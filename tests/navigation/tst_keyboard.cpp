// Every screen from the keyboard alone: keys go to whichever window has the keyboard,
// as the platform would send them, and no mouse event reaches the program.

#include "activities/decimals.h"
#include "activities/decmult.h"
#include "activities/tibpuz.h"
#include "activities/triangular.h"
#include "navigation/hub.h"
#include "navigation/intro0.h"
#include "navigation/titlefrm.h"
#include "pages/guide.h"
#include "pages/teacher.h"
#include "quiz/multiple.h"
#include "quiz/welldone.h"
#include "shell/buttonlabel.h"
#include "testapp.h"
#include "worksheets/wizard.h"
#include "worksheets/worksheets.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>
#include <QtTest>
#include <stdexcept>

using namespace lumora;
using namespace lumora::testing;

namespace {

// Counts the mouse events that reach any object while it lives.
class MouseWatch : public QObject {
public:
    MouseWatch() { qApp->installEventFilter(this); }
    ~MouseWatch() override { qApp->removeEventFilter(this); }
    int seen = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
            ++seen;
            break;
        default:
            break;
        }
        return false;
    }
};

void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWindow* w = QGuiApplication::focusWindow();
    if (!w)
        throw std::runtime_error("no window has the keyboard");
    QTest::keyClick(w, Qt::Key(k), mods);
    settle();
}

void type(const QString& text) {
    for (QChar c : text) {
        QTest::keyClick(QGuiApplication::focusWindow(), c.toLatin1());
    }
    settle();
}

// Tabs forward until the control has the focus; false when it never comes.
bool tabTo(QWidget* control) {
    for (int i = 0; i < 120; ++i) {
        if (QApplication::focusWidget() == control)
            return true;
        key(Qt::Key_Tab);
    }
    return false;
}

bool pressOn(QWidget* control) {
    if (!tabTo(control))
        return false;
    key(Qt::Key_Return);
    return true;
}

QWidget* front() { return QApplication::activeWindow(); }

TestApp* withPages() {
    auto* t = new TestApp;
    for (const char* folder : {"wmf", "wmf2", "logo"})
        t->folder.copyFolderFromData(QString::fromLatin1(folder));
    return t;
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_mouse = std::make_unique<MouseWatch>(); }
    void cleanup() { QCOMPARE(m_mouse->seen, 0); }

    void titleToAPerfectQuizAndACertificate() {
        TestApp t;
        startProgram(t.app);
        settle();
        Titlefrm& title = t.app.screens.titlefrm();
        QCOMPARE(front(), &title);
        key(Qt::Key_Escape); // nothing: Escape never ends the program
        QCOMPARE(t.endings, 0);
        QCOMPARE(QApplication::focusWidget(), title.Command1);
        key(Qt::Key_Return);
        Intro0& menu = t.app.screens.intro0();
        QCOMPARE(front(), &menu);
        key(Qt::Key_Escape);
        QCOMPARE(front(), &menu);
        QCOMPARE(t.endings, 0);

        // Tab runs in reading order and passes the entries that are not open.
        QVERIFY(tabTo(menu.Label2[Intro0::Tiberan]));
        key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), menu.Label2[Intro0::Malten]);
        QVERIFY(static_cast<ButtonLabel*>(QApplication::focusWidget())->focusShown());
        key(Qt::Key_Backtab);
        key(Qt::Key_Space);
        Hub& hub = t.app.screens.tiberan();
        QCOMPARE(front(), &hub);

        QVERIFY(pressOn(hub.Label3[Hub::MultipleChoice]));
        Multiple& quiz = t.app.screens.multiple();
        QCOMPARE(front(), &quiz);
        // From no choice the arrows go round the four: Down from none is A, Up is D.
        auto answer = [&](int q) {
            const int right = t.app.state.correctanswer[q].toInt();
            for (int i = 0; i < (q % 2 ? right : 5 - right); ++i)
                key(q % 2 ? Qt::Key_Down : Qt::Key_Up);
            QVERIFY(quiz.Option1[right]->isChecked());
        };
        for (int q = 1; q <= 10; ++q) {
            answer(q);
            if (q == 2) { // back a question and on again
                QVERIFY(pressOn(quiz.Label3[Multiple::Backward]));
                QCOMPARE(t.app.state.questnum, 1);
                answer(1);
                QVERIFY(pressOn(quiz.Label3[Multiple::Forward]));
                answer(2);
            }
            QVERIFY(!QTest::currentTestFailed());
            QVERIFY(pressOn(quiz.Label3[Multiple::Forward]));
        }
        Welldone& results = t.app.screens.welldone();
        QCOMPARE(front(), &results);
        QCOMPARE(t.app.state.score, 10);
        QTest::qWait(50); // the results screen settles its focus on the name box
        QCOMPARE(QApplication::focusWidget(), results.Text1);
        type(QStringLiteral("Ada"));
        QCOMPARE(results.Text1->text(), QStringLiteral("Ada"));
        QVERIFY(pressOn(results.Label3[Welldone::FirstButton]));
        QCOMPARE(t.printouts.size(), std::size_t(1));
        key(Qt::Key_Escape);
        QVERIFY(!t.app.screens.isLoaded("Welldone"));
        QCOMPARE(front(), &hub);

        key(Qt::Key_Escape);
        QCOMPARE(front(), &menu);
        // The menu's Exit asks again; Escape does nothing there, Cancel goes back.
        QVERIFY(pressOn(menu.Label2[Intro0::Exit]));
        Titlefrm& again = t.app.screens.titlefrm();
        QCOMPARE(front(), &again);
        key(Qt::Key_Escape);
        QCOMPARE(t.endings, 0);
        QVERIFY(tabTo(again.Command1));
        key(Qt::Key_Space);
        QCOMPARE(front(), &menu);
    }

    void everyHubEntryOpensAndEscapeComesBack_data() {
        QTest::addColumn<int>("hub");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("screen");
        const char* names[2][4] = {{"teacher", "teacher", "tibpuz", "triangular"},
                                   {"teacher", "teacher", "decimals", "decmult"}};
        const int entries[] = {Hub::KeyFacts, Hub::TeachersNotes, Hub::FirstActivity,
                               Hub::SecondActivity};
        for (int h = 0; h < 2; ++h) {
            QTest::addRow("%d multiple choice", h) << h << int(Hub::MultipleChoice) << "multiple";
            for (int e = 0; e < 4; ++e)
                QTest::addRow("%d %s %d", h, names[h][e], e)
                    << h << entries[e] << QString::fromLatin1(names[h][e]);
        }
    }
    void everyHubEntryOpensAndEscapeComesBack() {
        QFETCH(int, hub);
        QFETCH(int, entry);
        QFETCH(QString, screen);
        std::unique_ptr<TestApp> t(withPages());
        startProgram(t->app);
        settle();
        key(Qt::Key_Return);
        Intro0& menu = t->app.screens.intro0();
        QVERIFY(pressOn(menu.Label2[hub == 0 ? Intro0::Tiberan : Intro0::Malten]));
        Hub& h = hub == 0 ? t->app.screens.tiberan() : t->app.screens.malten();
        QVERIFY(pressOn(h.Label3[entry]));
        Screen* opened = t->app.screens.find(screen);
        QVERIFY(opened);
        QCOMPARE(front(), opened);
        // The viewers and the quiz leave by Escape; the activities (whose Escape the
        // tests below press) by the window manager's close, as their Exit would.
        if (screen == "teacher" || screen == "multiple")
            key(Qt::Key_Escape);
        else
            opened->close();
        settle();
        QVERIFY(!t->app.screens.isLoaded(screen));
        QCOMPARE(front(), &h);
        QVERIFY(pressOn(h.Label3[Hub::ExitButton]));
        QCOMPARE(front(), &menu);
    }

    void theRiddleSolvedSixOutOfSix() {
        TestApp t;
        Tibpuz& p = t.app.screens.tibpuz();
        p.showInFront();
        settle();
        QVERIFY(!p.keyHint->isVisible()); // no key shown until a key is used
        for (int i = 0; i < riddle::Slots; ++i) {
            QVERIFY(tabTo(p.Label2[i]));
            QVERIFY(p.keyHint->isVisible());
            key(Qt::Key_Space);
            QCOMPARE(p.carried(), std::optional<int>(i));
            // Up to the top row, across to the left, then to the tile's own frame.
            key(Qt::Key_Up);
            key(Qt::Key_Up);
            key(Qt::Key_Left);
            key(Qt::Key_Left);
            int row = 0, column = 0;
            for (int r = 0; r < 2; ++r)
                for (int c = 0; c < 3; ++c)
                    if (p.frameAt(r, c) == i)
                        row = r, column = c;
            for (int c = 0; c < column; ++c)
                key(Qt::Key_Right);
            for (int r = 0; r < row; ++r)
                key(Qt::Key_Down);
            key(Qt::Key_Space);
            QVERIFY(!p.carried());
            QCOMPARE(p.board().tile(i), p.board().answer(i).place);
        }
        QVERIFY(p.Label3[Tibpuz::CheckScore]->isVisible());
        QVERIFY(pressOn(p.Label3[Tibpuz::CheckScore]));
        QCOMPARE(p.Label5->text(), QStringLiteral("6 out of 6 correct"));

        // A tile carried home and one put back with Escape; then Start Again.
        QVERIFY(tabTo(p.Label2[0]));
        key(Qt::Key_Space);
        key(Qt::Key_Home);
        key(Qt::Key_Return);
        QCOMPARE(p.board().tile(0), p.board().home(0).place);
        QVERIFY(tabTo(p.Label2[1]));
        key(Qt::Key_Space);
        key(Qt::Key_Down);
        key(Qt::Key_Escape);
        QCOMPARE(p.board().tile(1), p.board().answer(1).place);
        QVERIFY(p.isVisible()); // Escape put the tile back and left the screen open
        QVERIFY(pressOn(p.Label3[Tibpuz::CheckScore]));
        QCOMPARE(p.Label5->text(), QStringLiteral("5 out of 6 correct"));
        QVERIFY(pressOn(p.Label3[Tibpuz::StartAgain]));
        QCOMPARE(p.board().tile(1), p.board().home(1).place);
        key(Qt::Key_Escape);
        QVERIFY(!t.app.screens.isLoaded("tibpuz"));
    }

    void aDrillAnsweredRightAndWrong() {
        TestApp t;
        Triangular& d = t.app.screens.triangular();
        d.showInFront();
        settle();
        for (bool right : {true, false}) {
            int box = 0;
            while (d.matchesKey(d.Label3[box]->text()) != right)
                ++box;
            QVERIFY(tabTo(d.Label3[box]));
            key(right ? Qt::Key_Return : Qt::Key_Space);
            QCOMPARE(d.Label1->text(), right ? DrillFrame::RightText : DrillFrame::WrongText);
        }
        QVERIFY(pressOn(d.cmdsoln));
        QVERIFY(d.Timer1.isActive());
        QVERIFY(pressOn(d.cmdgo));
        QVERIFY(!d.Timer1.isActive());
        QVERIFY(!d.Label1->isVisible());
        key(Qt::Key_Escape);
        QVERIFY(!t.app.screens.isLoaded("triangular"));
    }

    void thePagesPagedPrintedAndClosed() {
        std::unique_ptr<TestApp> t(withPages());
        startProgram(t->app);
        settle();
        key(Qt::Key_Return);
        Intro0& menu = t->app.screens.intro0();
        QVERIFY(pressOn(menu.Label2[Intro0::Guide]));
        Guide& guide = t->app.screens.guide();
        QCOMPARE(front(), &guide);
        for (int page = 2; page <= 5; ++page)
            QVERIFY(pressOn(guide.Label3[PageViewer::NextPage]));
        QCOMPARE(guide.Label1->text(), QStringLiteral("Page 5 of 5"));
        QVERIFY(!guide.Label3[PageViewer::NextPage]->isEnabled());
        QVERIFY(pressOn(guide.Label3[PageViewer::PreviousPage]));
        QCOMPARE(t->app.state.pagenum, 4);
        QVERIFY(pressOn(guide.Label3[PageViewer::PrintButton]));
        QCOMPARE(t->printouts.size(), std::size_t(1));
        QVERIFY(!guide.Image1->pageText().isEmpty());
        key(Qt::Key_Escape);
        QCOMPARE(front(), &menu);

        QVERIFY(pressOn(menu.Label2[Intro0::Acknowledgments]));
        QCOMPARE(front(), &t->app.screens.teacher());
        key(Qt::Key_Escape);
        QVERIFY(pressOn(menu.Label2[Intro0::WebAddress]));
        QCOMPARE(t->opened.size(), std::size_t(1));
    }

    void aWorksheetWrittenSavedRunEditedAndDeleted() {
        TestApp t;
        startProgram(t.app);
        settle();
        key(Qt::Key_Return);
        Intro0& menu = t.app.screens.intro0();
        QVERIFY(pressOn(menu.Label2[Intro0::Wizard]));
        Wizard& w = t.app.screens.wizard();
        QCOMPARE(QApplication::focusWidget(), w.Text1);
        type(QStringLiteral("Keys, week 1"));
        for (int q = 0; q < 10; ++q) {
            key(Qt::Key_Tab);
            type(QStringLiteral("What is %1 and 1?").arg(q));
            for (int c = 0; c < 4; ++c) {
                key(Qt::Key_Tab);
                type(QString::number(q + c));
            }
        }
        for (int i = 0; i < 40; ++i) {
            key(Qt::Key_Tab);
            if (i % 4 == 1)
                key(Qt::Key_Space);
        }
        QVERIFY(w.Check1[37]->isChecked());
        QVERIFY(pressOn(w.Label3[Wizard::SaveButton]));
        QCOMPARE(t.app.messages.history().back().text,
                 QStringLiteral("Your worksheet has been saved."));
        key(Qt::Key_Escape);
        QCOMPARE(front(), &menu);

        QVERIFY(pressOn(menu.Label2[Intro0::Catalogue]));
        Worksheets& ws = t.app.screens.worksheets();
        QCOMPARE(front(), &ws);
        QVERIFY(pressOn(ws.Label2[1]));
        Multiple& quiz = t.app.screens.multiple();
        QCOMPARE(quiz.Label6->text(), QStringLiteral("Keys, week 1"));
        key(Qt::Key_Escape);
        QCOMPARE(front(), &ws);

        QVERIFY(tabTo(ws.Check1));
        key(Qt::Key_Space);
        QVERIFY(pressOn(ws.Label2[1]));
        Wizard& edit = t.app.screens.wizard();
        QCOMPARE(front(), &edit);
        QCOMPARE(edit.Text2[9]->text(), QStringLiteral("What is 9 and 1?"));
        key(Qt::Key_Escape);
        QCOMPARE(front(), &ws);

        QVERIFY(tabTo(ws.Check2));
        key(Qt::Key_Space);
        t.answers = {MessageAnswer::Ok};
        QVERIFY(pressOn(ws.Label2[1]));
        QCOMPARE(t.folder.read("multiple/track.txt"), QByteArray(" 0 \r\n"));
        key(Qt::Key_Escape);
        QCOMPARE(front(), &t.app.screens.intro0());
    }

private:
    std::unique_ptr<MouseWatch> m_mouse;
};

LUMORA_TEST(KeyboardTest)
#include "tst_keyboard.moc"
