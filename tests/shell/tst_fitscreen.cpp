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
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::newRow("1024 x 768") << QSizeF(15360, 11520) << 1680.0 << 1260.0;
        QTest::newRow("640 x 480 goes off the display") << QSizeF(9600, 7200) << -1200.0 << -900.0;
        QTest::newRow("800 x 600 exactly") << QSizeF(12000, 9000) << 0.0 << 0.0;
        QTest::newRow("odd twips keep their half") << QSizeF(12015, 9015) << 7.5 << 7.5;
    }
    void placement() {
        QFETCH(QSizeF, display);
        QFETCH(double, left);
        QFETCH(double, top);
        const Placement p = centredPlacement(display, {ScreenWidth, ScreenHeight});
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
