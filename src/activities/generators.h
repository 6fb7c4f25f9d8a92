#pragma once
// The problems of the three drills, each built from a random source so that tests
// can script every draw. Each generator reseeds its source first, then draws in a
// fixed order: the problem's own draws, then the forty draws of the shuffle.

#include "platform/random.h"

#include <QString>
#include <algorithm>
#include <array>
#include <utility>

namespace lumora::drills {

inline constexpr int Choices = 4;
inline constexpr int ShufflePasses = 10;

using ChoiceTexts = std::array<QString, Choices>;

// Ten passes; in each, every entry in turn swaps with an entry drawn at random
// (possibly itself).
template <class T> void shuffleChoices(std::array<T, Choices>& choices, RandomSource& random) {
    for (int pass = 0; pass < ShufflePasses; ++pass) {
        for (int j = 0; j < Choices; ++j) {
            const auto k =
                std::clamp<long long>(intPart(double(random.rnd()) * Choices), 0, Choices - 1);
            std::swap(choices[j], choices[static_cast<std::size_t>(k)]);
        }
    }
}

// "What is the 21th triangular number?": the answer n(n+1)/2 among the triangular
// number before it and the squares of n and n - 1.
struct TriangularProblem {
    int n = 0;
    QString question;
    std::array<qint16, Choices> choices{}; // as shuffled into the boxes
    qint16 key = 0;
    ChoiceTexts boxTexts() const;
};
TriangularProblem triangularProblem(RandomSource& random);
// A box caption is right when it reads as the number of the key.
bool matchesTriangular(const QString& caption, qint16 key);

// A product of two decimals among copies of it with the point moved.
struct DecmultProblem {
    std::array<int, 2> places{};     // decimal places each operand was drawn with
    std::array<QString, 2> operands; // as shown, pattern "0.0#"
    QString sum;                     // "0.3 x 0.7"
    double product = 0;              // of the operands as shown
    ChoiceTexts choices;
    QString key;
};
DecmultProblem decmultProblem(RandomSource& random);

// A whole number over a power of ten, among copies of its decimal with the point
// moved.
struct DecimalsProblem {
    int power = 0;       // the denominator is 10 to this power
    float numerator = 0; // 1 to 999
    QString numeratorText;
    QString denominatorText;
    ChoiceTexts choices;
    QString key;
};
DecimalsProblem decimalsProblem(RandomSource& random);

} // namespace lumora::drills
