#include "quiz/welldone.h"

#include "platform/pictures.h"
#include "platform/places.h"
#include "platform/twips.h"
#include "quiz/printouts.h"
#include "quiz/scoring.h"
#include "quiz/wrong.h"
#include "shell/app.h"
#include "shell/buttonlabel.h"
#include "shell/controls.h"
#include "shell/fitscreen.h"
#include "shell/picturenames.h"

#include <QLabel>
#include <QLineEdit>

namespace lumora {

Welldone& Screens::welldone() { return get<Welldone>(QStringLiteral("Welldone")); }

namespace {

// The messages: centred and wrapped.
constexpr TextLook Message{
    .font = {"Times New Roman", 24}, .alignment = Qt::AlignCenter, .wraps = true};

} // namespace

Welldone::Welldone(App& app) : Screen(app, QStringLiteral("Welldone")) {
    Label4 = label(this, QStringLiteral("Label4"), QStringLiteral("Well Done!"), Banner,
                   {240, 240, 11520, 840});
    Label3[FirstButton] =
        buttonLabel(this, QStringLiteral("Label3(0)"), QStringLiteral("Check Wrong Answers"),
                    {240, 1320, 3840, 480});
    Label3[FirstButton]->hide();
    Picture1 = pictureBox(this, QStringLiteral("Picture1"), picture_names::Portrait,
                          {6960, 1320, 4800, 3600});

    Label1 = label(this, QStringLiteral("Label1"),
                   QStringLiteral("Excellent work you have completed this task successfully"),
                   Message, {240, 5040, 11520, 600});
    Label6 =
        label(this, QStringLiteral("Label6"), QStringLiteral("Read the Key Facts and try again."),
              Message, {240, 5700, 11520, 600});
    Label5 = label(this, QStringLiteral("Label5"), QString(), Message, {240, 5700, 11520, 1080});
    Label5->hide();
    Text1 = textBox(this, QStringLiteral("Text1"), {"Times New Roman", 24}, {2400, 5880, 7200, 600},
                    NameLength, Qt::AlignCenter);
    Text1->hide();
    Label2 =
        label(this, QStringLiteral("Label2"),
              QStringLiteral("Enter your name in the box above before printing your certificate"),
              {.font = {"Times New Roman", 18}, .alignment = Qt::AlignCenter, .wraps = true},
              {240, 6600, 11520, 480});
    Label2->hide();

    Label3[ExitButton] = buttonLabel(this, QStringLiteral("Label3(1)"), QStringLiteral("Exit"),
                                     {9960, 8280, 1800, 480});

    connect(Label3[FirstButton], &ButtonLabel::clicked, this, &Welldone::firstClicked);
    connect(Label3[ExitButton], &ButtonLabel::clicked, this, &Welldone::exitClicked);
    setHoverResets({Label3[FirstButton], Label3[ExitButton]});
    setExitButton(Label3[ExitButton]);

    for (QTimer* t : {&Timer1, &Timer2}) {
        t->setParent(this);
        t->setSingleShot(true);
    }
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(1);
    Timer2.setObjectName(QStringLiteral("Timer2"));
    Timer2.setInterval(10);
    connect(&Timer1, &QTimer::timeout, this, &Welldone::showPicture);
    connect(&Timer2, &QTimer::timeout, this, &Welldone::settleFocus);
}

void Welldone::load() {
    fitscreen(*this);
    const int s = app.state.score;
    const int total = app.state.total;
    Label1->setText(scoring::resultMessage(s, total));
    Label3[FirstButton]->setText(scoring::firstButtonCaption(s, total));
    if (scoring::band(s, total) == scoring::Band::Perfect) {
        Label6->hide();
        Label3[FirstButton]->show();
        Text1->show();
        Label2->show();
    } else {
        Label5->setText(scoring::hint(s, total));
    }
    Timer1.start();
}

void Welldone::showPicture() {
    // The screen is up by now; a missing picture leaves the box empty.
    loadPictureIfPresent(Picture1, PortraitPicture);
    Timer2.start();
}

void Welldone::settleFocus() {
    if (Text1->isVisible())
        Text1->setFocus();
    Label3[FirstButton]->setOpaque(true);
    Label3[ExitButton]->setOpaque(true);
}

void Welldone::firstClicked() {
    if (app.state.score == app.state.total) {
        printouts::runCertificatePrintout(app.messages, app.printers, app.state, Text1->text(),
                                          font(), this);
        return;
    }
    app.screens.wrong().showInFront();
}

bool Welldone::holdsTypedWork() const { return !Text1->text().isEmpty(); }

void Welldone::exitClicked() {
    if (Screen* review = app.screens.find(QStringLiteral("Wrong")))
        app.screens.unload(review);
    app.screens.unload(this);
}

} // namespace lumora
