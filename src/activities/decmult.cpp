#include "activities/decmult.h"

#include "activities/labels.h"
#include "platform/twips.h"
#include "shell/app.h"
#include "shell/fitscreen.h"

#include <QLabel>

namespace lumora {

Decmult& Screens::decmult() { return get<Decmult>(QStringLiteral("decmult")); }

namespace {

const DrillLook Look{
    .background = qRgb(41, 65, 137),
    .boxFont = "Arial",
    .boxPoints = 32.25,
    .feedbackPoints = 36,
    .showAnswerHidesFeedback = true,
    .boxesTop = 4800,
    .boxHeight = 1080,
    .feedbackTop = 6240,
    .feedbackHeight = 840,
};

} // namespace

Decmult::Decmult(App& app) : DrillFrame(app, QStringLiteral("decmult"), Look) {
    Label6 = yellowText(this, QStringLiteral("Label6"),
                        QStringLiteral("Click on the answer to this decimal multiplication sum"),
                        designFont(QStringLiteral("Arial"), 36), Qt::AlignCenter,
                        {360, 360, ScreenWidth - 720, 1680});
    Label2 = yellowText(this, QStringLiteral("Label2"), QString(),
                        designFont(QStringLiteral("Arial"), 72, Weight::Bold), Qt::AlignCenter,
                        {0, 2520, ScreenWidth, 1680});
}

void Decmult::calculate() {
    m_problem = drills::decmultProblem(app.random);
    Label2->setText(m_problem.sum);
    showChoices(m_problem.choices);
}

} // namespace lumora
