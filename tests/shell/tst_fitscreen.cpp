#include "platform/twips.h"
#include "shell/fitscreen.h"
#include "testing.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>
#include <QtTest>

using namespace lumora;

class FitScreenTest : public QObject {
    Q_OBJECT
private slots:
    void placement_data() {
        QTest::addColumn<QSizeF>("display");
        QTest::addColumn<QSizeF>("window");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        const QSizeF bare(ScreenWidth, ScreenHeight);
        QTest::newRow("1024 x 768") << QSizeF(15360, 11520) << bare << 1680.0 << 1260.0;
        QTest::newRow("640 x 480 goes off the display")
            << QSizeF(9600, 7200) << bare << -1200.0 << -900.0;
        QTest::newRow("800 x 600 exactly") << QSizeF(12000, 9000) << bare << 0.0 << 0.0;
        QTest::newRow("odd twips keep their half") << QSizeF(12015, 9015) << bare << 7.5 << 7.5;
        // A frame of 4 pixels and a title bar of 30: the outer window is centred.
        QTest::newRow("framed") << QSizeF(15360, 11520) << QSizeF(12120, 9510) << 1620.0 << 1005.0;
    }
    void placement() {
        QFETCH(QSizeF, display);
        QFETCH(QSizeF, window);
        QFETCH(double, left);
        QFETCH(double, top);
        const Placement p = centredPlacement(display, window);
        QCOMPARE(p.left, static_cast<float>(left));
        QCOMPARE(p.top, static_cast<float>(top));
    }

    void fitsAScreenWithAndWithoutAPictureBox() {
        for (bool withPicture : {false, true}) {
            QWidget screen;
            QLabel* picture = nullptr;
            if (withPicture) {
                picture = new QLabel(&screen);
                picture->setObjectName("Picture1");
            }
            fitscreen(screen);
            QCOMPARE(screen.windowTitle(), QStringLiteral("Lumora"));
            QCOMPARE(background(&screen), qRgb(39, 63, 137));
            QCOMPARE(screen.size(), QSize(800, 600));
            if (picture)
                QCOMPARE(background(picture), qRgb(49, 135, 214));
            const QSize display = QGuiApplication::primaryScreen()->geometry().size();
            QCOMPARE(screen.pos(),
                     QPoint((display.width() - 800) / 2, (display.height() - 600) / 2));
            QVERIFY(!QGuiApplication::overrideCursor()); // the hourglass is gone again
        }
    }
};

LUMORA_TEST(FitScreenTest)
#include "tst_fitscreen.moc"
