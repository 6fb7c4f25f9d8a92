#include "worksheets/worksheets.h"

#include "platform/numtext.h"
#include "platform/seqfile.h"
#include "platform/twips.h"
#include "quiz/multiple.h"
#include "quiz/questionfile.h"
#include "shell/app.h"
#include "shell/buttonlabel.h"
#include "shell/controls.h"
#include "shell/fitscreen.h"
#include "shell/menuscreen.h"
#include "shell/picturenames.h"
#include "worksheets/catalogue.h"
#include "worksheets/wizard.h"

#include <QCheckBox>
#include <QLabel>

namespace lumora {

Worksheets& Screens::worksheets() { return get<Worksheets>(QStringLiteral("worksheets")); }

namespace catalogue_page {

Mode mode(bool editTicked, bool deleteTicked) {
    if (editTicked)
        return Mode::Edit;
    return deleteTicked ? Mode::Delete : Mode::Quiz;
}

Range entriesOf(int page, int numworksheets) {
    const int first = Size * page + 1;
    const int last = std::min({numworksheets, Size * page + Size, SharedState::MaxWorksheets});
    return {first, last};
}

bool hasNextPage(int page, int numworksheets) {
    return page < LastPage && numworksheets > Size * page + Size;
}

} // namespace catalogue_page

using namespace catalogue_page;

Worksheets::Worksheets(App& app) : Screen(app, QStringLiteral("worksheets")) {
    constexpr FontDesign Small{"Tahoma", 12, Weight::Bold};
    Label1 = label(this, QStringLiteral("Label1"), QStringLiteral("Worksheets Catalogue"),
                   {.font = {"Tahoma", 24, Weight::Bold}}, {240, 180, 7800, 600});

    for (int k = 1; k <= Size; ++k) {
        auto* entry = buttonLabel(this, QStringLiteral("Label2(%1)").arg(k), QString(),
                                  {240, 960 + 300.0 * (k - 1), 7440, 285}, Small);
        entry->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        entry->setIndent(6);
        entry->setWordWrap(false);
        connect(entry, &ButtonLabel::clicked, this, [this, k] { entryClicked(k); });
        Label2[k] = entry;
    }
    Label2[ExitButton] = buttonLabel(this, QStringLiteral("Label2(0)"), QStringLiteral("Exit"),
                                     {9960, 8280, 1800, 480});
    connect(Label2[ExitButton], &ButtonLabel::clicked, this, &Worksheets::exitClicked);
    setExitButton(Label2[ExitButton]);

    const char* links[] = {"<< Previous Page", "Next Page >>"};
    for (int i = 0; i < 2; ++i) {
        auto* link =
            buttonLabel(this, QStringLiteral("Label3(%1)").arg(i), QString::fromLatin1(links[i]),
                        {8160, 4200 + 600.0 * i, 3600, 420}, Small);
        link->setHoverHighlight(false);
        link->setOpaque(false);
        link->setFrameStyle(QFrame::NoFrame);
        link->hide();
        Label3[i] = link;
    }
    connect(Label3[PreviousPage], &ButtonLabel::clicked, this, [this] { turnPage(-1); });
    connect(Label3[NextPage], &ButtonLabel::clicked, this, [this] { turnPage(1); });

    Label4 = label(this, QStringLiteral("Label4"), QStringLiteral("Page 1"),
                   {.font = {"Tahoma", 14.25, Weight::Bold}, .alignment = Qt::AlignCenter},
                   {8160, 3480, 3600, 480});
    Check1 = checkBox(this, QStringLiteral("Check1"), QStringLiteral("Edit Worksheet"),
                      {.font = Small}, {8160, 1200, 3600, 420});
    Check2 = checkBox(this, QStringLiteral("Check2"), QStringLiteral("Delete Worksheet"),
                      {.font = Small}, {8160, 1800, 3600, 420});
    // At most one mode box is ticked: ticking one unticks the other.
    connect(Check1, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            Check2->setChecked(false);
    });
    connect(Check2, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            Check1->setChecked(false);
    });

    setHoverResets({Label2.begin(), Label2.end()});
}

void Worksheets::load() {
    fitscreen(*this);
    // A catalogue that cannot be read lists what was read of it, never what an
    // earlier read left in memory.
    catalogue::readQuietly(app.state);
    setBackground(Check1, colours::ScreenBlue);
    setBackground(Check2, colours::ScreenBlue);
    app.state.worksheetpage = 0;
    for (int k = 1; k <= Size; ++k)
        Label2[k]->hide();
    Label3[NextPage]->setVisible(hasNextPage(0, app.state.numworksheets));
    const Range r = entriesOf(0, app.state.numworksheets);
    for (int i = r.first; i <= r.last; ++i) {
        Label2[i]->setText(catalogue::shownTitle(app.state.worksheetname[i]));
        Label2[i]->show();
    }
}

void Worksheets::workpage() {
    const int page = app.state.worksheetpage;
    for (int k = 1; k <= Size; ++k) {
        Label2[k]->clear();
        Label2[k]->hide();
    }
    Label3[PreviousPage]->setVisible(page > 0);
    Label3[NextPage]->setVisible(hasNextPage(page, app.state.numworksheets));
    Label4->setText(QStringLiteral("Page") + signedText(page + 1));
    const Range r = entriesOf(page, app.state.numworksheets);
    for (int i = r.first; i <= r.last; ++i) {
        ButtonLabel* entry = Label2[i - Size * page];
        entry->setText(catalogue::shownTitle(app.state.worksheetname[i]));
        entry->show();
    }
}

void Worksheets::turnPage(int by) {
    const int page = app.state.worksheetpage + by;
    if (page < 0 || page > LastPage)
        return;
    app.state.worksheetpage = page;
    workpage();
}

void Worksheets::entryClicked(int k) {
    const QString caption = Label2[k]->text();
    const Mode clicked = mode(Check1->isChecked(), Check2->isChecked());
    try {
        // Taking a title out needs only the catalogue, so that an entry whose file is
        // lost or damaged can still go.
        if (clicked == Mode::Delete)
            return deleteEntry(caption);
        loadquestions(app.state, catalogue::worksheetFile(caption));
        if (clicked == Mode::Edit)
            editworksheet();
        else
            runQuiz();
    } catch (const FileError&) {
        app.messages.tell(Corrupted, this);
    }
}

void Worksheets::editworksheet() {
    Wizard& wizard = app.screens.wizard();
    wizard.fill(worksheet::fromQuiz(app.state));
    wizard.showInFront();
}

void Worksheets::runQuiz() {
    // The menu lends the quiz its portrait and its heading; reading them loads it,
    // unseen, behind this screen.
    MenuScreen& menu = app.screens.menu();
    Multiple& quiz = app.screens.multiple();
    const QPixmap portrait = menu.portrait();
    if (!portrait.isNull()) {
        // Sized in the display's own pixels, so that a dense display keeps its detail.
        const qreal ratio = portrait.devicePixelRatio();
        QPixmap fitted = portrait.scaled(quiz.Picture1->size() * ratio, Qt::KeepAspectRatio,
                                         Qt::SmoothTransformation);
        fitted.setDevicePixelRatio(ratio);
        quiz.Picture1->setPixmap(fitted);
    }
    quiz.Picture1->setAccessibleName(picture_names::Portrait);
    quiz.Label5->setText(menu.heading());
    quiz.offerPrinting();
    quiz.showInFront();
}

void Worksheets::deleteEntry(const QString& caption) {
    const QString question = QStringLiteral("Are you sure that you want to delete the worksheet ") +
                             caption + QStringLiteral("?");
    if (app.messages.show(question, MessageButtons::OkCancel, QString(), this) != MessageAnswer::Ok)
        return;
    app.state.delname = caption;
    catalogue::delworksheet(app.state);
    // Redraw the whole page, links too, so that no link leads to an empty page.
    const int pages = std::max(0, (app.state.numworksheets - 1) / Size);
    app.state.worksheetpage = std::min(app.state.worksheetpage, std::min(pages, LastPage));
    workpage();
}

void Worksheets::exitClicked() {
    app.screens.menu().showInFront();
    app.screens.unload(this);
}

} // namespace lumora
