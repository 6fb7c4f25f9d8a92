#pragma once
// The triangular-number drill: the pairing trick for 1 + 2 + ... + n, then "What is
// the n-th triangular number?" with four answers.

#include "activities/drillframe.h"
#include "activities/generators.h"

namespace lumora {

class Triangular : public DrillFrame {
    Q_OBJECT
public:
    static inline const QString Picture = QStringLiteral("Images\\triangular.jpg");

    explicit Triangular(App& app);

    bool matchesKey(const QString& caption) const override;
    const drills::TriangularProblem& problem() const { return m_problem; }

    QLabel* Label6; // the trick, worked for the sixth triangular number
    QLabel* Image1;
    QLabel* Label4; // the trick in general
    QLabel* Label2; // the question

private:
    void calculate() override;
    void loadPictures() override;

    drills::TriangularProblem m_problem;
};

} // namespace lumora
