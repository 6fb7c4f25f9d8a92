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
    void writing() {
        const struct {
            const char *tag, *pattern;
            double value;
            const char* text;
        } rows[] = {{"whole", "", 28.0, "28"},
                    {"product noise", "", 0.3 * 0.7, "0.21"},
                    {"small, never exponent", "", 0.00005, "0.00005"},
                    {"large, never exponent", "", 1.5e16, "15000000000000000"},
                    {"negative", "", -4.57, "-4.57"},
                    {"negative zero", "", -0.0, "0"},
                    {"fifteen digits", "", 1.0 / 3.0, "0.333333333333333"},
                    {"rounds up a nine run", "", 0.9999999999999999, "1"},
                    {"single 457/1000", "single", double(457.0f / 1000.0f), "0.457"},
                    {"single 1/3", "single", double(1.0f / 3.0f), "0.3333333"},
                    {"signed 3", "signed", 3.0, " 3"},
                    {"signed -7", "signed", -7.0, "-7"},
                    {"2.0", "0.0#", 2.0, "2.0"},
                    {"0.057 rounds to two places", "0.0#", 0.057, "0.06"},
                    {"halfway goes up", "0.0#", 0.015, "0.02"},
                    {"0.995 carries", "0.0#", 0.995, "1.0"},
                    {"0.004 rounds to nothing", "0.0#", 0.004, "0.0"},
                    {"4.0", "0.0######", 4.0, "4.0"},
                    {"0.00005", "0.0######", 0.00005, "0.00005"}};
        for (const auto& r : rows) {
            const QString pattern = r.pattern;
            const QString written = pattern.isEmpty()     ? numberText(r.value)
                                    : pattern == "single" ? singleNumberText(float(r.value))
                                    : pattern == "signed" ? signedText(qlonglong(r.value))
                                                          : formatDecimal(r.value, pattern);
            QVERIFY2(written == r.text, qPrintable(QString(r.tag) + ": " + written));
        }
    }

    void parsing() {
        const struct {
            const char *tag, *text;
            bool ok;
            double value;
        } rows[] = {{"decimal", "0.25", true, 0.25},    {"blanks", " 6 ", true, 6.0},
                    {"negative", "-1.5", true, -1.5},   {"empty", "", false, 0.0},
                    {"letters", "six", false, 0.0},     {"exponent", "1e3", false, 0.0},
                    {"two points", "1.2.3", false, 0.0}};
        for (const auto& r : rows) {
            bool good = !r.ok;
            QVERIFY2(parseNumber(r.text, &good) == r.value && good == r.ok, r.tag);
        }
    }
};

LUMORA_TEST(NumberTextTest)
#include "tst_numtext.moc"
