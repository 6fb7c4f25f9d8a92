#include "navigation/hub.h"
#include "navigation/intro0.h"
#include "navigation/titlefrm.h"
#include "platform/twips.h"
#include "shell/buttonlabel.h"
#include "testapp.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

class HubTest : public QObject {
    Q_OBJECT
private slots:
    void hubsAsDesigned_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("top");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("tiberan") << int(Intro0::Tiberan) << "tiberan"
                                 << "Tiberan" << 55
                                 << QStringList{
                                        "Multiple Choice",    "Tiberan's Life", "Exit",
                                        "Triangular Numbers", "Key Facts",      "Teacher's Notes"};
        QTest::newRow("malten") << int(Intro0::Malten) << "malten"
                                << "Joris Malten" << 108
                                << QStringList{
                                       "Multiple Choice",      "Decimals",  "Exit",
                                       "Multiplying Decimals", "Key Facts", "Teacher's Notes"};
    }
    void hubsAsDesigned() {
        QFETCH(int, entry);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(int, top);
        QFETCH(QStringList, buttons);
        TestApp t;
        Intro0& menu = openMenu(t);
        clickMouse(menu.Label2[entry]);
        auto* hub = qobject_cast<Hub*>(t.app.screens.find(name));
        QVERIFY(hub && hub->isVisible());
        QCOMPARE(hub->objectName(), name);
        QCOMPARE(background(hub), qRgb(0, 0, 0));
        QCOMPARE(hub->Label1->text(), caption);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(hub->Label3[i]->text(), buttons[i]);
            QCOMPARE(hub->Label3[i]->objectName(), QStringLiteral("Label3(%1)").arg(i));
        }
        // The bottom row: quiz, first activity, second activity, Exit.
        QVERIFY(hub->Label3[0]->x() < hub->Label3[1]->x());
        QVERIFY(hub->Label3[1]->x() < hub->Label3[3]->x());
        QVERIFY(hub->Label3[3]->x() < hub->Label3[2]->x());
        // The main picture is centred at its designed top.
        QVERIFY(!hub->Image1->pixmap().isNull());
        QCOMPARE(hub->Image1->y(), top);
        QCOMPARE(hub->Image1->x(), (800 - hub->Image1->width()) / 2);
        QCOMPARE(hub->Image2 != nullptr, name == "tiberan");
        if (hub->Image2)
            QCOMPARE(hub->Image2->pos(), QPoint(0, 48));

        // The highlight clears over the background, on both hubs.
        moveMouse(hub->Label3[Hub::KeyFacts]);
        moveMouse(hub, QPoint(790, 300));
        for (ButtonLabel* b : hub->Label3)
            QVERIFY(!b->isOpaque());

        // Exit: the menu as it was, the hub gone; opening it again loads it afresh.
        clickMouse(hub->Label3[Hub::ExitButton]);
        QVERIFY(!t.app.screens.isLoaded(name));
        QVERIFY(menu.isVisible());
        clickMouse(menu.Label2[entry]);
        Hub* again = qobject_cast<Hub*>(t.app.screens.find(name));
        QVERIFY(again && again->isVisible());
        QVERIFY(again->Label3[Hub::KeyFacts]->isOpaque());
    }

    void aMissingPictureLeavesTheHubUsable() {
        TestApp t({"multiple/track.txt", "multiple/Tiberan.txt"});
        Hub& hub = t.app.screens.tiberan();
        QVERIFY(hub.Image1->pixmap().isNull());
        hub.showInFront();
        clickMouse(hub.Label3[Hub::ExitButton]);
        QVERIFY(!t.app.screens.isLoaded("tiberan"));
    }
};

LUMORA_TEST(HubTest)
#include "tst_hub.moc"
