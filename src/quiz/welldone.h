#pragma once
// The results screen: the score in one of three wordings; a pupil with every answer
// right may type a name and print a certificate, any other pupil may look at the
// questions answered wrongly.

#include "shell/screen.h"

#include <QTimer>
#include <array>

class QLabel;
class QLineEdit;

namespace lumora {

class ButtonLabel;

class Welldone : public Screen {
    Q_OBJECT
public:
    enum Button { FirstButton = 0, ExitButton = 1 };
    static constexpr int NameLength = 25;

    explicit Welldone(App& app);
    void load() override;

    QLabel* Label4;
    QLabel* Picture1;
    QLabel* Label1;
    QLabel* Label6;
    QLabel* Label5;
    QLineEdit* Text1;
    QLabel* Label2;
    std::array<ButtonLabel*, 2> Label3{};
    QTimer Timer1;
    QTimer Timer2;

protected:
    // Closing from the frame leaves as Exit does: the review and the results go together.
    void closedFromFrame() override { exitClicked(); }
    // A pupil's name in the box is kept from a stray Escape.
    bool holdsTypedWork() const override;

private:
    void firstClicked();
    void exitClicked();
    void showPicture();
    void settleFocus();
};

} // namespace lumora
