// The way through the program: the title screen, the menu and the hubs under the mouse,
// then every screen from the keyboard alone (keys go to whichever window has the keyboard,
// and no mouse event reaches the program). Keys run the same handlers as clicks, so a rule
// worked in full on one road is only touched on the other.

#include "activities/drillframe.h"
#include "activities/tibpuz.h"
#include "navigation/hub.h"
#include "navigation/intro0.h"
#include "navigation/titlefrm.h"
#include "pages/guide.h"
#include "quiz/multiple.h"
#include "quiz/welldone.h"
#include "shell/buttonlabel.h"
#include "shell/screens.h"
#include "testapp.h"
#include "worksheets/wizard.h"
#include "worksheets/worksheets.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

namespace {

// Tabs forward until the control has the focus; false when it never comes.
bool tabTo(QWidget* control) {
    for (int i = 0; i < 120 && QApplication::focusWidget() != control; ++i)
        key(Qt::Key_Tab);
    return QApplication::focusWidget() == control;
}

// Tabs to a control and presses it with Space (Enter is pressed in the drill).
bool pressOn(QWidget* control) { return tabTo(control) && (key(Qt::Key_Space), true); }

// A picture drawn on white at a fifteenth of its size in twips.
QImage drawn(QSizeF twips, const std::function<void(QPainter&, const QRectF&)>& draw) {
    QImage image(twips.toSize() / 15, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    draw(p, QRectF(QPointF(0, 0), image.size()));
    return image;
}

// A screen whose load step fails.
struct Failing : Screen {
    explicit Failing(App& app) : Screen(app, QStringLiteral("failing")) {}
    void load() override { throw std::runtime_error("no"); }
};

QWidget* front() { return QApplication::activeWindow(); }
// The window, frame and all, stands centred on the display (the platform keeps one
// wider than the display on it).
void checkCentred(const QWidget& w) {
    const QRect display = QGuiApplication::primaryScreen()->geometry(), outer = w.frameGeometry();
    QVERIFY(outer.size() != w.size());
    QCOMPARE(outer.topLeft(), QPoint(std::max(0, (display.width() - outer.width()) / 2),
                                     std::max(0, (display.height() - outer.height()) / 2)));
}
// Escape, and the screen in front afterwards.
QWidget* escape() {
    key(Qt::Key_Escape);
    return front();
}

} // namespace

class MenuTest : public QObject {
    Q_OBJECT
private slots:
    void theProgramEnds_data() {
        QTest::addColumn<bool>("atMenu");   // OK pressed on the title screen first
        QTest::addColumn<QString>("frame"); // the window closed from its frame; "": Exit
        QTest::addColumn<QStringList>("data");
        const QStringList all{"Images", "multiple"};
        QTest::newRow("Exit on the title screen") << false << "" << all;
        QTest::newRow("Exit on the menu, then Exit") << true << "" << all;
        QTest::newRow("title closed from its frame") << false << "Titlefrm" << all;
        QTest::newRow("menu closed from its frame") << true << "intro0" << all;
        QTest::newRow("backdrop closed from its frame") << false << "Grey" << all;
        QTest::newRow("title without its picture") << false << "" << QStringList{"multiple"};
    }
    void theProgramEnds() {
        QFETCH(bool, atMenu);
        QFETCH(QString, frame);
        QFETCH(QStringList, data);
        TestApp t(data);
        startProgram(t.app);
        settle();
        checkCentred(t.app.screens.titlefrm()); // at whatever size it takes
        if (atMenu)
            clickMouse(t.app.screens.titlefrm().Command1);
        if (atMenu && frame.isEmpty()) { // the menu's Exit asks first
            clickMouse(t.app.screens.intro0().Label2[Intro0::Exit]);
            QCOMPARE(t.app.screens.titlefrm().Command1->text(), QStringLiteral("Cancel"));
        }
        if (frame.isEmpty())
            clickMouse(t.app.screens.titlefrm().Command2);
        else
            t.app.screens.find(frame)->close();
        settle();
        QCOMPARE(t.endings, 1);
        QVERIFY(t.app.messages.history().empty()); // no question asked
        QVERIFY(!t.app.screens.isLoaded("Grey") && !t.app.screens.isLoaded("intro0"));
    }

    // A move over a button-label lights it; a move over the background (or over what
    // takes no pointer: texts, pictures, switched-off entries) clears the screen's.
    void hoverHighlight_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QPoint>("background");
        QTest::addColumn<QStringList>("moves"); // control names; "" is the background
        QTest::addColumn<QStringList>("lit");   // "*" is every one
        QTest::newRow("menu: over an entry")
            << "intro0" << QPoint(400, 520) << QStringList{"Label2(17)"} << QStringList{"*"};
        QTest::newRow("menu: background, then entries not open")
            << "intro0" << QPoint(400, 520) << QStringList{"", "Label2(20)", "Label2(2)"}
            << QStringList{};
        QTest::newRow("guide: background, then a link")
            << "guide" << QPoint(1, 1) << QStringList{"", "Label3(0)"} << QStringList{};
        QTest::newRow("riddle: a button, then a text")
            << "tibpuz" << QPoint(700, 470) << QStringList{"Label3(0)", "Label7(6)"}
            << QStringList{};
    }
    void hoverHighlight() {
        QFETCH(QString, screen);
        QFETCH(QPoint, background);
        QFETCH(QStringList, moves);
        QFETCH(QStringList, lit);
        TestApp t;
        Screen& s = screen == "intro0"  ? static_cast<Screen&>(t.app.screens.intro0())
                    : screen == "guide" ? static_cast<Screen&>(t.app.screens.guide())
                                        : static_cast<Screen&>(t.app.screens.tibpuz());
        s.showInFront();
        for (const QString& m : moves) {
            QWidget* w = m.isEmpty() ? &s : s.findChild<QWidget*>(m);
            QVERIFY2(w, qPrintable(m));
            moveMouse(w, m.isEmpty() ? background : QPoint(-1, -1));
        }
        QStringList opaque, all;
        for (ButtonLabel* b : s.hoverResets()) {
            all << b->objectName();
            if (b->isOpaque())
                opaque << b->objectName();
        }
        QCOMPARE(opaque, lit == QStringList{"*"} ? all : lit);
    }

    // A catalogue that cannot be read stops the menu's reading quietly and closes
    // nothing; the file is read once per load.
    void anUnreadableCatalogueClosesNothing() {
        TestApp t({"Images/corvinus2.jpg"});
        t.folder.write("multiple/track.txt", "many\r\nA\r\n");
        Intro0& menu = openMenu(t);
        QVERIFY(QTest::qWaitFor([&] { return !menu.Timer1.isActive(); }, 500));
        QVERIFY(t.app.messages.history().empty() && menu.isVisible());
        QCOMPARE(t.app.state.numworksheets, 0);
        t.folder.write("multiple/track.txt", " 1 \r\nA\r\n");
        QTest::qWait(20);
        QCOMPARE(t.app.state.numworksheets, 0);
    }

    void aScreenWhoseLoadFailsIsNotKeptHalfMade() {
        TestApp t;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, t.app.screens.get<Failing>("failing"));
        QVERIFY(!t.app.screens.isLoaded("failing"));
    }
};

LUMORA_TEST(MenuTest)

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    // Every mouse event that reaches any object during a test is counted.
    void init() { qApp->installEventFilter(this); }
    void cleanup() {
        qApp->removeEventFilter(this);
        QCOMPARE(std::exchange(m_mouse, 0), 0);
    }

    void titleToAPerfectQuizAndACertificate() {
        TestApp t;
        startProgram(t.app);
        settle();
        Titlefrm& title = t.app.screens.titlefrm();
        // The backdrop fills the display.
        QCOMPARE(t.app.screens.find("Grey")->geometry(),
                 QGuiApplication::primaryScreen()->geometry());
        key(Qt::Key_Escape); // nothing: Escape never ends the program
        QCOMPARE(QApplication::focusWidget(), title.Command1);
        key(Qt::Key_Return);
        Intro0& menu = t.app.screens.intro0();
        QCOMPARE(escape(), &menu);

        // Tab runs in reading order and passes the entries that are not open.
        QVERIFY(tabTo(menu.Label2[Intro0::Tiberan]));
        key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), menu.Label2[Intro0::Malten]);
        QVERIFY(static_cast<ButtonLabel*>(QApplication::focusWidget())->focusShown());
        keys({Qt::Key_Backtab, Qt::Key_Space});
        Hub& hub = t.app.screens.tiberan();
        // The riddle opened, then the hub brought back from the task bar: the quiz is
        // the hub's, and its results close onto the hub.
        QVERIFY(pressOn(hub.Label3[Hub::FirstActivity]));
        hub.activateWindow();
        settle();
        QVERIFY(pressOn(hub.Label3[Hub::MultipleChoice]));
        Multiple& quiz = t.app.screens.multiple();
        // From no choice the arrows go round the four: Down from none is A, Up is D.
        for (int q = 1; q <= 10; ++q) {
            const int right = rightChoice(t.app.state);
            for (int i = 0; i < (q % 2 ? right : 5 - right); ++i)
                key(q % 2 ? Qt::Key_Down : Qt::Key_Up);
            QVERIFY(quiz.Option1[right]->isChecked());
            QVERIFY(pressOn(quiz.Label3[Multiple::Forward]));
        }
        Welldone& results = t.app.screens.welldone();
        QTest::qWait(50); // the results screen settles its focus on the name box
        QCOMPARE(QApplication::focusWidget(), results.Text1);
        type(QStringLiteral("Ada"));
        QVERIFY(pressOn(results.Label3[Welldone::FirstButton]));
        QCOMPARE(t.printouts.size(), std::size_t(1)); // the name comes from the box
        QVERIFY(std::any_of(t.printouts[0].begin(), t.printouts[0].end(),
                            [](auto& op) { return op.text.trimmed() == "Ada"; }));
        QVERIFY(escape() == &results); // a name typed is kept from Escape
        QVERIFY(tabTo(results.Text1));
        key(Qt::Key_Backspace);
        QCOMPARE(escape(), &hub);
        QCOMPARE(escape(), &menu);

        // The menu's Exit asks again; Escape does nothing there, Cancel goes back to the
        // same menu.
        QVERIFY(pressOn(menu.Label2[Intro0::Exit]));
        QVERIFY(tabTo(t.app.screens.titlefrm().Command1));
        key(Qt::Key_Escape);
        key(Qt::Key_Space);
        QCOMPARE(front(), &menu);
        QVERIFY(!t.app.screens.isLoaded("Titlefrm"));
        QCOMPARE(t.endings, 0);
    }

    // Every entry of the hubs and the menu's page sets: a drill answered, a page set
    // paged to its end and back, where Next Page and Previous Page are switched off.
    void everyEntry_data() {
        QTest::addColumn<int>("hub"); // -1: the menu's own entry
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<int>("pages"); // of a page set; 0 for the other screens
        const char* activities[2][2] = {{"tibpuz", "triangular"}, {"decimals", "decmult"}};
        const int notes[2] = {3, 2};
        for (int h = 0; h < 2; ++h) {
            QTest::addRow("%d quiz", h) << h << int(Hub::MultipleChoice) << "multiple" << 0;
            QTest::addRow("%d key facts", h) << h << int(Hub::KeyFacts) << "teacher" << 3;
            QTest::addRow("%d notes", h) << h << int(Hub::TeachersNotes) << "teacher" << notes[h];
            QTest::addRow("%d first", h) << h << int(Hub::FirstActivity) << activities[h][0] << 0;
            QTest::addRow("%d second", h) << h << int(Hub::SecondActivity) << activities[h][1] << 0;
        }
        QTest::newRow("guide") << -1 << int(Intro0::Guide) << "guide" << 5;
        QTest::newRow("acknowledgments") << -1 << int(Intro0::Acknowledgments) << "teacher" << 0;
    }
    void everyEntry() {
        QFETCH(int, hub);
        QFETCH(int, entry);
        QFETCH(QString, screen);
        QFETCH(int, pages);
        auto t = withPages();
        Intro0& menu = openMenu(*t, ByKeys);
        Hub* h = nullptr;
        if (hub >= 0) {
            QVERIFY(pressOn(menu.Label2[hub == 0 ? Intro0::Tiberan : Intro0::Malten]));
            h = hub == 0 ? &t->app.screens.tiberan() : &t->app.screens.malten();
        }
        QVERIFY(pressOn(h ? h->Label3[entry] : menu.Label2[entry]));
        QCOMPARE(front(), t->app.screens.find(screen));
        QVERIFY(t->app.messages.history().empty());
        if (auto* d = qobject_cast<DrillFrame*>(front())) { // Enter presses as Space does
            QVERIFY(tabTo(d->Label3[0]));
            key(Qt::Key_Return);
            const bool right = d->matchesKey(d->Label3[0]->text());
            QCOMPARE(d->Label1->text(), right ? DrillFrame::RightText : DrillFrame::WrongText);
            QVERIFY(pressOn(d->cmdsoln) && d->Timer1.isActive());
            QVERIFY(pressOn(d->cmdgo) && !d->Timer1.isActive());
        }
        if (pages > 0) {
            auto* v = static_cast<PageViewer*>(t->app.screens.find(screen));
            for (int n = 2; n <= pages; ++n)
                QVERIFY(pressOn(v->Label3[PageViewer::NextPage]));
            QCOMPARE(v->Label1->text(), QStringLiteral("Page %1 of %1").arg(pages));
            QVERIFY(!v->Image1->pixmap().isNull());
            QVERIFY(!v->Label3[PageViewer::NextPage]->isEnabled());
            for (int n = 2; n <= pages; ++n)
                QVERIFY(pressOn(v->Label3[PageViewer::PreviousPage]));
            QCOMPARE(v->Label1->text(), QStringLiteral("Page 1 of %1").arg(pages));
            QVERIFY(!v->Label3[PageViewer::PreviousPage]->isEnabled());
        }
        QCOMPARE(escape(), h ? static_cast<QWidget*>(h) : &menu);
        QVERIFY(!t->app.screens.isLoaded(screen));
        if (h)
            QCOMPARE(escape(), &menu);
    }

    void theRiddleSolvedSixOutOfSix() {
        TestApp t;
        Tibpuz& p = shown(t.app.screens.tibpuz());
        QVERIFY(!p.keyHint->isVisible()); // no key shown until a key is used
        for (int i = 0; i < riddle::Slots; ++i) {
            QVERIFY(tabTo(p.Label2[i]));
            QVERIFY(p.keyHint->isVisible());
            key(Qt::Key_Space);
            QCOMPARE(p.carried(), std::optional<int>(i));
            // Up to the top row, across to the left, then to the tile's own frame.
            keys({Qt::Key_Up, Qt::Key_Up, Qt::Key_Left, Qt::Key_Left});
            for (int r = 0; r < 2; ++r)
                for (int c = 0; c < 3; ++c)
                    if (p.frameAt(r, c) == i)
                        for (int n = 0; n < c + r; ++n)
                            key(n < c ? Qt::Key_Right : Qt::Key_Down);
            key(Qt::Key_Space);
            QVERIFY(!p.carried());
            QCOMPARE(p.board().tile(i), p.board().answer(i).place);
        }
        QVERIFY(pressOn(p.Label3[Tibpuz::CheckScore]));
        QCOMPARE(p.Label5->text(), QStringLiteral("6 out of 6 correct"));

        // A tile carried home and one put back with Escape; then Start Again.
        QVERIFY(tabTo(p.Label2[0]));
        keys({Qt::Key_Space, Qt::Key_Home, Qt::Key_Return});
        QCOMPARE(p.board().tile(0), p.board().home(0).place);
        QVERIFY(tabTo(p.Label2[1]));
        keys({Qt::Key_Space, Qt::Key_Down, Qt::Key_Escape});
        QCOMPARE(p.board().tile(1), p.board().answer(1).place);
        QVERIFY(p.isVisible()); // Escape put the tile back and left the screen open
        QVERIFY(pressOn(p.Label3[Tibpuz::StartAgain]));
        QCOMPARE(p.board().tile(1), p.board().home(1).place);
        key(Qt::Key_Escape);
        QVERIFY(!t.app.screens.isLoaded("tibpuz"));
    }

    // The guide by keys. A page that cannot be read is said once and leaves its place
    // empty; the viewer goes on. Print on page 3 prints the print copy, at its own size,
    // 1000 twips in; with no printer the pupil is told and stays.
    void theGuidePagedAndPrinted() {
        auto t = withPages();
        t->folder.write("wmf/guide2.wmf", "GIF89a not a metafile at all");
        Intro0& menu = openMenu(*t, ByKeys);
        QVERIFY(pressOn(menu.Label2[Intro0::Guide]));
        Guide& g = t->app.screens.guide();
        QVERIFY(pressOn(g.Label3[PageViewer::NextPage]));
        QCOMPARE(g.Label1->text(), QStringLiteral("Page 2 of 5"));
        QVERIFY(g.Image1->pixmap().isNull());
        QVERIFY(pressOn(g.Label3[PageViewer::PrintButton])); // nothing to print: said, not done
        QVERIFY(t->printouts.empty());
        QCOMPARE(t->app.messages.history().size(), std::size_t(2));
        QCOMPARE(t->lastMessage(), PageViewer::PageMissing);
        QVERIFY(pressOn(g.Label3[PageViewer::NextPage]));
        QVERIFY(pressOn(g.Label3[PageViewer::PrintButton]));
        QCOMPARE(t->printouts.size(), std::size_t(1));
        const auto& ops = t->printouts[0];
        QCOMPARE(ops.size(), std::size_t(3)); // an empty line, the page, the end
        QCOMPARE(ops[0].text, QString());
        QCOMPARE(ops[1].kind, RecordingPrinter::Kind::Picture);
        QCOMPARE(ops[1].at, QPointF(1000, 1000));
        const Metafile copy = Metafile::load("wmf2\\guide3.wmf");
        const Metafile screen = Metafile::load("wmf\\guide3.wmf");
        QCOMPARE(ops[1].size, copy.sizeTwips());
        const QImage printed = drawn(ops[1].size, ops[1].draw);
        QCOMPARE(printed, drawn(ops[1].size, std::bind_front(&Metafile::play, &copy)));
        QVERIFY(printed != drawn(ops[1].size, std::bind_front(&Metafile::play, &screen)));
        t->app.printers.setOpener([](const QString&) -> std::unique_ptr<Printer> {
            throw PrintError("no default printer");
        });
        key(Qt::Key_Space);
        QCOMPARE(t->lastMessage(), QStringLiteral("There was a problem printing to your printer."));
        QVERIFY(g.isVisible());
        QCOMPARE(escape(), &menu);
        QVERIFY(pressOn(menu.Label2[Intro0::WebAddress]));
        QCOMPARE(t->opened.size(), std::size_t(1));
    }

    void aWorksheetWrittenSavedRunEditedAndDeleted() {
        auto t = withPages();
        Intro0& menu = openMenu(*t, ByKeys);
        QVERIFY(pressOn(menu.Label2[Intro0::Wizard]));
        Wizard& w = t->app.screens.wizard();
        QCOMPARE(QApplication::focusWidget(), w.Text1);
        type(QStringLiteral("Keys, week 1"));
        for (int i = 0; i < 50; ++i) { // each question, then its four choices
            key(Qt::Key_Tab);
            type(i % 5 ? QString::number(i) : QStringLiteral("What is %1 and 1?").arg(i / 5));
        }
        for (int i = 0; i < 40; ++i) { // the answer boxes: B of every question
            key(Qt::Key_Tab);
            if (i % 4 == 1)
                key(Qt::Key_Space);
        }
        QVERIFY(w.Check1[37]->isChecked());
        QVERIFY(escape() == &w); // nothing typed is thrown away by Escape
        QVERIFY(pressOn(w.Label3[Wizard::SaveButton]));
        QCOMPARE(t->lastMessage(), QStringLiteral("Your worksheet has been saved."));
        QCOMPARE(escape(), &menu);

        QVERIFY(pressOn(menu.Label2[Intro0::Catalogue]));
        Worksheets& ws = t->app.screens.worksheets();
        QVERIFY(pressOn(ws.Label2[1])); // run
        QCOMPARE(t->app.screens.multiple().Label6->text(), QStringLiteral("Keys, week 1"));
        QCOMPARE(escape(), &ws);
        QVERIFY(pressOn(ws.Check1)); // edit
        QVERIFY(pressOn(ws.Label2[1]));
        QCOMPARE(t->app.screens.wizard().Text2[9]->text(), QStringLiteral("What is 9 and 1?"));
        QCOMPARE(escape(), &ws);
        QVERIFY(pressOn(ws.Check2)); // delete
        QVERIFY(pressOn(ws.Label2[1]));
        QCOMPARE(t->folder.read("multiple/track.txt"), QByteArray(" 0 \r\n"));
        QCOMPARE(escape(), &t->app.screens.intro0());
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        m_mouse += dynamic_cast<QMouseEvent*>(e) != nullptr;
        return false;
    }

private:
    int m_mouse = 0;
};

LUMORA_TEST(KeyboardTest)
#include "tst_navigation.moc"
