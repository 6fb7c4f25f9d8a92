#include "platform/messages.h"
#include "platform/pictures.h"
#include "platform/seqfile.h"
#include "platform/twips.h"
#include "platform/webopener.h"
#include "testing.h"

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <QtTest>

using namespace lumora;

class ServicesTest : public QObject {
    Q_OBJECT
private slots:
    void twipsBecomePixels_data() {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("screen width") << 12000.0 << 800;
        QTest::newRow("entry height") << 375.0 << 25;
        QTest::newRow("half a pixel rounds away") << 7.5 << 1;
        QTest::newRow("negative place") << -1200.0 << -80;
        QTest::newRow("negative half") << -7.5 << -1;
        QTest::newRow("below half") << 7.0 << 0;
    }
    void twipsBecomePixels() {
        QFETCH(double, twips);
        QFETCH(int, pixels);
        QCOMPARE(twipsToPixels(twips), pixels);
    }

    void geometryAndColours() {
        QWidget parent;
        QWidget child(&parent);
        setTwipsGeometry(&child, 360, 1920, 3075, 375);
        QCOMPARE(child.geometry(), QRect(24, 128, 205, 25));
        setBackground(&child, colours::ScreenBlue);
        QCOMPARE(background(&child), qRgb(39, 63, 137));
        QVERIFY(child.autoFillBackground());
    }

    void messagesGoToTheResponder() {
        Messages m;
        MessageRequest seen;
        m.setResponder([&](const MessageRequest& r) {
            seen = r;
            return MessageAnswer::Cancel;
        });
        QCOMPARE(m.show("Delete it?", MessageButtons::OkCancel, ""), MessageAnswer::Cancel);
        QCOMPARE(seen.text, QStringLiteral("Delete it?"));
        QCOMPARE(seen.title, QString());
        QCOMPARE(m.show("Saved."), MessageAnswer::Cancel);
        QCOMPARE(m.history().size(), std::size_t(2));
        QCOMPARE(m.history().back().title, QStringLiteral("Lumora"));
        QCOMPARE(m.history().back().buttons, MessageButtons::Ok);
    }

    void webAddressGoesToTheHandler() {
        WebOpener web;
        QUrl opened;
        web.setHandler([&](const QUrl& u) { opened = u; });
        web.open(QUrl("https://www.brenvale.example/"));
        QCOMPARE(opened, QUrl("https://www.brenvale.example/"));
    }

    void picturesLoadOrFailClearly() {
        testing::ScratchFolder dir;
        QImage img(30, 20, QImage::Format_RGB32);
        img.fill(Qt::red);
        QVERIFY(img.save(dir.path() + "/Images/a.jpg") ||
                (QDir().mkpath("Images") && img.save(dir.path() + "/Images/a.jpg")));
        QLabel box;
        loadPicture(&box, "images\\A.JPG", true);
        QCOMPARE(box.size(), QSize(30, 20));
        dir.write("Images/broken.jpg", "not a picture");
        QVERIFY_THROWS_EXCEPTION(FileError, loadPicture(&box, "Images\\broken.jpg"));
        QVERIFY_THROWS_EXCEPTION(FileError, loadPicture(&box, "Images\\missing.jpg"));
    }
};

LUMORA_TEST(ServicesTest)
#include "tst_services.moc"
