#include "navigation/grey.h"
#include "navigation/intro0.h"
#include "navigation/titlefrm.h"
#include "platform/twips.h"
#include "shell/buttonlabel.h"
#include "testapp.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void startsOnTheTitleScreenOverTheBackdrop() {
        TestApp t;
        startProgram(t.app);
        settle();
        Grey* grey = qobject_cast<Grey*>(t.app.screens.find("Grey"));
        QVERIFY(grey && grey->isVisible());
        QCOMPARE(background(grey), qRgb(48, 133, 214));
        const QRect display = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(grey->geometry(), display);

        Titlefrm& title = t.app.screens.titlefrm();
        QVERIFY(title.isVisible());
        QVERIFY(!title.usedFallback());
        QCOMPARE(title.windowTitle(), QStringLiteral(" "));
        QCOMPARE(background(&title), qRgb(192, 192, 192));
        QCOMPARE(title.size(), QSize(364, 438));
        // The outer window, frame included, stands centred.
        const QRect outer = title.frameGeometry();
        QVERIFY(outer.size() != title.size());
        QCOMPARE(outer.topLeft(), QPoint((display.width() - outer.width()) / 2,
                                         (display.height() - outer.height()) / 2));
        QCOMPARE(title.Command1->text(), QStringLiteral("OK"));
        QCOMPARE(title.Command2->text(), QStringLiteral("Exit"));
        QCOMPARE(title.Picture1->pixmap().size(), QSize(320, 240));
        QCOMPARE(foreground(title.Label4), qRgb(0, 0, 255));
        QVERIFY(!t.app.screens.isLoaded("intro0"));
    }

    void okGivesTheMenuAndExitConfirmationComesBack() {
        TestApp t;
        startProgram(t.app);
        QTest::mouseClick(t.app.screens.titlefrm().Command1, Qt::LeftButton);
        settle();
        QVERIFY(!t.app.screens.isLoaded("Titlefrm"));
        Intro0* menu = qobject_cast<Intro0*>(t.app.screens.find("intro0"));
        QVERIFY(menu && menu->isVisible());

        // Leave a mark on the menu, then ask to exit and cancel.
        moveMouse(menu->Label2[Intro0::Tiberan]);
        moveMouse(menu, QPoint(5, 500));
        moveMouse(menu->Label2[Intro0::Malten]);
        clickMouse(menu->Label2[Intro0::Exit]);
        Titlefrm* confirm = qobject_cast<Titlefrm*>(t.app.screens.find("Titlefrm"));
        QVERIFY(confirm && confirm->isVisible());
        QCOMPARE(confirm->Command1->text(), QStringLiteral("Cancel"));
        QCOMPARE(confirm->Command2->text(), QStringLiteral("Exit"));
        QCOMPARE(t.app.screens.find("intro0"), menu); // still loaded behind

        QTest::mouseClick(confirm->Command1, Qt::LeftButton);
        settle();
        QVERIFY(!t.app.screens.isLoaded("Titlefrm"));
        QCOMPARE(t.app.screens.find("intro0"), menu);
        QVERIFY(menu->isVisible());
        QVERIFY(menu->Label2[Intro0::Malten]->isOpaque());
        QVERIFY(!menu->Label2[Intro0::Tiberan]->isOpaque());
        QCOMPARE(t.endings, 0);

        // A second confirmation starts from the title screen's design again.
        clickMouse(menu->Label2[Intro0::Exit]);
        QCOMPARE(t.app.screens.titlefrm().Command1->text(), QStringLiteral("Cancel"));
        QTest::mouseClick(t.app.screens.titlefrm().Command2, Qt::LeftButton);
        settle();
        QCOMPARE(t.endings, 1);
        QVERIFY(!t.app.screens.isLoaded("intro0"));
        QVERIFY(!t.app.screens.isLoaded("Grey"));
    }

    void exitAtStartEndsAtOnce() {
        TestApp t;
        startProgram(t.app);
        QTest::mouseClick(t.app.screens.titlefrm().Command2, Qt::LeftButton);
        settle();
        QCOMPARE(t.endings, 1);
        QVERIFY(t.app.messages.history().empty()); // no question asked
        QVERIFY(!t.app.screens.isLoaded("Titlefrm"));
    }

    void closingAShellWindowFromItsFrameEnds_data() {
        QTest::addColumn<QString>("which");
        QTest::newRow("title") << "Titlefrm";
        QTest::newRow("menu") << "intro0";
        QTest::newRow("backdrop") << "Grey";
    }
    void closingAShellWindowFromItsFrameEnds() {
        QFETCH(QString, which);
        TestApp t;
        startProgram(t.app);
        if (which == "intro0")
            QTest::mouseClick(t.app.screens.titlefrm().Command1, Qt::LeftButton);
        settle();
        t.app.screens.find(which)->close();
        settle();
        QCOMPARE(t.endings, 1);
        QVERIFY(!t.app.screens.isLoaded("Grey"));
    }

    void missingPortraitFallsBackToAFittedTitleScreen() {
        TestApp t({"multiple/track.txt"});
        startProgram(t.app);
        settle();
        Titlefrm& title = t.app.screens.titlefrm();
        QVERIFY(title.usedFallback());
        QVERIFY(title.isVisible());
        QCOMPARE(title.windowTitle(), QStringLiteral("Lumora"));
        QCOMPARE(title.size(), QSize(800, 600));
        QCOMPARE(background(&title), qRgb(39, 63, 137));
        QCOMPARE(background(title.Picture1), qRgb(49, 135, 214));
        QVERIFY(title.Picture1->pixmap().isNull());
        // The program goes on: OK still opens the menu.
        QTest::mouseClick(title.Command1, Qt::LeftButton);
        settle();
        QVERIFY(t.app.screens.isLoaded("intro0"));
    }
};

LUMORA_TEST(StartupTest)
#include "tst_startup.moc"
