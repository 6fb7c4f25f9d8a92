#include "activities/generators.h"

#include "platform/numtext.h"

#include <cmath>

namespace lumora::drills {

namespace {

// Int(Rnd * n): a whole number 0 .. n - 1. The product of a single and a small whole
// number is exact in double precision.
long long draw(RandomSource& random, int n) { return intPart(double(random.rnd()) * n); }

double powerOfTen(int p) { return std::pow(10.0, p); }

const QString TwoPlaces = QStringLiteral("0.0#");
const QString SevenPlaces = QStringLiteral("0.0######");

} // namespace

ChoiceTexts TriangularProblem::boxTexts() const {
    ChoiceTexts texts;
    for (int i = 0; i < Choices; ++i)
        texts[i] = QString::number(choices[i]);
    return texts;
}

TriangularProblem triangularProblem(RandomSource& random) {
    random.randomize();
    TriangularProblem p;
    p.n = roundToEven(double(draw(random, 94) + 7));
    p.question = QStringLiteral("What is the %1th triangular number?").arg(p.n);
    // n is at most 100, so every product fits 16 bits; n(n + 1) and (n - 1)n are even.
    const auto n = static_cast<qint16>(p.n);
    p.choices[0] = static_cast<qint16>(double(qint16(n * (n + 1))) / 2);
    p.choices[1] = static_cast<qint16>(double(qint16((n - 1) * n)) / 2);
    p.choices[2] = static_cast<qint16>(n * n);
    p.choices[3] = static_cast<qint16>((n - 1) * (n - 1));
    p.key = p.choices[0];
    shuffleChoices(p.choices, random);
    return p;
}

bool matchesTriangular(const QString& caption, qint16 key) {
    bool ok = false;
    const double value = parseNumber(caption, &ok);
    return ok && value == double(key);
}

DecmultProblem decmultProblem(RandomSource& random) {
    random.randomize();
    DecmultProblem p;
    p.places[0] = roundToEven(double(draw(random, 3) + 1));
    p.places[1] = roundToEven(double(draw(random, 2) + 1));
    for (int i = 0; i < 2; ++i) {
        // A first operand drawn with three places is shown with two; one that then
        // shows as 0.0 is drawn again, or every answer would read 0.
        do {
            const double k = double(draw(random, 99) + 1);
            p.operands[i] = formatDecimal(k / powerOfTen(p.places[i]), TwoPlaces);
        } while (parseNumber(p.operands[i]) == 0);
    }
    p.sum = p.operands[0] + QStringLiteral(" x ") + p.operands[1];
    // Read back from the texts, so the product is that of the numbers on screen.
    const double P = parseNumber(p.operands[0]) * parseNumber(p.operands[1]);
    p.product = P;

    // The distractors move the point by powers of ten; which ones depends on the
    // places drawn, even when the first operand was shown rounded.
    std::array<double, Choices> values{};
    switch (p.places[0] + p.places[1]) {
    case 2:
        values = {P, P / 10, P / 100, P / 1000};
        break;
    case 3:
        values = {P, P / 10, P / 100, P * 10};
        break;
    case 4:
        values = {P, P / 10, P * 100, P * 10};
        break;
    default: // 5
        values = {P, P * 1000, P * 100, P * 10};
        break;
    }
    for (int i = 0; i < Choices; ++i)
        p.choices[i] = numberText(values[i]);
    p.key = p.choices[0];
    shuffleChoices(p.choices, random);
    return p;
}

DecimalsProblem decimalsProblem(RandomSource& random) {
    random.randomize();
    DecimalsProblem p;
    p.power = roundToEven(double(draw(random, 5) + 1));
    p.numerator = static_cast<float>(draw(random, 999) + 1);
    p.numeratorText = singleNumberText(p.numerator);
    p.denominatorText = numberText(powerOfTen(p.power));

    // The answer is written with the pattern, so it alone can end in ".0"; the
    // distractors are single-precision quotients in plain text.
    p.choices[0] = formatDecimal(double(p.numerator) / powerOfTen(p.power), SevenPlaces);
    std::array<float, 3> divisors{};
    switch (p.power) {
    case 2:
        divisors = {10, 1000, 10000};
        break;
    case 3:
        divisors = {10, 100, 10000};
        break;
    case 4:
        divisors = {10, 100, 1000};
        break;
    default: // 1 and 5
        divisors = {100, 1000, 10000};
        break;
    }
    for (int i = 0; i < 3; ++i)
        p.choices[i + 1] = singleNumberText(p.numerator / divisors[i]);
    p.key = p.choices[0];
    shuffleChoices(p.choices, random);
    return p;
}

} // namespace lumora::drills
