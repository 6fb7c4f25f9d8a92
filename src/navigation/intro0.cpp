#include "navigation/intro0.h"

#include "navigation/hub.h"
#include "navigation/titlefrm.h"
#include "pages/guide.h"
#include "pages/pagenames.h"
#include "pages/teacher.h"
#include "platform/commandline.h"
#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/twips.h"
#include "shell/app.h"
#include "shell/buttonlabel.h"
#include "shell/controls.h"
#include "shell/fitscreen.h"
#include "shell/picturenames.h"
#include "worksheets/catalogue.h"
#include "worksheets/wizard.h"
#include "worksheets/worksheets.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace lumora {

Screen& Screens::menu() { return intro0(); }

Intro0& Screens::intro0() { return get<Intro0>(QStringLiteral("intro0")); }

namespace {

struct EntryDesign {
    int index;
    const char* caption;
    double left, top, width, height;
    const char* font;
    double points;
    QRgb highlight;
    bool active;
};

constexpr double LeftColumn = 360;
constexpr double RightColumn = 3600;
constexpr double FirstRow = 1920;
constexpr double RowStep = 570;
constexpr double NameWidth = 3075;
constexpr double NameHeight = 375;

constexpr double row(int r) { return FirstRow + RowStep * r; }

// The entries as designed. The two columns hold twelve mathematicians: Tiberan heads
// the left one and Joris Malten ends it; the others are not open yet.
constexpr EntryDesign Entries[] = {
    {20, "Teacher's Guide", LeftColumn, 1200, RightColumn + NameWidth - LeftColumn, 480, "Tahoma",
     14.25, colours::Navy, true},
    {1, "Tiberan", LeftColumn, row(0), NameWidth, NameHeight, "Tahoma", 12, colours::Black, true},
    {2, "Pherekon", LeftColumn, row(1), NameWidth, NameHeight, "Tahoma", 12, colours::Black, false},
    {3, "Ismenia", LeftColumn, row(2), NameWidth, NameHeight, "Tahoma", 12, colours::Black, false},
    {4, "Kallistrin", LeftColumn, row(3), NameWidth, NameHeight, "Tahoma", 12, colours::Black,
     false},
    {5, "Nysandra", LeftColumn, row(4), NameWidth, NameHeight, "Tahoma", 12, colours::Black, false},
    {7, "Joris Malten", LeftColumn, row(5), NameWidth, NameHeight, "Tahoma", 12, colours::Black,
     true},
    {0, "Orestion", RightColumn, row(0), NameWidth, NameHeight, "Tahoma", 12, colours::Black,
     false},
    {6, "Hedda Lindqvar", RightColumn, row(1), NameWidth, NameHeight, "Tahoma", 12, colours::Black,
     false},
    {8, "Matthias Brekk", RightColumn, row(2), NameWidth, NameHeight, "Tahoma", 12, colours::Black,
     false},
    {9, "Sofie Ardelan", RightColumn, row(3), NameWidth, NameHeight, "Tahoma", 12, colours::Black,
     false},
    {10, "Cornelis Vaught", RightColumn, row(4), NameWidth, NameHeight, "Tahoma", 12,
     colours::Black, false},
    {11, "Ada Pellimore", RightColumn, row(5), NameWidth, NameHeight, "Tahoma", 12, colours::Black,
     false},
    {17, "Multiple Choice Wizard", 6960, 5160, 4800, 540, "Tahoma", 18, colours::Navy, true},
    {18, "Worksheet Catalogue", 6960, 5820, 4800, 540, "Tahoma", 18, colours::Navy, true},
    {19, "Acknowledgments", LeftColumn, 7080, NameWidth, 450, "Tahoma", 14.25, colours::Navy, true},
    {12, "www.brenvale.example", 6600, 8340, 3600, 420, "Arial", 12, colours::Black, true},
    {16, "Exit", 10380, 8280, 1380, 480, "Tahoma", 15.75, colours::Black, true},
};

} // namespace

Intro0::Intro0(App& app) : Screen(app, QStringLiteral("intro0")) {
    Label1 = textLabel(this, QStringLiteral("Label1"), QStringLiteral("Lumora Mathematics"),
                       designFont(QStringLiteral("Tahoma"), 30, Weight::Bold), colours::Yellow,
                       Qt::AlignCenter);
    setTwipsGeometry(Label1, 0, 240, 12000, 720);

    for (const EntryDesign& e : Entries) {
        auto* label = new ButtonLabel(this, QStringLiteral("Label2(%1)").arg(e.index),
                                      QString::fromUtf8(e.caption), e.highlight);
        label->setFont(designFont(QString::fromUtf8(e.font), e.points, Weight::Bold));
        setTwipsGeometry(label, e.left, e.top, e.width, e.height);
        label->setEnabled(e.active);
        connect(label, &ButtonLabel::clicked, this, [this, i = e.index] { entryClicked(i); });
        Label2[e.index] = label;
    }

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Plain);
    setTwipsGeometry(Frame1, 6960, 1080, 4800, 3840);
    Image1 = new QLabel(Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(picture_names::Portrait);
    setTwipsGeometry(Image1, 0, 120, 4800, 3600);

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setAccessibleName(picture_names::PublisherLogo);
    setTwipsGeometry(Image2, 4800, 6600, 2400, 1200);

    Label3 =
        textLabel(this, QStringLiteral("Label3"),
                  QStringLiteral("Lumora is published by Brenvale. Version ") + programVersion(),
                  designFont(QStringLiteral("Tahoma"), 9.75), colours::Yellow);
    setTwipsGeometry(Label3, 360, 8460, 5400, 300);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setParent(this);
    Timer1.setInterval(1);
    connect(&Timer1, &QTimer::timeout, this, &Intro0::readCatalogue);

    std::vector<ButtonLabel*> resets;
    for (ButtonLabel* label : Label2) {
        if (label)
            resets.push_back(label);
    }
    setHoverResets(std::move(resets));
}

void Intro0::load() {
    fitscreen(*this);
    // A missing picture leaves its place empty; the menu still works.
    loadPictureIfPresent(Image2, QStringLiteral("Images\\logo2.jpg"), true);
    loadPictureIfPresent(Image1, Titlefrm::Portrait);
    setBackground(Frame1, colours::ScreenBlue);
    Timer1.start();
}

void Intro0::readCatalogue() {
    Timer1.stop();
    catalogue::readQuietly(app.state, Worksheets::CatalogueFile);
}

void Intro0::entryClicked(int index) {
    switch (index) {
    case Tiberan:
        app.screens.tiberan().showInFront();
        break;
    case Malten:
        app.screens.malten().showInFront();
        break;
    case WebAddress:
        app.web.open(PublisherAddress);
        break;
    case Exit: {
        Titlefrm& title = app.screens.titlefrm();
        title.Command1->setText(QStringLiteral("Cancel"));
        title.showInFront();
        break;
    }
    case Acknowledgments:
        app.screens.teacher().showAcknowledgments();
        app.screens.teacher().showInFront();
        break;
    case Guide: {
        auto& guide = app.screens.guide();
        guide.loadPage(pages::guidePage(pages::Copy::Screen, 1),
                       pages::guidePage(pages::Copy::Print, 1));
        app.state.pagenum = 1;
        guide.showInFront();
        break;
    }
    case Wizard:
        app.screens.wizard().showInFront();
        break;
    case Catalogue:
        app.screens.worksheets().showInFront();
        app.screens.unload(this);
        break;
    default:
        break;
    }
}

void Intro0::closedFromFrame() { app.endProgram(); }

} // namespace lumora
