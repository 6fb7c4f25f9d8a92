#include "activities/drillframe.h"

#include "platform/fonts.h"
#include "platform/twips.h"
#include "shell/app.h"
#include "shell/buttonlabel.h"
#include "shell/fitscreen.h"

#include <QLabel>

namespace lumora {

namespace {

constexpr double Margin = 360;
constexpr double BoxWidth = 2640;
constexpr double BoxGap = 240;
constexpr double ButtonTop = 8040;
constexpr double ButtonWidth = 2640;
constexpr double ButtonHeight = 600;

ButtonLabel* makeButton(QWidget* parent, const char* name, const char* caption, double left) {
    auto* b = new ButtonLabel(parent, QString::fromLatin1(name), QString::fromLatin1(caption),
                              colours::Black);
    b->setFont(designFont(QStringLiteral("Tahoma"), 15.75, Weight::Bold));
    setTwipsGeometry(b, left, ButtonTop, ButtonWidth, ButtonHeight);
    return b;
}

} // namespace

DrillFrame::DrillFrame(App& app, const QString& name, const DrillLook& look)
    : Screen(app, name), m_look(look) {
    for (int i = 0; i < drills::Choices; ++i) {
        auto* box =
            new ButtonLabel(this, QStringLiteral("Label3(%1)").arg(i), QString(), colours::Yellow);
        box->setFont(designFont(QString::fromLatin1(look.boxFont), look.boxPoints, Weight::Bold));
        box->setWordWrap(false);
        setForeground(box, InkBlack);
        setTwipsGeometry(box, Margin + i * (BoxWidth + BoxGap), look.boxesTop, BoxWidth,
                         look.boxHeight);
        connect(box, &ButtonLabel::clicked, this, [this, i] { judge(i); });
        Label3[i] = box;
    }

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(designFont(QStringLiteral("Arial"), look.feedbackPoints));
    setForeground(Label1, colours::Yellow);
    Label1->setAlignment(Qt::AlignCenter);
    setTwipsGeometry(Label1, 0, look.feedbackTop, ScreenWidth, look.feedbackHeight);
    Label1->hide();

    cmdgo = makeButton(this, "cmdgo", "New Problem", Margin);
    cmdsoln = makeButton(this, "cmdsoln", "Show Answer", (ScreenWidth - ButtonWidth) / 2);
    cmdexit = makeButton(this, "cmdexit", "Exit", ScreenWidth - Margin - ButtonWidth);
    connect(cmdgo, &ButtonLabel::clicked, this, &DrillFrame::newProblem);
    connect(cmdsoln, &ButtonLabel::clicked, this, &DrillFrame::showAnswer);
    connect(cmdexit, &ButtonLabel::clicked, this, [this] { this->app.screens.unload(this); });
    setExitButton(cmdexit);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setParent(this);
    Timer1.setInterval(FirstInterval);
    connect(&Timer1, &QTimer::timeout, this, &DrillFrame::tick);
}

void DrillFrame::load() {
    fitscreen(*this);
    setBackground(this, m_look.background);
    loadPictures();
    newProblem();
}

void DrillFrame::showChoices(const drills::ChoiceTexts& texts) {
    for (int i = 0; i < drills::Choices; ++i)
        Label3[i]->setText(texts[i]);
}

void DrillFrame::newProblem() {
    Label1->hide();
    m_blink = 0;
    setBoxInk(InkBlack);
    Timer1.stop();
    calculate();
}

void DrillFrame::showAnswer() {
    if (m_look.showAnswerHidesFeedback)
        Label1->hide();
    startFlashing();
}

void DrillFrame::judge(int box) {
    if (matchesKey(Label3[box]->text())) {
        Label1->setText(RightText);
        startFlashing();
    } else {
        // Ends a flash under way, whatever its phase.
        Timer1.stop();
        setBoxInk(InkBlack);
        Label1->setText(WrongText);
    }
    Label1->show();
}

void DrillFrame::startFlashing() {
    // Switching on a timer that already runs must not put its next tick back.
    if (!Timer1.isActive())
        Timer1.start();
}

void DrillFrame::tick() {
    if (Timer1.interval() != FlashInterval)
        Timer1.setInterval(FlashInterval);
    m_blink = (m_blink + 1) % 2;
    for (ButtonLabel* box : Label3) {
        if (matchesKey(box->text()))
            setForeground(box, m_blink == 1 ? InkBlack : InkWhite);
    }
}

void DrillFrame::setBoxInk(QRgb colour) {
    for (ButtonLabel* box : Label3)
        setForeground(box, colour);
}

} // namespace lumora
