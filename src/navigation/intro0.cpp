#include "navigation/intro0.h"

#include "navigation/hub.h"
#include "navigation/titlefrm.h"
#include "pages/guide.h"
#include "pages/pagenames.h"
#include "pages/teacher.h"
#include "platform/commandline.h"
#include "platform/pictures.h"
#include "platform/places.h"
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

Intro0& Screens::intro0() { return get<Intro0>(QStringLiteral("intro0")); }

namespace {

struct EntryDesign {
    int index;
    const char* caption;
    TwipsBox box;
    FontDesign font;
    QRgb highlight;
    bool active;
};

constexpr double LeftColumn = 360;
constexpr double RightColumn = 3600;
constexpr double NameWidth = 3075;
constexpr double BothColumns = RightColumn + NameWidth - LeftColumn;

// A mathematician's entry: one of six rows in a column.
constexpr TwipsBox nameBox(double column, int row) {
    return {column, 1920 + 570.0 * row, NameWidth, 375};
}

constexpr FontDesign Names{"Tahoma", 12, Weight::Bold};
constexpr FontDesign Pages{"Tahoma", 14.25, Weight::Bold};
constexpr FontDesign Tools{"Tahoma", 18, Weight::Bold};
constexpr FontDesign Link{"Arial", 12, Weight::Bold};

// The entries as designed. The two columns hold twelve mathematicians: Tiberan heads
// the left one and Joris Malten ends it; the others are not open yet.
constexpr EntryDesign Entries[] = {
    {20, "Teacher's Guide", {LeftColumn, 1200, BothColumns, 480}, Pages, colours::Navy, true},
    {1, "Tiberan", nameBox(LeftColumn, 0), Names, colours::Black, true},
    {2, "Pherekon", nameBox(LeftColumn, 1), Names, colours::Black, false},
    {3, "Ismenia", nameBox(LeftColumn, 2), Names, colours::Black, false},
    {4, "Kallistrin", nameBox(LeftColumn, 3), Names, colours::Black, false},
    {5, "Nysandra", nameBox(LeftColumn, 4), Names, colours::Black, false},
    {7, "Joris Malten", nameBox(LeftColumn, 5), Names, colours::Black, true},
    {0, "Orestion", nameBox(RightColumn, 0), Names, colours::Black, false},
    {6, "Hedda Lindqvar", nameBox(RightColumn, 1), Names, colours::Black, false},
    {8, "Matthias Brekk", nameBox(RightColumn, 2), Names, colours::Black, false},
    {9, "Sofie Ardelan", nameBox(RightColumn, 3), Names, colours::Black, false},
    {10, "Cornelis Vaught", nameBox(RightColumn, 4), Names, colours::Black, false},
    {11, "Ada Pellimore", nameBox(RightColumn, 5), Names, colours::Black, false},
    {17, "Multiple Choice Wizard", {6960, 5160, 4800, 540}, Tools, colours::Navy, true},
    {18, "Worksheet Catalogue", {6960, 5820, 4800, 540}, Tools, colours::Navy, true},
    {19, "Acknowledgments", {LeftColumn, 7080, NameWidth, 450}, Pages, colours::Navy, true},
    {12, "www.brenvale.example", {6600, 8340, 3600, 420}, Link, colours::Black, true},
    {16, "Exit", {10380, 8280, 1380, 480}, ButtonFont, colours::Black, true},
};

} // namespace

Intro0::Intro0(App& app) : MenuScreen(app, QStringLiteral("intro0")) {
    Label1 = label(this, QStringLiteral("Label1"), Titlefrm::ProductTitle,
                   {.font = {"Tahoma", 30, Weight::Bold}, .alignment = Qt::AlignCenter},
                   {0, 240, 12000, 720});

    for (const EntryDesign& e : Entries) {
        auto* entry = buttonLabel(this, QStringLiteral("Label2(%1)").arg(e.index),
                                  QString::fromUtf8(e.caption), e.box, e.font, e.highlight);
        entry->setEnabled(e.active);
        connect(entry, &ButtonLabel::clicked, this, [this, i = e.index] { entryClicked(i); });
        Label2[e.index] = entry;
    }

    Frame1 = frame(this, QStringLiteral("Frame1"), QFrame::Box | QFrame::Plain,
                   {6960, 1080, 4800, 3840});
    Image1 =
        pictureBox(Frame1, QStringLiteral("Image1"), picture_names::Portrait, {0, 120, 4800, 3600});
    Image2 = pictureBox(this, QStringLiteral("Image2"), picture_names::PublisherLogo,
                        {4800, 6600, 2400, 1200});
    Label3 = label(this, QStringLiteral("Label3"),
                   QStringLiteral("Lumora is published by Brenvale. Version ") + programVersion(),
                   {.font = {"Tahoma", 9.75}}, {360, 8460, 5400, 300});

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setParent(this);
    Timer1.setInterval(1);
    connect(&Timer1, &QTimer::timeout, this, &Intro0::readCatalogue);

    std::vector<ButtonLabel*> resets;
    for (ButtonLabel* entry : Label2) {
        if (entry)
            resets.push_back(entry);
    }
    setHoverResets(std::move(resets));
}

void Intro0::load() {
    fitscreen(*this);
    // A missing picture leaves its place empty; the menu still works.
    loadPictureIfPresent(Image2, QStringLiteral("Images\\logo2.jpg"), true);
    loadPictureIfPresent(Image1, PortraitPicture);
    setBackground(Frame1, colours::ScreenBlue);
    Timer1.start();
}

QPixmap Intro0::portrait() const { return Image1->pixmap(); }

QString Intro0::heading() const { return Label1->text(); }

void Intro0::readCatalogue() {
    Timer1.stop();
    catalogue::readQuietly(app.state);
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
