#include "quiz/multiple.h"

#include "platform/numtext.h"
#include "platform/product.h"
#include "platform/twips.h"
#include "quiz/printouts.h"
#include "quiz/scoring.h"
#include "quiz/welldone.h"
#include "quiz/wrong.h"
#include "shell/app.h"
#include "shell/buttonlabel.h"
#include "shell/controls.h"
#include "shell/fitscreen.h"

#include <QAccessibleWidget>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>

namespace lumora {

Multiple& Screens::multiple() { return get<Multiple>(QStringLiteral("multiple")); }

namespace {

constexpr FontDesign Heading{"Times New Roman", 24};
constexpr QRgb Green = qRgb(0, 255, 0);
constexpr QRgb LightBlue = qRgb(0, 255, 255);

// A choice is an option button that takes a click anywhere in its box, not only on
// its circle and words.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// The no-choice button stands behind the picture; a screen reader must not offer it
// as an empty fifth choice.
class NoChoiceAccessible : public QAccessibleWidget {
public:
    explicit NoChoiceAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::RadioButton) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        s.focusable = false;
        return s;
    }
};

QAccessibleInterface* noChoiceFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("QRadioButton") &&
        object->objectName() == QLatin1String("Option1(5)"))
        return new NoChoiceAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

struct ButtonDesign {
    const char* caption;
    TwipsBox box;
};

// Label3 by index: the question links and Exit along the bottom, Print under the picture.
constexpr ButtonDesign Buttons[] = {
    {"<< Previous Question", {240, 8160, 3720, 480}},
    {"Next Question >>", {4200, 8160, 3720, 480}},
    {"Exit", {9960, 8160, 1800, 480}},
    {"Print Worksheet", {9120, 2160, 2640, 480}},
};

} // namespace

Multiple::Multiple(App& app) : Screen(app, QStringLiteral("multiple")) {
    Label1 = label(this, QStringLiteral("Label1"), QStringLiteral("Multiple Choice"), Banner,
                   {240, 240, 6480, 840});
    Label5 = label(this, QStringLiteral("Label5"), ProductName, {.font = Heading, .ink = Green},
                   {240, 1200, 8640, 540});
    Label6 = label(this, QStringLiteral("Label6"), QStringLiteral("Worksheet 1"),
                   {.font = Heading, .ink = LightBlue}, {240, 1740, 8640, 540});

    // The no-choice button hides behind the picture box: choosing it clears the four.
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(noChoiceFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    m_choices = new QButtonGroup(this);
    for (int i = 1; i <= NoChoice; ++i) {
        auto* option = checkBox<OptionButton>(this, QStringLiteral("Option1(%1)").arg(i), QString(),
                                              {.font = {"Times New Roman", 20.25}},
                                              {1200, 4560 + 720.0 * (i - 1), 10200, 600});
        m_choices->addButton(option, i);
        option->installEventFilter(this);
        Option1[i] = option;
    }
    // Tab passes it by; it still takes the focus the design gives it.
    Option1[NoChoice]->setFocusPolicy(Qt::NoFocus);

    Picture1 = pictureBox(this, QStringLiteral("Picture1"), QString(), {9360, 240, 2400, 1800});
    Label4 = label(this, QStringLiteral("Label4"), QStringLiteral("Question 1"), {.font = Heading},
                   {240, 2520, 6000, 540});
    Label2 = label(this, QStringLiteral("Label2"), QString(),
                   {.font = {"Times New Roman", 30}, .alignment = Qt::AlignCenter, .wraps = true},
                   {240, 3060, 11520, 1440});

    for (int i = 0; i < 4; ++i)
        Label3[i] = buttonLabel(this, QStringLiteral("Label3(%1)").arg(i),
                                QString::fromLatin1(Buttons[i].caption), Buttons[i].box);
    Label3[Backward]->hide();
    Label3[PrintButton]->hide();
    connect(Label3[Backward], &ButtonLabel::clicked, this, &Multiple::backward);
    connect(Label3[Forward], &ButtonLabel::clicked, this, &Multiple::forward);
    connect(Label3[PrintButton], &ButtonLabel::clicked, this, [this] {
        printouts::runWorksheetPrintout(this->app.messages, this->app.printers, Label5->text(),
                                        Label6->text(), this->app.state, this);
    });
    connect(Label3[ExitButton], &ButtonLabel::clicked, this,
            [this] { this->app.screens.unload(this); });
    setHoverResets({Label3[0], Label3[1], Label3[2], Label3[3]});
    setExitButton(Label3[ExitButton]);
}

void Multiple::load() {
    fitscreen(*this);
    SharedState& s = app.state;
    s.score = 0;
    s.total = SharedState::Questions;
    s.questnum = 1;
    for (int i = 1; i <= SharedState::Questions; ++i)
        s.questresult[i] = 0;
    Option1[NoChoice]->move(Picture1->x() + twipsToPixels(240), Picture1->y() + twipsToPixels(240));
    Picture1->raise();
    for (int i = 1; i <= 4; ++i)
        setBackground(Option1[i], colours::ScreenBlue);
    Label6->setText(s.quiztitle);
    showquest();
}

void Multiple::offerPrinting() { Label3[PrintButton]->show(); }

void Multiple::showquest() {
    const SharedState& s = app.state;
    const int q = s.questnum;
    Option1[NoChoice]->setChecked(true);
    Label3[Backward]->show();
    Label3[Forward]->setText(QStringLiteral("Next Question >>"));
    Label4->setText(QStringLiteral("Question") + signedText(q));
    Label2->setText(s.question[q]);
    Option1[1]->setText(s.choicea[q]);
    Option1[2]->setText(s.choiceb[q]);
    Option1[3]->setText(s.choicec[q]);
    Option1[4]->setText(s.choiced[q]);
    if (q == 1)
        Label3[Backward]->hide();
    if (q == SharedState::Questions)
        Label3[Forward]->setText(QStringLiteral("Check Score >>"));
    if (Option1[NoChoice]->isVisible())
        Option1[NoChoice]->setFocus();
}

bool Multiple::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !m_choices->buttons().contains(watched))
        return Screen::eventFilter(watched, event);
    // The arrows go round the four choices, from no choice to the first or last.
    int step = 0;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Down:
    case Qt::Key_Right:
        step = 1;
        break;
    case Qt::Key_Up:
    case Qt::Key_Left:
        step = -1;
        break;
    default:
        return Screen::eventFilter(watched, event);
    }
    const int from = chosen();
    const int to = from == 0 ? (step > 0 ? 1 : 4) : (from - 1 + step + 4) % 4 + 1;
    Option1[to]->setChecked(true);
    Option1[to]->setFocus(Qt::TabFocusReason);
    return true;
}

int Multiple::chosen() const {
    const int id = m_choices->checkedId();
    return id >= 1 && id <= 4 ? id : 0;
}

void Multiple::backward() {
    if (app.state.questnum <= 1)
        return;
    --app.state.questnum;
    showquest();
}

void Multiple::forward() {
    SharedState& s = app.state;
    if (s.questnum < 1 || s.questnum > SharedState::Questions)
        return; // the quiz has been scored already
    s.questresult[s.questnum] = scoring::isRight(s.correctanswer[s.questnum], chosen()) ? 1 : 0;
    ++s.questnum;
    if (s.questnum <= SharedState::Questions) {
        showquest();
        return;
    }
    finish();
}

void Multiple::finish() {
    SharedState& s = app.state;
    const scoring::Result result = scoring::count(s);
    s.score += result.score;
    app.screens.wrong().fill(Label6->text(), result.reviewLines);
    s.quizheading = Label5->text();
    Welldone& results = app.screens.welldone();
    results.Label6->hide();
    results.Label5->show();
    results.Label3[Welldone::FirstButton]->show();
    results.showInFront();
    app.screens.unload(this);
}

} // namespace lumora

#include "multiple.moc"
