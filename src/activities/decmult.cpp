#include "activities/decmult.h"

#include "platform/twips.h"
#include "shell/app.h"
#include "shell/controls.h"
#include "shell/fitscreen.h"

#include <QLabel>

namespace lumora {

Decmult& Screens::decmult() { return get<Decmult>(QStringLiteral("decmult")); }

namespace {

const DrillLook Look{qRgb(41, 65, 137), {"Arial", 32.25, 4800, 1080}, {36, 6240, 840}};

} // namespace

Decmult::Decmult(App& app) : DrillFrame(app, QStringLiteral("decmult"), Look) {
    Label6 = instruction(QStringLiteral("Click on the answer to this decimal multiplication sum"));
    Label2 =
        label(this, QStringLiteral("Label2"), QString(),
              {.font = {"Arial", 72, Weight::Bold}, .alignment = Qt::AlignCenter, .wraps = true},
              {0, 2520, ScreenWidth, 1680});
}

void Decmult::calculate() {
    m_problem = drills::decmultProblem(app.random);
    Label2->setText(m_problem.sum);
    showChoices(m_problem.choices);
}

} // namespace lumora
