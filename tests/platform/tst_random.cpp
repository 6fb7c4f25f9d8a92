#include "platform/random.h"
#include "testing.h"

#include <QtTest>
#include <set>

using namespace lumora;

class RandomTest : public QObject {
    Q_OBJECT
private slots:
    void valuesStayInTheUnitInterval() {
        TimeOfDayRandom r(12345);
        std::set<int> slices;
        for (int i = 0; i < 20000; ++i) {
            const float v = r.rnd();
            QVERIFY(v >= 0.0f && v < 1.0f);
            slices.insert(static_cast<int>(intPart(v * 94)));
        }
        QCOMPARE(slices.size(), std::size_t(94)); // every slice of 94 is reached
    }

    void reseedingTwiceInOneTickStillDiffers() {
        TimeOfDayRandom r;
        r.randomize();
        const float a = r.rnd();
        r.randomize();
        const float b = r.rnd();
        QVERIFY(a != b);
    }

    void sameSeedSameSequence() {
        TimeOfDayRandom a(777), b(777);
        for (int i = 0; i < 10; ++i)
            QCOMPARE(a.rnd(), b.rnd());
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

    void scriptedDrawsReachEverySlice() {
        for (int n : {2, 3, 4, 94, 99, 999}) {
            for (int k : {0, n / 2, n - 1}) {
                ScriptedRandom r{drawFor(k, n)};
                QCOMPARE(intPart(r.rnd() * n), static_cast<long long>(k));
            }
        }
    }

    void scriptedSourceRefusesToRunDry() {
        ScriptedRandom r{0.5f};
        r.rnd();
        QVERIFY_THROWS_EXCEPTION(std::logic_error, r.rnd());
    }
};

LUMORA_TEST(RandomTest)
#include "tst_random.moc"
