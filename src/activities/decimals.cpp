#include "activities/decimals.h"

#include "platform/twips.h"
#include "shell/app.h"
#include "shell/controls.h"
#include "shell/fitscreen.h"

#include <QFrame>
#include <QLabel>

namespace lumora {

Decimals& Screens::decimals() { return get<Decimals>(QStringLiteral("decimals")); }

namespace {

const DrillLook Look{qRgb(41, 65, 137), {"Arial", 27.75, 4920, 1080}, {36, 6360, 840}};

constexpr double FractionLeft = 3900;
constexpr double FractionWidth = 4200;
constexpr double BarWidth = 3000;

} // namespace

Decimals::Decimals(App& app) : DrillFrame(app, QStringLiteral("decimals"), Look) {
    Label6 = instruction(QStringLiteral("How should this fraction be represented as a decimal?"));
    constexpr FontDesign Digits{"Arial", 48, Weight::Bold};
    Label2[Numerator] =
        label(this, QStringLiteral("Label2(0)"), QString(),
              {.font = Digits, .alignment = Qt::AlignHCenter | Qt::AlignBottom, .wraps = true},
              {FractionLeft, 2160, FractionWidth, 1080});
    Label2[Denominator] =
        label(this, QStringLiteral("Label2(1)"), QString(),
              {.font = Digits, .alignment = Qt::AlignHCenter | Qt::AlignTop, .wraps = true},
              {FractionLeft, 3420, FractionWidth, 1080});
    Shape1 = frame(this, QStringLiteral("Shape1"), QFrame::NoFrame | QFrame::Plain,
                   {FractionLeft + (FractionWidth - BarWidth) / 2, 3300, BarWidth, 60});
    setBackground(Shape1, colours::Yellow);
}

void Decimals::calculate() {
    m_problem = drills::decimalsProblem(app.random);
    Label2[Numerator]->setText(m_problem.numeratorText);
    Label2[Denominator]->setText(m_problem.denominatorText);
    showChoices(m_problem.choices);
}

} // namespace lumora
