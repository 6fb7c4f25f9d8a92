#include "platform/numtext.h"
#include "testing.h"

#include <QtTest>

using namespace lumora;

class NumberTextTest : public QObject {
    Q_OBJECT
private slots:
    void signedNumbers_data() {
        QTest::addColumn<qlonglong>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("3") << 3LL << " 3";
        QTest::newRow("0") << 0LL << " 0";
        QTest::newRow("-7") << -7LL << "-7";
        QTest::newRow("1000") << 1000LL << " 1000";
    }
    void signedNumbers() {
        QFETCH(qlonglong, value);
        QFETCH(QString, text);
        QCOMPARE(signedText(value), text);
    }

    void doubles_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 28.0 << "28";
        QTest::newRow("below one") << 0.21 << "0.21";
        QTest::newRow("product noise") << 0.3 * 0.7 << "0.21";
        QTest::newRow("sum noise") << 0.1 + 0.2 << "0.3";
        QTest::newRow("small, never exponent") << 0.00005 << "0.00005";
        QTest::newRow("tiny") << 5e-7 << "0.0000005";
        QTest::newRow("large, never exponent") << 1.5e16 << "15000000000000000";
        QTest::newRow("negative") << -4.57 << "-4.57";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("fifteen digits") << 1.0 / 3.0 << "0.333333333333333";
        QTest::newRow("rounds up a nine run") << 0.9999999999999999 << "1";
    }
    void doubles() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(numberText(value), text);
    }

    void singles_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("457/1000") << 457.0f / 1000.0f << "0.457";
        QTest::newRow("7/10") << 7.0f / 10.0f << "0.7";
        QTest::newRow("1/3") << 1.0f / 3.0f << "0.3333333";
        QTest::newRow("5/1000000") << 5.0f / 1000000.0f << "0.000005";
        QTest::newRow("999*10") << 9990.0f << "9990";
    }
    void singles() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(singleNumberText(value), text);
    }

    void patterns_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::newRow("0.7") << 0.7 << "0.0#"
                             << "0.7";
        QTest::newRow("2.0") << 2.0 << "0.0#"
                             << "2.0";
        QTest::newRow("0.05") << 0.05 << "0.0#"
                              << "0.05";
        QTest::newRow("0.057 rounds to two places") << 0.057 << "0.0#"
                                                    << "0.06";
        QTest::newRow("halfway goes up") << 0.015 << "0.0#"
                                         << "0.02";
        QTest::newRow("0.995 carries") << 0.995 << "0.0#"
                                       << "1.0";
        QTest::newRow("0.004 rounds to nothing") << 0.004 << "0.0#"
                                                 << "0.0";
        QTest::newRow("4.57") << 4.57 << "0.0######"
                              << "4.57";
        QTest::newRow("0.007") << 0.007 << "0.0######"
                               << "0.007";
        QTest::newRow("4.0") << 4.0 << "0.0######"
                             << "4.0";
        QTest::newRow("0.00005") << 0.00005 << "0.0######"
                                 << "0.00005";
        QTest::newRow("99.9") << 99.9 << "0.0######"
                              << "99.9";
    }
    void patterns() {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QCOMPARE(formatDecimal(value, pattern), text);
    }

    void parsing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("whole") << "28" << true << 28.0;
        QTest::newRow("decimal") << "0.25" << true << 0.25;
        QTest::newRow("blanks") << " 6 " << true << 6.0;
        QTest::newRow("negative") << "-1.5" << true << -1.5;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("letters") << "six" << false << 0.0;
        QTest::newRow("exponent") << "1e3" << false << 0.0;
        QTest::newRow("two points") << "1.2.3" << false << 0.0;
    }
    void parsing() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        bool good = !ok;
        QCOMPARE(parseNumber(text, &good), value);
        QCOMPARE(good, ok);
    }
};

LUMORA_TEST(NumberTextTest)
#include "tst_numtext.moc"
