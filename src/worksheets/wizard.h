#pragma once
// The multiple-choice wizard: a teacher writes a title, ten questions, four choices
// each and ticks the right one, then saves the worksheet into the catalogue.

#include "shell/screen.h"
#include "worksheets/worksheet.h"

#include <array>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace lumora {

class ButtonLabel;

// The text boxes in the order a teacher fills them: the title, then for each
// question its box and its choices A to D.
struct WizardBox {
    enum Kind { Title, Question, Choice } kind;
    int question = 0; // 0 to 9
    int choice = 0;   // 0 to 3 for a choice box
    bool operator==(const WizardBox&) const = default;
};

// Where Enter in a box sends the focus; nothing after the last choice.
std::optional<WizardBox> enterTarget(WizardBox from);

class Wizard : public Screen {
    Q_OBJECT
public:
    enum Button { ExitButton = 0, SaveButton = 1 };

    explicit Wizard(App& app);
    void load() override;
    // The designed order: the title, each question with its choices, the ticks, then
    // the two buttons.
    std::vector<QWidget*> tabChain() const override;

    worksheet::Entries entries() const;
    // Fills every box from the entries and sets each question's ticks to match them.
    void fill(const worksheet::Entries& entries);

    QLineEdit* box(WizardBox b) const;

    std::vector<QLabel*> Label1;
    QLineEdit* Text1;
    std::array<QLineEdit*, worksheet::Questions> Text2{};
    std::array<QLineEdit*, worksheet::Questions * worksheet::Choices> Text3{};
    std::array<QCheckBox*, worksheet::Questions * worksheet::Choices> Check1{};
    std::array<ButtonLabel*, 2> Label3{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Anything typed or ticked since the wizard opened or last saved.
    bool holdsTypedWork() const override { return m_unsaved; }

private:
    void genwork();
    void saveworksheet(const worksheet::Entries& entries);
    std::optional<WizardBox> boxOf(QObject* widget) const;

    bool m_unsaved = false;
};

} // namespace lumora
