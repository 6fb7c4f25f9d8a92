// Every case runs as the environment gives the locale and again under two locales
// that write a decimal comma: number text must not change.
#include "activities/generators.h"
#include "platform/numtext.h"
#include "platform/random.h"
#include "testing.h"

#include <QProcess>
#include <QtTest>
#include <clocale>

using namespace lumora;

namespace {

// Draws that make each Int(Rnd * n) give k, then a shuffle that moves nothing.
ScriptedRandom script(std::initializer_list<std::pair<int, int>> draws) {
    ScriptedRandom r;
    for (auto [k, n] : draws)
        r.push(drawFor(k, n));
    for (int i = 0; i < drills::ShufflePasses * drills::Choices; ++i)
        r.push(drawFor(i % drills::Choices, drills::Choices));
    return r;
}

} // namespace

class NumberTextTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_locales;
    QByteArray m_previous;

private slots:
    void initTestCase_data() {
        QTest::addColumn<QByteArray>("locale");
        QTest::newRow("environment") << QByteArray();
        QTest::newRow("de_DE.UTF-8") << QByteArray("de_DE.UTF-8");
        QTest::newRow("fr_FR.UTF-8") << QByteArray("fr_FR.UTF-8");
    }
    void initTestCase() {
        // The locales are made in a scratch folder: the machine's own stay as they are.
        for (const char* name : {"de_DE", "fr_FR"})
            QProcess::execute("localedef", {"-i", name, "-f", "UTF-8",
                                            m_locales.filePath(QString(name) + ".UTF-8")});
        qputenv("LOCPATH", QFile::encodeName(m_locales.path()));
        m_previous = std::setlocale(LC_ALL, nullptr);
    }
    void init() {
        QFETCH_GLOBAL(QByteArray, locale);
        if (locale.isEmpty())
            return;
        QVERIFY2(std::setlocale(LC_ALL, locale.constData()),
                 "localedef (package locales) made no locale");
        QCOMPARE(std::localeconv()->decimal_point, ","); // the C library really writes commas
    }
    void cleanup() { std::setlocale(LC_ALL, m_previous.constData()); }
    void cleanupTestCase() { qunsetenv("LOCPATH"); }

    void drillsWritePointDecimals() {
        ScriptedRandom r = script({{0, 3}, {0, 2}, {2, 99}, {6, 99}});
        const drills::DecmultProblem sum = drills::decmultProblem(r);
        QCOMPARE(sum.sum, QStringLiteral("0.3 x 0.7"));
        QCOMPARE(sum.choices, (drills::ChoiceTexts{"0.21", "0.021", "0.0021", "0.00021"}));
        r = script({{1, 5}, {456, 999}});
        QCOMPARE(drills::decimalsProblem(r).choices,
                 (drills::ChoiceTexts{"4.57", "45.7", "0.457", "0.0457"}));
    }

    // pattern: "" numberText, "single" singleNumberText, "signed" signedText, else
    // formatDecimal with the pattern.
    void writing_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << "" << 28.0 << "28";
        QTest::newRow("product noise") << "" << 0.3 * 0.7 << "0.21";
        QTest::newRow("sum noise") << "" << 0.1 + 0.2 << "0.3";
        QTest::newRow("small, never exponent") << "" << 0.00005 << "0.00005";
        QTest::newRow("tiny") << "" << 5e-7 << "0.0000005";
        QTest::newRow("large, never exponent") << "" << 1.5e16 << "15000000000000000";
        QTest::newRow("negative") << "" << -4.57 << "-4.57";
        QTest::newRow("negative zero") << "" << -0.0 << "0";
        QTest::newRow("fifteen digits") << "" << 1.0 / 3.0 << "0.333333333333333";
        QTest::newRow("rounds up a nine run") << "" << 0.9999999999999999 << "1";
        QTest::newRow("single 457/1000") << "single" << double(457.0f / 1000.0f) << "0.457";
        QTest::newRow("single 1/3") << "single" << double(1.0f / 3.0f) << "0.3333333";
        QTest::newRow("single 5/1000000") << "single" << double(5.0f / 1000000.0f) << "0.000005";
        QTest::newRow("single 999*10") << "single" << 9990.0 << "9990";
        QTest::newRow("signed 3") << "signed" << 3.0 << " 3";
        QTest::newRow("signed 0") << "signed" << 0.0 << " 0";
        QTest::newRow("signed -7") << "signed" << -7.0 << "-7";
        QTest::newRow("0.7") << "0.0#" << 0.7 << "0.7";
        QTest::newRow("2.0") << "0.0#" << 2.0 << "2.0";
        QTest::newRow("0.057 rounds to two places") << "0.0#" << 0.057 << "0.06";
        QTest::newRow("halfway goes up") << "0.0#" << 0.015 << "0.02";
        QTest::newRow("0.995 carries") << "0.0#" << 0.995 << "1.0";
        QTest::newRow("0.004 rounds to nothing") << "0.0#" << 0.004 << "0.0";
        QTest::newRow("4.57") << "0.0######" << 4.57 << "4.57";
        QTest::newRow("4.0") << "0.0######" << 4.0 << "4.0";
        QTest::newRow("0.00005") << "0.0######" << 0.00005 << "0.00005";
        QTest::newRow("99.9") << "0.0######" << 99.9 << "99.9";
    }
    void writing() {
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QString, text);
        const QString written = pattern.isEmpty()     ? numberText(value)
                                : pattern == "single" ? singleNumberText(float(value))
                                : pattern == "signed" ? signedText(qlonglong(value))
                                                      : formatDecimal(value, pattern);
        QCOMPARE(written, text);
    }

    void parsing_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
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
