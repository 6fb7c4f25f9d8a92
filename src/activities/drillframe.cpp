#include "activities/drillframe.h"

#include "platform/twips.h"
#include "shell/app.h"
#include "shell/buttonlabel.h"
#include "shell/controls.h"
#include "shell/fitscreen.h"

#include <QLabel>

namespace lumora {

namespace {

constexpr double Margin = 360;
constexpr double BoxWidth = 2640;
constexpr double BoxGap = 240;
constexpr double ButtonWidth = 2640;

constexpr TwipsBox buttonBox(double left) { return {left, 8040, ButtonWidth, 600}; }

} // namespace

DrillFrame::DrillFrame(App& app, const QString& name, const DrillLook& look)
    : Screen(app, name), m_look(look) {
    for (int i = 0; i < drills::Choices; ++i) {
        auto* box = buttonLabel(
            this, QStringLiteral("Label3(%1)").arg(i), QString(),
            {Margin + i * (BoxWidth + BoxGap), look.boxes.top, BoxWidth, look.boxes.height},
            {look.boxes.family, look.boxes.points, Weight::Bold}, colours::Yellow);
        box->setWordWrap(false);
        connect(box, &ButtonLabel::clicked, this, [this, i] { judge(i); });
        Label3[i] = box;
    }

    Label1 = label(this, QStringLiteral("Label1"), QString(),
                   {.font = {"Arial", look.feedback.points}, .alignment = Qt::AlignCenter},
                   {0, look.feedback.top, ScreenWidth, look.feedback.height});
    Label1->hide();

    cmdgo = buttonLabel(this, QStringLiteral("cmdgo"), QStringLiteral("New Problem"),
                        buttonBox(Margin));
    cmdsoln = buttonLabel(this, QStringLiteral("cmdsoln"), QStringLiteral("Show Answer"),
                          buttonBox((ScreenWidth - ButtonWidth) / 2));
    cmdexit = buttonLabel(this, QStringLiteral("cmdexit"), QStringLiteral("Exit"),
                          buttonBox(ScreenWidth - Margin - ButtonWidth));
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

QLabel* DrillFrame::instruction(const QString& text) {
    return label(this, QStringLiteral("Label6"), text,
                 {.font = {"Arial", 36}, .alignment = Qt::AlignCenter, .wraps = true},
                 {360, 360, ScreenWidth - 720, 1680});
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
    if (m_look.showAnswer == DrillLook::ClearsFeedback)
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
