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

namespace {

bool readDone(Intro0& menu) {
    return QTest::qWaitFor([&] { return !menu.Timer1.isActive(); }, 500);
}

QByteArray catalogueOf(int count, int titles) {
    QByteArray b = " " + QByteArray::number(count) + " \r\n";
    for (int i = 1; i <= titles; ++i)
        b += "Worksheet " + QByteArray::number(i) + "\r\n";
    return b;
}

} // namespace

class MenuTest : public QObject {
    Q_OBJECT
private slots:
    void entriesAsDesigned() {
        TestApp t;
        Intro0& menu = openMenu(t);
        QCOMPARE(menu.windowTitle(), QStringLiteral("Lumora"));
        QCOMPARE(menu.size(), QSize(800, 600));
        const QList<int> active = {1, 7, 12, 16, 17, 18, 19, 20};
        int count = 0;
        for (int i = 0; i < Intro0::EntryCount; ++i) {
            ButtonLabel* e = menu.Label2[i];
            if (i >= 13 && i <= 15) {
                QVERIFY(!e);
                continue;
            }
            QVERIFY2(e, qPrintable(QString::number(i)));
            ++count;
            QCOMPARE(e->objectName(), QStringLiteral("Label2(%1)").arg(i));
            QCOMPARE(e->isEnabled(), active.contains(i));
            QCOMPARE(e->palette().color(QPalette::Active, QPalette::WindowText).rgb(),
                     qRgb(255, 255, 0));
            QVERIFY(e->isOpaque());
            QVERIFY(e->font().bold());
            QCOMPARE(e->highlight(), i >= 17 ? qRgb(0, 0, 128) : qRgb(0, 0, 0));
            QVERIFY(!e->text().isEmpty());
        }
        QCOMPARE(count, 18);
        QCOMPARE(menu.Label2[1]->text(), QStringLiteral("Tiberan"));
        QCOMPARE(menu.Label2[7]->text(), QStringLiteral("Joris Malten"));
        QCOMPARE(menu.Label2[16]->text(), QStringLiteral("Exit"));
        QCOMPARE(menu.Label2[17]->text(), QStringLiteral("Multiple Choice Wizard"));
        QCOMPARE(menu.Label2[18]->text(), QStringLiteral("Worksheet Catalogue"));
        QCOMPARE(menu.Label2[19]->text(), QStringLiteral("Acknowledgments"));
        QCOMPARE(menu.Label2[20]->text(), QStringLiteral("Teacher's Guide"));

        // Two columns of six 3075 x 375 entries; Tiberan heads the left, Malten ends it.
        QMap<int, QList<int>> columns;
        for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}) {
            QCOMPARE(menu.Label2[i]->size(), QSize(205, 25));
            columns[menu.Label2[i]->x()].append(menu.Label2[i]->y());
        }
        QCOMPARE(columns.size(), 2);
        const QList<int> left = columns.first();
        QCOMPARE(left.size(), 6);
        QCOMPARE(menu.Label2[1]->x(), columns.firstKey());
        QCOMPARE(menu.Label2[1]->y(), *std::min_element(left.begin(), left.end()));
        QCOMPARE(menu.Label2[7]->y(), *std::max_element(left.begin(), left.end()));
        // Exit in the bottom right corner with the web address just left of it.
        QVERIFY(menu.Label2[16]->geometry().right() > 760 && menu.Label2[16]->y() > 540);
        QVERIFY(menu.Label2[12]->geometry().right() < menu.Label2[16]->x());
        QCOMPARE(menu.Image1->pixmap().size(), QSize(320, 240));
        QVERIFY(!menu.Image2->pixmap().isNull());
        QCOMPARE(background(menu.Frame1), qRgb(39, 63, 137));
    }

    void hoverHighlight() {
        TestApp t;
        Intro0& menu = openMenu(t);
        auto opaque = [&] {
            QList<int> out;
            for (int i = 0; i < Intro0::EntryCount; ++i) {
                if (menu.Label2[i] && menu.Label2[i]->isOpaque())
                    out << i;
            }
            return out;
        };
        const QList<int> all = opaque();
        QCOMPARE(all.size(), 18); // opaque until the first move over the background

        moveMouse(menu.Label2[Intro0::Wizard]);
        QCOMPARE(opaque(), all);
        moveMouse(&menu, QPoint(400, 520)); // empty background
        QCOMPARE(opaque(), QList<int>{});
        moveMouse(menu.Label2[Intro0::Guide]);
        QCOMPARE(opaque(), QList<int>{Intro0::Guide});
        moveMouse(menu.Label2[Intro0::Exit]);
        QCOMPARE(opaque(), (QList<int>{Intro0::Exit, Intro0::Guide}));
        moveMouse(menu.Image1); // over a picture is not over the background
        QCOMPARE(opaque(), (QList<int>{Intro0::Exit, Intro0::Guide}));
        moveMouse(&menu, menu.Label2[2]->geometry().center()); // an inactive entry
        QCOMPARE(opaque(), QList<int>{});
        QVERIFY(!menu.Label2[2]->isOpaque());
    }

    void inactiveEntriesDoNothing() {
        TestApp t;
        Intro0& menu = openMenu(t);
        for (int i : {0, 2, 3, 4, 5, 6, 8, 9, 10, 11})
            clickMouse(&menu, Qt::LeftButton, menu.Label2[i]->geometry().center());
        QVERIFY(t.opened.empty());
        QVERIFY(!t.app.screens.isLoaded("Titlefrm"));
        QVERIFY(menu.isVisible());
    }

    void webAddressOpensThePublishersPage() {
        TestApp t;
        Intro0& menu = openMenu(t);
        QCOMPARE(menu.Label2[Intro0::WebAddress]->font().family(), QStringLiteral("Arial"));
        clickMouse(menu.Label2[Intro0::WebAddress], Qt::RightButton);
        QVERIFY(t.opened.empty()); // only the left button clicks
        clickMouse(menu.Label2[Intro0::WebAddress]);
        QCOMPARE(t.opened.size(), std::size_t(1));
        QCOMPARE(t.opened[0], QUrl("https://www.brenvale.example/"));
        QVERIFY(menu.isVisible());
    }

    void readsTheCatalogueOnce_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("present");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("lastTitle"); // the last index filled with "Worksheet i"
        QTest::newRow("empty catalogue") << QByteArray(" 0 \r\n") << true << 0 << 0;
        QTest::newRow("three titles") << catalogueOf(3, 3) << true << 3 << 3;
        QTest::newRow("no file") << QByteArray() << false << 0 << 0;
        QTest::newRow("count not a number") << QByteArray("many\r\nA\r\n") << true << 0 << 0;
        // The count never passes the titles read: no entry is ever shown without its title.
        QTest::newRow("fewer titles than the count") << catalogueOf(5, 3) << true << 3 << 3;
        QTest::newRow("more than 1000") << catalogueOf(1005, 1005) << true << 1000 << 1000;
    }
    void readsTheCatalogueOnce() {
        QFETCH(QByteArray, file);
        QFETCH(bool, present);
        QFETCH(int, count);
        QFETCH(int, lastTitle);
        TestApp t({"Images/corvinus2.jpg", "Images/logo2.jpg"});
        if (present)
            t.folder.write("multiple/track.txt", file);
        Intro0& menu = openMenu(t);
        QVERIFY(readDone(menu));
        QVERIFY(t.app.messages.history().empty()); // stops quietly
        QCOMPARE(t.app.state.numworksheets, count);
        for (int i = 1; i <= lastTitle; ++i)
            QCOMPARE(t.app.state.worksheetname[i], QStringLiteral("Worksheet %1").arg(i));
        if (lastTitle < SharedState::MaxWorksheets)
            QVERIFY(t.app.state.worksheetname[lastTitle + 1].isEmpty());
        QVERIFY(menu.isVisible());

        // Once per load: a later change to the file is not read by this menu.
        t.folder.write("multiple/track.txt", catalogueOf(2, 2) + "x");
        QTest::qWait(20);
        QCOMPARE(t.app.state.numworksheets, count);
        // The file was released: it can be replaced at once.
        QFile f(t.folder.path() + "/multiple/track.txt");
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
};

LUMORA_TEST(MenuTest)
#include "tst_menu.moc"
