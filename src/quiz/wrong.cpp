#include "quiz/wrong.h"

#include "platform/fonts.h"
#include "platform/twips.h"
#include "shell/app.h"
#include "shell/buttonlabel.h"
#include "shell/controls.h"
#include "shell/fitscreen.h"

#include <QLabel>

namespace lumora {

Wrong& Screens::wrong() { return get<Wrong>(QStringLiteral("Wrong")); }

namespace {

constexpr FontDesign Heading{"Tahoma", 20.25, Weight::Bold};
constexpr FontDesign Line{"Tahoma", 15.75, Weight::Bold};

} // namespace

Wrong::Wrong(App& app) : Screen(app, QStringLiteral("Wrong")) {
    Label6 = label(this, QStringLiteral("Label6"), QStringLiteral("Worksheet 1"),
                   {.font = Heading, .alignment = Qt::AlignCenter}, {240, 240, 11520, 600});
    Label4 = label(this, QStringLiteral("Label4"),
                   QStringLiteral("You answered the following questions incorrectly."),
                   {.font = Line}, {240, 960, 11520, 480});
    for (int i = 0; i < Lines; ++i) {
        Label2[i] =
            label(this, QStringLiteral("Label2(%1)").arg(i), QString(),
                  {.font = Line, .ink = qRgb(255, 255, 255)}, {240, 1560 + 600.0 * i, 11520, 480});
        Label2[i]->hide();
    }
    Label5 =
        label(this, QStringLiteral("Label5"), QStringLiteral("Read the Key Facts and try again."),
              {.font = Heading, .alignment = Qt::AlignCenter}, {240, 7620, 11520, 540});
    Label3[ExitButton] = buttonLabel(this, QStringLiteral("Label3(1)"), QStringLiteral("Exit"),
                                     {9960, 8280, 1800, 480});
    connect(Label3[ExitButton], &ButtonLabel::clicked, this, &Wrong::exitClicked);
    setExitButton(Label3[ExitButton]);
}

void Wrong::load() { fitscreen(*this); }

void Wrong::fill(const QString& title, const QStringList& lines) {
    Label6->setText(title);
    shrinkToFit(Label6, 14);
    for (int i = 0; i < Lines && i < lines.size(); ++i) {
        Label2[i]->setText(lines[i]);
        shrinkToFit(Label2[i], 14);
        Label2[i]->show();
    }
}

void Wrong::exitClicked() {
    if (Screen* results = app.screens.find(QStringLiteral("Welldone")))
        app.screens.unload(results);
    app.screens.unload(this);
}

} // namespace lumora
