#include "activities/generators.h"
#include "testing.h"

#include <QRegularExpression>
#include <QtTest>
#include <set>

using namespace lumora;
using namespace lumora::drills;

namespace {

// A source that plays the given draws, given as (k, n) for Int(Rnd * n) = k, then
// forty shuffle draws that leave every entry where calculate put it.
ScriptedRandom script(std::initializer_list<std::pair<int, int>> draws) {
    ScriptedRandom r;
    for (auto [k, n] : draws)
        r.push(drawFor(k, n));
    for (int i = 0; i < ShufflePasses * Choices; ++i)
        r.push(drawFor(i % Choices, Choices));
    return r;
}

QStringList words(const char* s) { return QString::fromLatin1(s).split(' '); }
QStringList texts(const ChoiceTexts& t) { return {t.begin(), t.end()}; }
std::size_t distinct(const ChoiceTexts& t) { return std::set<QString>(t.begin(), t.end()).size(); }
int count(const ChoiceTexts& t, const QString& s) { return int(std::count(t.begin(), t.end(), s)); }

constexpr int ManyProblems = 4000;

} // namespace

class GeneratorsTest : public QObject {
    Q_OBJECT
private slots:
    void shuffleSwapsInDrawOrder() {
        // First pass: 0 swaps with 3, 1 with 2, then 2 and 3 with themselves.
        ScriptedRandom r;
        for (int i = 0; i < ShufflePasses * Choices; ++i)
            r.push(drawFor(i < 4 ? std::array{3, 2, 2, 3}[i] : i % Choices, Choices));
        std::array<int, Choices> a{10, 11, 12, 13};
        shuffleChoices(a, r);
        QCOMPARE(a, (std::array<int, Choices>{13, 12, 11, 10}));
        QCOMPARE(r.remaining(), std::size_t(0));
    }

    void triangular_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QStringList>("entries"); // answer, triangle before, n², (n-1)²
        QTest::newRow("7") << 7 << words("28 21 49 36");
        QTest::newRow("21") << 21 << words("231 210 441 400");
        QTest::newRow("100") << 100 << words("5050 4950 10000 9801");
    }
    void triangular() {
        QFETCH(int, n);
        QFETCH(QStringList, entries);
        ScriptedRandom r = script({{n - 7, 94}});
        const TriangularProblem p = triangularProblem(r);
        QCOMPARE(r.reseeds(), 1);
        QCOMPARE(r.remaining(), std::size_t(0));
        // Always "th", whatever the last digit.
        QCOMPARE(p.question, QStringLiteral("What is the %1th triangular number?").arg(n));
        QCOMPARE(texts(p.boxTexts()), entries);
        for (int i = 0; i < Choices; ++i)
            QCOMPARE(matchesTriangular(entries[i], p.key), i == 0);
        QVERIFY(matchesTriangular(entries[0] + ".0", p.key)); // read as a number
    }

    void decmult_data() {
        QTest::addColumn<QList<int>>("draws"); // places of each operand, then k of each
        QTest::addColumn<QString>("sum");
        QTest::addColumn<QStringList>("entries");
        // clang-format off
        QTest::newRow("s = 2") << QList{1, 1, 3, 7} << "0.3 x 0.7" << words("0.21 0.021 0.0021 0.00021");
        QTest::newRow("s = 3") << QList{2, 1, 25, 4} << "0.25 x 0.4" << words("0.1 0.01 0.001 1");
        QTest::newRow("s = 4") << QList{2, 2, 25, 12} << "0.25 x 0.12" << words("0.03 0.003 3 0.3");
        QTest::newRow("whole product") << QList{1, 1, 20, 35} << "2.0 x 3.5" << words("7 0.7 0.07 0.007");
        QTest::newRow("s = 5, shown rounded") << QList{3, 2, 57, 25} << "0.06 x 0.25" << words("0.015 15 1.5 0.15");
        QTest::newRow("three places, s = 4") << QList{3, 1, 57, 5} << "0.06 x 0.5" << words("0.03 0.003 3 0.3");
        QTest::newRow("half a hundredth up") << QList{3, 1, 5, 2} << "0.01 x 0.2" << words("0.002 0.0002 0.2 0.02");
        QTest::newRow("1 thousandth") << QList{3, 2, 1, 25} << "0.0 x 0.25" << words("0 0 0 0");
        QTest::newRow("4 thousandths") << QList{3, 1, 4, 9} << "0.0 x 0.9" << words("0 0 0 0");
        QTest::newRow("no exponent form") << QList{1, 1, 1, 1} << "0.1 x 0.1" << words("0.01 0.001 0.0001 0.00001");
        // clang-format on
    }
    void decmult() {
        QFETCH(QList<int>, draws);
        QFETCH(QString, sum);
        QFETCH(QStringList, entries);
        ScriptedRandom r =
            script({{draws[0] - 1, 3}, {draws[1] - 1, 2}, {draws[2] - 1, 99}, {draws[3] - 1, 99}});
        const DecmultProblem p = decmultProblem(r);
        QCOMPARE(r.reseeds(), 1);
        QCOMPARE(r.remaining(), std::size_t(0));
        QCOMPARE(p.sum, sum);
        QCOMPARE(texts(p.choices), entries);
        QCOMPARE(p.key, entries[0]);
    }

    void decimals_data() {
        QTest::addColumn<int>("numerator");
        QTest::addColumn<int>("power");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("457/100") << 457 << 2 << words("4.57 45.7 0.457 0.0457");
        QTest::newRow("7/1000") << 7 << 3 << words("0.007 0.7 0.07 0.0007");
        QTest::newRow("1/10000") << 1 << 4 << words("0.0001 0.1 0.01 0.001");
        QTest::newRow("5/100000") << 5 << 5 << words("0.00005 0.05 0.005 0.0005");
        QTest::newRow("999/10") << 999 << 1 << words("99.9 9.99 0.999 0.0999");
        QTest::newRow("10/10") << 10 << 1 << words("1.0 0.1 0.01 0.001");
        QTest::newRow("400/100") << 400 << 2 << words("4.0 40 0.4 0.04");
    }
    void decimals() {
        QFETCH(int, numerator);
        QFETCH(int, power);
        QFETCH(QStringList, entries);
        ScriptedRandom r = script({{power - 1, 5}, {numerator - 1, 999}});
        const DecimalsProblem p = decimalsProblem(r);
        QCOMPARE(r.reseeds(), 1);
        QCOMPARE(r.remaining(), std::size_t(0));
        QCOMPARE(p.numeratorText, QString::number(numerator));
        QCOMPARE(p.denominatorText, "1" + QString(power, '0'));
        QCOMPARE(texts(p.choices), entries);
        QCOMPARE(p.key, entries[0]);
    }

    // The real generator, over many problems.
    void overManyProblems() {
        TimeOfDayRandom random;
        std::set<int> ns, places0, places1, powers;
        const QRegularExpression digits(QStringLiteral("^[1-9][0-9]*$"));
        const QRegularExpression operand(QStringLiteral("^[0-9]\\.[0-9]{1,2}$"));
        for (int i = 0; i < ManyProblems; ++i) {
            const TriangularProblem t = triangularProblem(random);
            ns.insert(t.n);
            QCOMPARE(int(t.key), t.n * (t.n + 1) / 2);
            const ChoiceTexts boxes = t.boxTexts();
            QCOMPARE(distinct(boxes), std::size_t(4));
            QCOMPARE(count(boxes, QString::number(t.key)), 1);
            for (const QString& b : boxes)
                QVERIFY2(digits.match(b).hasMatch(), qPrintable(b));

            const DecmultProblem m = decmultProblem(random);
            places0.insert(m.places[0]);
            places1.insert(m.places[1]);
            for (const QString& o : m.operands)
                QVERIFY2(operand.match(o).hasMatch(), qPrintable(o));
            if (m.product != 0) {
                QCOMPARE(distinct(m.choices), std::size_t(4));
                QCOMPARE(count(m.choices, m.key), 1);
            }
            for (const QString& c : m.choices)
                QVERIFY2(!c.contains('e'), qPrintable(c));

            const DecimalsProblem d = decimalsProblem(random);
            powers.insert(d.power);
            QVERIFY(d.numerator >= 1 && d.numerator <= 999);
            QCOMPARE(distinct(d.choices), std::size_t(4));
            QCOMPARE(count(d.choices, d.key), 1);
            for (const QString& c : d.choices) // only the answer may end in ".0"
                QVERIFY2(!c.contains('e') && (c == d.key || !c.endsWith(".0")), qPrintable(c));
        }
        QCOMPARE(ns.size(), std::size_t(94));
        QCOMPARE(*ns.begin(), 7);
        QCOMPARE(*ns.rbegin(), 100);
        QCOMPARE(places0, (std::set<int>{1, 2, 3}));
        QCOMPARE(places1, (std::set<int>{1, 2}));
        QCOMPARE(powers, (std::set<int>{1, 2, 3, 4, 5}));
    }
};

LUMORA_TEST(GeneratorsTest)
#include "tst_generators.moc"
