#pragma once
// The title screen: the product's title and a mathematician's portrait over "OK"
// and "Exit". The main menu shows it again as its exit confirmation, with the
// first button captioned "Cancel".

#include "shell/screen.h"

class QFrame;
class QLabel;
class QPushButton;

namespace lumora {

// Offers the registry the main menu, for the screens beneath it to go back to.
// startProgram does it first; a program that opens some other screen first (a test,
// a tool) does it itself.
void offerMenu(App& app);
// Opens the program's first screen.
void startProgram(App& app);

class Titlefrm : public Screen {
    Q_OBJECT
public:
    static constexpr double InnerWidth = 5460;
    static constexpr double InnerHeight = 6570;
    // The title, which the menu shows as its heading too.
    static inline const QString ProductTitle = QStringLiteral("Lumora Mathematics");

    explicit Titlefrm(App& app);
    void load() override;

    // True when the load step could not complete and the screen was fitted like a
    // main screen instead.
    bool usedFallback() const { return m_fallback; }

    QLabel* Label4;
    QFrame* Frame1;
    QLabel* Picture1;
    QPushButton* Command1;
    QPushButton* Command2;
    QLabel* Label1;
    QLabel* Label2;

protected:
    void closedFromFrame() override;

private:
    void firstButtonClicked();

    bool m_fallback = false;
};

} // namespace lumora
