#pragma once
// The wrong-answers review: the questions of the finished quiz that were answered
// wrongly, by number and text. The quiz screen fills it while it is hidden; the
// results screen shows it.

#include "shell/screen.h"

#include <QStringList>
#include <array>

class QLabel;

namespace lumora {

class ButtonLabel;

class Wrong : public Screen {
    Q_OBJECT
public:
    static constexpr int Lines = 10;
    enum Button { ExitButton = 1 };

    explicit Wrong(App& app);
    void load() override;

    // Fills the title and one line for each wrong answer; the other lines stay hidden.
    void fill(const QString& title, const QStringList& lines);

    QLabel* Label6;
    QLabel* Label4;
    std::array<QLabel*, Lines> Label2{};
    QLabel* Label5;
    std::array<ButtonLabel*, 2> Label3{}; // only index 1 exists

protected:
    // Closing from the frame leaves as Exit does: the review and the results go together.
    void closedFromFrame() override { exitClicked(); }

private:
    void exitClicked();
};

} // namespace lumora
