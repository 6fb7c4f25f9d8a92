#pragma once
// The decimal multiplication drill: a product of two decimals and four answers that
// differ only in where the point stands.

#include "activities/drillframe.h"
#include "activities/generators.h"

namespace lumora {

class Decmult : public DrillFrame {
    Q_OBJECT
public:
    explicit Decmult(App& app);

    bool matchesKey(const QString& caption) const override { return caption == m_problem.key; }
    const drills::DecmultProblem& problem() const { return m_problem; }

    QLabel* Label6; // the instruction
    QLabel* Label2; // the sum

private:
    void calculate() override;

    drills::DecmultProblem m_problem;
};

} // namespace lumora
