#pragma once
// The worksheet catalogue screen: the teachers' worksheets 24 to a page. A click on
// a title runs it as a quiz, opens it in the wizard (Edit) or takes it out of the
// catalogue (Delete).

#include "shell/screen.h"

#include <array>

class QCheckBox;
class QLabel;

namespace lumora {

class ButtonLabel;

namespace catalogue_page {
inline constexpr int Size = 24;
inline constexpr int LastPage = 41; // the 42nd page, entries 985 to 1000

enum class Mode { Quiz, Edit, Delete };
Mode mode(bool editTicked, bool deleteTicked);

// The catalogue indexes shown on page P, first to last (last < first when none).
struct Range {
    int first;
    int last;
};
Range entriesOf(int page, int numworksheets);
bool hasNextPage(int page, int numworksheets);
} // namespace catalogue_page

class Worksheets : public Screen {
    Q_OBJECT
public:
    enum Link { PreviousPage = 0, NextPage = 1 };
    static constexpr int ExitButton = 0; // Label2(0); entries are Label2(1) to Label2(24)

    static inline const QString Corrupted = QStringLiteral("This worksheet seems to be corrupted.");

    explicit Worksheets(App& app);
    void load() override;

    QLabel* Label1;
    std::array<ButtonLabel*, catalogue_page::Size + 1> Label2{};
    std::array<ButtonLabel*, 2> Label3{};
    QLabel* Label4;
    QCheckBox* Check1;
    QCheckBox* Check2;

protected:
    void closedFromFrame() override { exitClicked(); }

private:
    void workpage();
    void turnPage(int by);
    void entryClicked(int k);
    void editworksheet();
    void runQuiz();
    void deleteEntry(const QString& caption);
    void exitClicked();
};

} // namespace lumora
