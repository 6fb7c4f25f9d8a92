#include "navigation/titlefrm.h"

#include "navigation/grey.h"
#include "navigation/intro0.h"
#include "platform/pictures.h"
#include "platform/places.h"
#include "platform/seqfile.h"
#include "platform/twips.h"
#include "shell/app.h"
#include "shell/controls.h"
#include "shell/fitscreen.h"
#include "shell/picturenames.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace lumora {

Titlefrm& Screens::titlefrm() { return get<Titlefrm>(QStringLiteral("Titlefrm")); }

void offerMenu(App& app) {
    app.screens.offerMenu([&app]() -> MenuScreen& { return app.screens.intro0(); });
}

void startProgram(App& app) {
    offerMenu(app);
    app.screens.titlefrm().showInFront();
}

Titlefrm::Titlefrm(App& app) : Screen(app, QStringLiteral("Titlefrm")) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral(" "));
    setBackground(this, colours::LightGrey);
    setFixedSize(twipsToPixels(InnerWidth), twipsToPixels(InnerHeight));

    Label4 = label(this, QStringLiteral("Label4"), ProductTitle,
                   {.font = {"Times New Roman", 24, Weight::Bold},
                    .ink = colours::TitleBlue,
                    .alignment = Qt::AlignCenter},
                   {0, 120, InnerWidth, 600});
    Frame1 =
        frame(this, QStringLiteral("Frame1"), QFrame::Box | QFrame::Sunken, {120, 780, 5220, 3930});
    Picture1 = pictureBox(Frame1, QStringLiteral("Picture1"), picture_names::Portrait,
                          {210, 165, 4800, 3600});
    // The small print keeps the system's text colour.
    Label1 = label(this, QStringLiteral("Label1"),
                   QStringLiteral("Written and illustrated by the Lumora team"),
                   {.font = {"Times New Roman", 11}, .ink = {}, .alignment = Qt::AlignCenter},
                   {120, 4800, 5220, 360});
    Label2 = label(this, QStringLiteral("Label2"),
                   QStringLiteral("\u00A9 Brenvale Educational Publishing. All rights reserved."),
                   {.font = {"Arial", 8}, .ink = {}, .alignment = Qt::AlignCenter},
                   {120, 5190, 5220, 300});

    constexpr FontDesign Buttons{"Arial", 9.75, Weight::Bold};
    Command1 = commandButton(this, QStringLiteral("Command1"), QStringLiteral("OK"), Buttons,
                             {840, 5760, 1695, 495});
    Command1->setDefault(true);
    Command2 = commandButton(this, QStringLiteral("Command2"), QStringLiteral("Exit"), Buttons,
                             {2925, 5760, 1695, 495});

    connect(Command1, &QPushButton::clicked, this, &Titlefrm::firstButtonClicked);
    connect(Command2, &QPushButton::clicked, this, [this] { this->app.endProgram(); });
}

void Titlefrm::load() {
    try {
        centreOnDisplay(this, {InnerWidth, InnerHeight});
        app.screens.grey().showOverEverything();
        loadPicture(Picture1, PortraitPicture);
    } catch (const FileError&) {
        m_fallback = true;
        fitscreen(*this);
        Frame1->raise();
        try {
            loadPicture(Picture1, PortraitPicture);
        } catch (const FileError&) {
            // Still no portrait: the title screen stands without it rather than
            // keeping the pupil from the program.
        }
    }
}

void Titlefrm::firstButtonClicked() {
    app.screens.intro0().showInFront();
    app.screens.unload(this);
}

void Titlefrm::closedFromFrame() { app.endProgram(); }

} // namespace lumora
