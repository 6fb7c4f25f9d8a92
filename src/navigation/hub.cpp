#include "navigation/hub.h"

#include "activities/decimals.h"
#include "activities/decmult.h"
#include "activities/tibpuz.h"
#include "activities/triangular.h"
#include "navigation/intro0.h"
#include "pages/pagenames.h"
#include "pages/teacher.h"
#include "platform/pictures.h"
#include "platform/places.h"
#include "platform/product.h"
#include "platform/seqfile.h"
#include "platform/twips.h"
#include "quiz/multiple.h"
#include "quiz/questionfile.h"
#include "shell/app.h"
#include "shell/buttonlabel.h"
#include "shell/controls.h"
#include "shell/fitscreen.h"

#include <QLabel>

namespace lumora {

namespace {

template <auto Open> Screen& opener(Screens& screens) { return (screens.*Open)(); }

} // namespace

const HubRecord HubRecord::tiberan = {
    .screenName = "tiberan",
    .caption = "Tiberan",
    .mainPicture = {"Images\\pharos.jpg", "The great lighthouse of Tiberan's city", 825},
    .cornerPicture = {"Images\\arithmetica4.jpg", "Tiberan's book of problems", 720},
    .firstActivity = {"Tiberan's Life", opener<&Screens::tibpuz>},
    .secondActivity = {"Triangular Numbers", opener<&Screens::triangular>},
    .quiz = {TiberanQuiz, "Images\\pharossm.jpg"},
    .keyFacts = {3, "key Tiberan"},
    .notes = {3, "Tiberan"}};

const HubRecord HubRecord::malten = {
    .screenName = "malten",
    .caption = "Joris Malten",
    .mainPicture = {"Images\\sailchariot4.jpg", "Joris Malten's sail chariot", 1620},
    .cornerPicture = {}, // none
    .firstActivity = {"Decimals", opener<&Screens::decimals>},
    .secondActivity = {"Multiplying Decimals", opener<&Screens::decmult>},
    .quiz = {MaltenQuiz, "Images\\sailchariotsm.jpg"},
    .keyFacts = {3, "key malten"},
    .notes = {2, "malten"}};

Hub& Screens::tiberan() { return get<Hub>(QStringLiteral("tiberan"), HubRecord::tiberan); }
Hub& Screens::malten() { return get<Hub>(QStringLiteral("malten"), HubRecord::malten); }

namespace {

struct ButtonDesign {
    int index;
    const char* caption; // null: the record gives it
    TwipsBox box;
};

// Key Facts and Teacher's Notes at the top right; the quiz, the two activities and
// Exit in one row along the bottom.
constexpr ButtonDesign Buttons[] = {
    {Hub::KeyFacts, "Key Facts", {9120, 240, 2640, 480}},
    {Hub::TeachersNotes, "Teacher's Notes", {9120, 840, 2640, 480}},
    {Hub::MultipleChoice, "Multiple Choice", {240, 8280, 2760, 480}},
    {Hub::FirstActivity, nullptr, {3120, 8280, 2520, 480}},
    {Hub::SecondActivity, nullptr, {5760, 8280, 3720, 480}},
    {Hub::ExitButton, "Exit", {9600, 8280, 2160, 480}},
};

} // namespace

Hub::Hub(App& app, const HubRecord& record)
    : Screen(app, QString::fromLatin1(record.screenName)), m_record(record) {
    const HubPicture& main = record.mainPicture;
    Image1 = pictureBox(this, QStringLiteral("Image1"), QString::fromUtf8(main.description),
                        {0, main.top, 0, 0});
    if (const HubPicture& corner = record.cornerPicture; corner.file)
        Image2 = pictureBox(this, QStringLiteral("Image2"), QString::fromUtf8(corner.description),
                            {0, corner.top, 0, 0});
    Label1 = label(this, QStringLiteral("Label1"), QString::fromUtf8(record.caption),
                   {.font = {"Times New Roman", 27.75, Weight::Bold}}, {240, 60, 7200, 660});

    for (const ButtonDesign& d : Buttons) {
        const char* caption = d.caption                  ? d.caption
                              : d.index == FirstActivity ? record.firstActivity.caption
                                                         : record.secondActivity.caption;
        auto* b = buttonLabel(this, QStringLiteral("Label3(%1)").arg(d.index),
                              QString::fromUtf8(caption), d.box);
        connect(b, &ButtonLabel::clicked, this, [this, i = d.index] { clicked(i); });
        Label3[d.index] = b;
    }
    // Both hubs clear the highlight when the pointer leaves the buttons.
    setHoverResets({Label3.begin(), Label3.end()});
    setExitButton(Label3[ExitButton]);
}

void Hub::load() {
    fitscreen(*this);
    setBackground(this, colours::HubBlack);
    // A missing picture leaves its place empty; the buttons still work.
    if (Image2)
        loadPictureIfPresent(Image2, QString::fromLatin1(m_record.cornerPicture.file), true);
    loadPictureIfPresent(Image1, QString::fromLatin1(m_record.mainPicture.file), true);
    Image1->move(twipsToPixels((ScreenWidth - pixelsToTwips(Image1->width())) / 2), Image1->y());
}

void Hub::clicked(int index) {
    switch (index) {
    case MultipleChoice:
        openQuiz();
        break;
    case FirstActivity:
    case SecondActivity:
        openActivity(index);
        break;
    case ExitButton:
        app.screens.intro0().showInFront();
        app.screens.unload(this);
        break;
    case KeyFacts:
        openPages(m_record.keyFacts);
        break;
    case TeachersNotes:
        openPages(m_record.notes);
        break;
    default:
        break;
    }
}

void Hub::openQuiz() {
    try {
        loadquestions(app.state,
                      WorksheetFolder + '\\' + QString::fromLatin1(m_record.quiz.questionFile));
    } catch (const FileError&) {
        app.messages.tell(QuizOpenFailed, this);
        return;
    }
    Multiple& quiz = app.screens.multiple();
    try {
        loadPicture(quiz.Picture1, QString::fromLatin1(m_record.quiz.picture));
    } catch (const FileError&) {
        // The quiz goes on without its picture.
    }
    quiz.Picture1->setAccessibleName(QString::fromUtf8(m_record.mainPicture.description));
    quiz.Label5->setText(ProductName);
    quiz.showInFront();
}

void Hub::openActivity(int index) {
    const HubActivity& a =
        index == FirstActivity ? m_record.firstActivity : m_record.secondActivity;
    a.open(app.screens).showInFront();
}

void Hub::openPages(const PageSet& set) {
    app.state.pagecount = set.pagecount;
    app.state.pageset = QString::fromLatin1(set.pageset);
    Teacher& viewer = app.screens.teacher(); // its load step reads the two above
    viewer.loadPage(pages::setPage(pages::Copy::Screen, app.state.pageset, 1),
                    pages::setPage(pages::Copy::Print, app.state.pageset, 1));
    viewer.showInFront();
}

} // namespace lumora
