#pragma once
// The fraction-to-decimal drill: a whole number over a power of ten and four
// decimals that differ only in where the point stands.

#include "activities/drillframe.h"
#include "activities/generators.h"

class QFrame;

namespace lumora {

class Decimals : public DrillFrame {
    Q_OBJECT
public:
    enum FractionPart { Numerator = 0, Denominator = 1 };

    explicit Decimals(App& app);

    bool matchesKey(const QString& caption) const override { return caption == m_problem.key; }
    const drills::DecimalsProblem& problem() const { return m_problem; }

    QLabel* Label6;                  // the instruction
    std::array<QLabel*, 2> Label2{}; // numerator over denominator
    QFrame* Shape1;                  // the fraction bar

private:
    void calculate() override;

    drills::DecimalsProblem m_problem;
};

} // namespace lumora
