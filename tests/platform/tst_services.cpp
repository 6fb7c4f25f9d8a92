// The small services every screen leans on: twips, pictures, random numbers, and
// the code page of the files.
#include "platform/codepage.h"
#include "platform/pictures.h"
#include "platform/random.h"
#include "platform/seqfile.h"
#include "platform/twips.h"
#include "testing.h"

#include <QImage>
#include <QLabel>
#include <QtTest>
#include <set>

using namespace lumora;

class ServicesTest : public QObject {
    Q_OBJECT
private slots:
    void twipsBecomePixels_data() {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("screen width") << 12000.0 << 800;
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

    void picturesLoadOrFailClearly() {
        testing::ScratchFolder dir;
        QImage img(30, 20, QImage::Format_RGB32);
        img.fill(Qt::red);
        QVERIFY(QDir().mkpath("Images") && img.save(dir.path() + "/Images/a.jpg"));
        QLabel box;
        loadPicture(&box, "images\\A.JPG", true);
        QCOMPARE(box.size(), QSize(30, 20));
        dir.write("Images/broken.jpg", "not a picture");
        QVERIFY_THROWS_EXCEPTION(FileError, loadPicture(&box, "Images\\broken.jpg"));
        QVERIFY_THROWS_EXCEPTION(FileError, loadPicture(&box, "Images\\missing.jpg"));
    }

    void randomValuesReachEverySliceAndReseedApart() {
        TimeOfDayRandom r(12345);
        std::set<int> slices;
        for (int i = 0; i < 20000; ++i) {
            const float v = r.rnd();
            QVERIFY(v >= 0.0f && v < 1.0f);
            slices.insert(static_cast<int>(intPart(v * 94)));
        }
        QCOMPARE(slices.size(), std::size_t(94));
        r.randomize();
        const float a = r.rnd();
        r.randomize(); // twice in one tick of the clock
        QVERIFY(a != r.rnd());
        for (int n : {2, 3, 4, 94, 99, 999}) {
            for (int k : {0, n / 2, n - 1}) {
                ScriptedRandom s{drawFor(k, n)};
                QCOMPARE(intPart(s.rnd() * n), static_cast<long long>(k));
            }
        }
    }

    void intAndCInt_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<qlonglong>("intValue");
        QTest::addColumn<int>("cintValue");
        QTest::newRow("2.5") << 2.5 << 2LL << 2;
        QTest::newRow("3.5") << 3.5 << 3LL << 4;
        QTest::newRow("-2.5") << -2.5 << -3LL << -2;
        QTest::newRow("0.49") << 0.49 << 0LL << 0;
        QTest::newRow("99.9999") << 99.9999 << 99LL << 100;
        QTest::newRow("-0.1") << -0.1 << -1LL << 0;
    }
    void intAndCInt() {
        QFETCH(double, x);
        QFETCH(qlonglong, intValue);
        QFETCH(int, cintValue);
        QCOMPARE(intPart(x), intValue);
        QCOMPARE(roundToEven(x), cintValue);
    }

    // Text the code page holds goes both ways; other text is refused.
    void codePage_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        QTest::newRow("every byte") << all << cp1252::decode(all);
        QTest::newRow("latin-1 range")
            << QByteArray("caf\xe9 \xbd \xd7") << QStringLiteral("café ½ ×");
        QTest::newRow("euro and quotes")
            << QByteArray("\x80 \x93x\x94 \x85") << QStringLiteral("€ “x” …");
        QTest::newRow("dashes, OE, Y diaeresis")
            << QByteArray("\x96\x97\x8c\x9f") << QStringLiteral("–—Œ\u0178");
        QTest::newRow("greek") << QByteArray() << QStringLiteral("π r²");
        QTest::newRow("cjk") << QByteArray() << QStringLiteral("数学");
        QTest::newRow("emoji") << QByteArray() << QStringLiteral("well done \U0001F600");
        QTest::newRow("minus sign") << QByteArray() << QStringLiteral("5 \u2212 3");
    }
    void codePage() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(cp1252::canEncode(text), !bytes.isEmpty());
        QCOMPARE(cp1252::encode(text).value_or(QByteArray()), bytes);
        if (!bytes.isEmpty())
            QCOMPARE(cp1252::decode(bytes), text);
    }
};

LUMORA_TEST(ServicesTest)
#include "tst_services.moc"
