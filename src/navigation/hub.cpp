#include "navigation/hub.h"

#include "activities/decimals.h"
#include "activities/decmult.h"
#include "activities/tibpuz.h"
#include "activities/triangular.h"
#include "navigation/intro0.h"
#include "pages/pagenames.h"
#include "pages/teacher.h"
#include "platform/fonts.h"
#include "platform/pictures.h"
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

const HubRecord HubRecord::tiberan = {
    "tiberan",
    "Tiberan",
    "Images\\pharos.jpg",
    "The great lighthouse of Tiberan's city",
    825,
    "Images\\arithmetica4.jpg",
    "Tiberan's book of problems",
    "Tiberan's Life",
    "Triangular Numbers",
    [](Screens& s) -> Screen& { return s.tibpuz(); },
    [](Screens& s) -> Screen& { return s.triangular(); },
    "multiple\\Tiberan.txt",
    "Images\\pharossm.jpg",
    {3, "key Tiberan"},
    {3, "Tiberan"},
};

const HubRecord HubRecord::malten = {
    "malten",
    "Joris Malten",
    "Images\\sailchariot4.jpg",
    "Joris Malten's sail chariot",
    1620,
    nullptr,
    nullptr,
    "Decimals",
    "Multiplying Decimals",
    [](Screens& s) -> Screen& { return s.decimals(); },
    [](Screens& s) -> Screen& { return s.decmult(); },
    "multiple\\Joris Malten.txt",
    "Images\\sailchariotsm.jpg",
    {3, "key malten"},
    {2, "malten"},
};

Hub& Screens::tiberan() { return get<Hub>(QStringLiteral("tiberan"), HubRecord::tiberan); }
Hub& Screens::malten() { return get<Hub>(QStringLiteral("malten"), HubRecord::malten); }

namespace {

struct ButtonPlace {
    int index;
    double left, top, width;
};

// Key Facts and Teacher's Notes at the top right; the quiz, the two activities and
// Exit in one row along the bottom.
constexpr ButtonPlace Places[] = {
    {Hub::KeyFacts, 9120, 240, 2640},        {Hub::TeachersNotes, 9120, 840, 2640},
    {Hub::MultipleChoice, 240, 8280, 2760},  {Hub::FirstActivity, 3120, 8280, 2520},
    {Hub::SecondActivity, 5760, 8280, 3720}, {Hub::ExitButton, 9600, 8280, 2160},
};

} // namespace

Hub::Hub(App& app, const HubRecord& record)
    : Screen(app, QString::fromLatin1(record.screenName)), m_record(record) {
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QString::fromUtf8(record.mainPictureName));
    setTwipsGeometry(Image1, 0, record.mainTop, 0, 0);
    if (record.secondPicture) {
        Image2 = new QLabel(this);
        Image2->setObjectName(QStringLiteral("Image2"));
        Image2->setAccessibleName(QString::fromUtf8(record.secondPictureName));
        setTwipsGeometry(Image2, 0, 720, 0, 0);
    }

    Label1 = textLabel(this, QStringLiteral("Label1"), QString::fromUtf8(record.caption),
                       designFont(QStringLiteral("Times New Roman"), 27.75, Weight::Bold),
                       colours::Yellow);
    setTwipsGeometry(Label1, 240, 60, 7200, 660);

    const QString captions[] = {QStringLiteral("Multiple Choice"),
                                QString::fromUtf8(record.firstActivity),
                                QStringLiteral("Exit"),
                                QString::fromUtf8(record.secondActivity),
                                QStringLiteral("Key Facts"),
                                QStringLiteral("Teacher's Notes")};
    for (const ButtonPlace& p : Places) {
        auto* b = buttonLabel(this, QStringLiteral("Label3(%1)").arg(p.index), captions[p.index]);
        setTwipsGeometry(b, p.left, p.top, p.width, 480);
        connect(b, &ButtonLabel::clicked, this, [this, i = p.index] { clicked(i); });
        Label3[p.index] = b;
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
        loadPictureIfPresent(Image2, QString::fromLatin1(m_record.secondPicture), true);
    loadPictureIfPresent(Image1, QString::fromLatin1(m_record.mainPicture), true);
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
        loadquestions(app.state, QString::fromLatin1(m_record.questionFile));
    } catch (const FileError&) {
        app.messages.tell(QuizOpenFailed, this);
        return;
    }
    Multiple& quiz = app.screens.multiple();
    try {
        loadPicture(quiz.Picture1, QString::fromLatin1(m_record.smallPicture));
    } catch (const FileError&) {
        // The quiz goes on without its picture.
    }
    quiz.Picture1->setAccessibleName(QString::fromUtf8(m_record.mainPictureName));
    quiz.Label5->setText(QStringLiteral("Lumora"));
    quiz.showInFront();
}

void Hub::openActivity(int index) {
    auto open = index == FirstActivity ? m_record.openFirst : m_record.openSecond;
    open(app.screens).showInFront();
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
