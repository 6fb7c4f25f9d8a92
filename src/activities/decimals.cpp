#include "activities/decimals.h"

#include "activities/labels.h"
#include "platform/twips.h"
#include "shell/app.h"
#include "shell/fitscreen.h"

#include <QFrame>
#include <QLabel>

namespace lumora {

Decimals& Screens::decimals() { return get<Decimals>(QStringLiteral("decimals")); }

namespace {

const DrillLook Look{
    .background = qRgb(41, 65, 137),
    .boxFont = "Arial",
    .boxPoints = 27.75,
    .feedbackPoints = 36,
    .showAnswerHidesFeedback = true,
    .boxesTop = 4920,
    .boxHeight = 1080,
    .feedbackTop = 6360,
    .feedbackHeight = 840,
};

constexpr double FractionLeft = 3900;
constexpr double FractionWidth = 4200;
constexpr double BarWidth = 3000;

} // namespace

Decimals::Decimals(App& app) : DrillFrame(app, QStringLiteral("decimals"), Look) {
    Label6 = yellowText(this, QStringLiteral("Label6"),
                        QStringLiteral("How should this fraction be represented as a decimal?"),
                        designFont(QStringLiteral("Arial"), 36), Qt::AlignCenter,
                        {360, 360, ScreenWidth - 720, 1680});
    const QFont digits = designFont(QStringLiteral("Arial"), 48, Weight::Bold);
    Label2[Numerator] =
        yellowText(this, QStringLiteral("Label2(0)"), QString(), digits,
                   Qt::AlignHCenter | Qt::AlignBottom, {FractionLeft, 2160, FractionWidth, 1080});
    Label2[Denominator] =
        yellowText(this, QStringLiteral("Label2(1)"), QString(), digits,
                   Qt::AlignHCenter | Qt::AlignTop, {FractionLeft, 3420, FractionWidth, 1080});

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    setBackground(Shape1, colours::Yellow);
    setTwipsGeometry(Shape1, FractionLeft + (FractionWidth - BarWidth) / 2, 3300, BarWidth, 60);
}

void Decimals::calculate() {
    m_problem = drills::decimalsProblem(app.random);
    Label2[Numerator]->setText(m_problem.numeratorText);
    Label2[Denominator]->setText(m_problem.denominatorText);
    showChoices(m_problem.choices);
}

} // namespace lumora
