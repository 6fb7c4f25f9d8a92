#include "navigation/titlefrm.h"

#include "navigation/grey.h"
#include "navigation/intro0.h"
#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/seqfile.h"
#include "platform/twips.h"
#include "shell/app.h"
#include "shell/fitscreen.h"
#include "shell/picturenames.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace lumora {

Titlefrm& Screens::titlefrm() { return get<Titlefrm>(QStringLiteral("Titlefrm")); }

void startProgram(App& app) { app.screens.titlefrm().showInFront(); }

Titlefrm::Titlefrm(App& app) : Screen(app, QStringLiteral("Titlefrm")) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral(" "));
    setBackground(this, colours::LightGrey);
    setFixedSize(twipsToPixels(InnerWidth), twipsToPixels(InnerHeight));

    Label4 = new QLabel(QStringLiteral("Lumora Mathematics"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setFont(designFont(QStringLiteral("Times New Roman"), 24, Weight::Bold));
    setForeground(Label4, colours::TitleBlue);
    Label4->setAlignment(Qt::AlignCenter);
    setTwipsGeometry(Label4, 0, 120, InnerWidth, 600);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    setTwipsGeometry(Frame1, 120, 780, 5220, 3930);

    Picture1 = new QLabel(Frame1);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAccessibleName(picture_names::Portrait);
    setTwipsGeometry(Picture1, 210, 165, 4800, 3600);

    Label1 = new QLabel(QStringLiteral("Written and illustrated by the Lumora team"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(designFont(QStringLiteral("Times New Roman"), 11));
    Label1->setAlignment(Qt::AlignCenter);
    setTwipsGeometry(Label1, 120, 4800, 5220, 360);

    Label2 = new QLabel(
        QStringLiteral("\u00A9 Brenvale Educational Publishing. All rights reserved."), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(designFont(QStringLiteral("Arial"), 8));
    Label2->setAlignment(Qt::AlignCenter);
    setTwipsGeometry(Label2, 120, 5190, 5220, 300);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    setTwipsGeometry(Command1, 840, 5760, 1695, 495);
    Command1->setDefault(true);

    Command2 = new QPushButton(QStringLiteral("Exit"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    setTwipsGeometry(Command2, 2925, 5760, 1695, 495);

    for (QPushButton* b : {Command1, Command2}) {
        b->setFont(designFont(QStringLiteral("Arial"), 9.75, Weight::Bold));
        QPalette p = b->palette();
        p.setColor(QPalette::Button, QColor(colours::LightGrey));
        b->setPalette(p);
    }

    connect(Command1, &QPushButton::clicked, this, &Titlefrm::firstButtonClicked);
    connect(Command2, &QPushButton::clicked, this, [this] { this->app.endProgram(); });
}

void Titlefrm::load() {
    try {
        centreOnDisplay(this, {InnerWidth, InnerHeight});
        app.screens.grey().showOverEverything();
        loadPicture(Picture1, Portrait);
    } catch (const FileError&) {
        m_fallback = true;
        fitscreen(*this);
        Frame1->raise();
        try {
            loadPicture(Picture1, Portrait);
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
