#pragma once
// What the three answer-choice drills share: four answer boxes in a row, the
// feedback line, "New Problem", "Show Answer" and "Exit", the judging of a click and
// the flashing of the right box. Each drill adds its problem labels and its own
// calculate, and says where it differs in a DrillLook.

#include "activities/generators.h"
#include "shell/screen.h"

#include <QTimer>
#include <array>

class QLabel;

namespace lumora {

class ButtonLabel;

// Where a drill differs, written as {screen colour, answer boxes, feedback line}.
struct DrillLook {
    // The four answer boxes: bold, in a row across the screen.
    struct Boxes {
        const char* family;
        double points;
        double top, height; // twips
    };
    // The feedback line under them, right across the screen.
    struct Feedback {
        double points;
        double top, height; // twips
    };
    // The decimal drills clear the feedback line before flashing the answer; the
    // triangular drill leaves "Wrong, Try Again" on show beside the flashing box.
    enum ShowAnswer { ClearsFeedback, KeepsFeedback };

    QRgb background;
    Boxes boxes;
    Feedback feedback;
    ShowAnswer showAnswer = ClearsFeedback;
};

class DrillFrame : public Screen {
    Q_OBJECT
public:
    static inline const QString RightText = QStringLiteral("Correct, Well Done");
    static inline const QString WrongText = QStringLiteral("Wrong, Try Again");
    static constexpr int FirstInterval = 1; // ms: the first flash comes at once
    static constexpr int FlashInterval = 250;
    static constexpr QRgb InkBlack = qRgb(0, 0, 0);
    static constexpr QRgb InkWhite = qRgb(255, 255, 255);

    void load() override;

    std::array<ButtonLabel*, drills::Choices> Label3{}; // the answer boxes, left to right
    QLabel* Label1;                                     // the feedback line
    ButtonLabel* cmdgo;                                 // "New Problem"
    ButtonLabel* cmdsoln;                               // "Show Answer"
    ButtonLabel* cmdexit;                               // "Exit"
    QTimer Timer1;                                      // flashes the right box

    int blinkPhase() const { return m_blink; }
    // Whether a box caption is the right answer of the problem on show.
    virtual bool matchesKey(const QString& caption) const = 0;

public slots:
    void tick();

protected:
    DrillFrame(App& app, const QString& name, const DrillLook& look);

    // Builds the next problem: writes the problem labels, the four box captions and
    // the answer key, and nothing else.
    virtual void calculate() = 0;
    // Pictures of the screen, loaded before the first problem.
    virtual void loadPictures() {}

    void showChoices(const drills::ChoiceTexts& texts);
    // The instruction across the top, as the decimal drills have it.
    QLabel* instruction(const QString& text);

private:
    void newProblem();
    void showAnswer();
    void judge(int box);
    void startFlashing();
    void setBoxInk(QRgb colour);

    DrillLook m_look;
    int m_blink = 0;
};

} // namespace lumora
