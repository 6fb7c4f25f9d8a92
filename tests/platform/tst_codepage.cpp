#include "platform/codepage.h"
#include "testing.h"

#include <QtTest>

using namespace lumora;

class CodePageTest : public QObject {
    Q_OBJECT
private slots:
    void bothWays_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("Tiberan, 84") << QStringLiteral("Tiberan, 84");
        QTest::newRow("latin-1 range")
            << QByteArray("caf\xe9 \xbd \xd7") << QStringLiteral("café ½ ×");
        QTest::newRow("euro and quotes")
            << QByteArray("\x80 \x93x\x94 \x85") << QStringLiteral("€ “x” …");
        QTest::newRow("dashes, OE, Y diaeresis")
            << QByteArray("\x96\x97\x8c\x9f") << QStringLiteral("–—Œ\u0178");
    }
    void bothWays() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(cp1252::decode(bytes), text);
        const auto back = cp1252::encode(text);
        QVERIFY(back.has_value());
        QCOMPARE(*back, bytes);
    }

    void everyByteSurvivesTheRoundTrip() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        const QString text = cp1252::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(*cp1252::encode(text), all);
    }

    void refusesWhatItCannotHold_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("greek") << QStringLiteral("π r²");
        QTest::newRow("cjk") << QStringLiteral("数学");
        QTest::newRow("emoji") << QStringLiteral("well done \U0001F600");
        QTest::newRow("minus sign") << QStringLiteral("5 \u2212 3");
    }
    void refusesWhatItCannotHold() {
        QFETCH(QString, text);
        QVERIFY(!cp1252::encode(text).has_value());
        QVERIFY(!cp1252::canEncode(text));
    }
};

LUMORA_TEST(CodePageTest)
#include "tst_codepage.moc"
