#pragma once
// The quiz screen: the ten questions of the loaded quiz one at a time, each with
// its four choices. The forward button marks the question on screen; after the
// tenth it counts the score, fills the review and opens the results screen.

#include "shell/screen.h"

#include <array>

class QButtonGroup;
class QLabel;
class QRadioButton;

namespace lumora {

class ButtonLabel;

class Multiple : public Screen {
    Q_OBJECT
public:
    enum Button { Backward = 0, Forward = 1, ExitButton = 2, PrintButton = 3 };
    static constexpr int NoChoice = 5; // Option1(5): chosen, it leaves the four unchosen

    explicit Multiple(App& app);
    void load() override;

    // Offers "Print Worksheet" (for a teacher's worksheet opened from the catalogue).
    void offerPrinting();

    QLabel* Label1;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Picture1;
    QLabel* Label4;
    QLabel* Label2;
    std::array<QRadioButton*, 6> Option1{}; // 1 to 5; index 0 is unused
    std::array<ButtonLabel*, 4> Label3{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showquest();
    void backward();
    void forward();
    void finish();
    int chosen() const;

    QButtonGroup* m_choices;
};

} // namespace lumora
