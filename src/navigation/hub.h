#pragma once
// A topic hub: the mathematician's name and pictures on black, with Key Facts,
// Teacher's Notes, the topic's quiz, two activities and Exit. The two hubs are one
// screen class with two records.

#include "shell/screen.h"

#include <array>

class QLabel;

namespace lumora {

class ButtonLabel;
class Screens;

struct PageSet {
    int pagecount;
    const char* pageset;
};

struct HubPicture {
    const char* file;        // null: no picture
    const char* description; // what it shows, for a screen reader
    double top;              // twips
};

struct HubActivity {
    const char* caption;
    Screen& (*open)(Screens&);
};

struct HubQuiz {
    const char* questionFile; // in the worksheet folder
    const char* picture;      // the quiz screen's small picture
};

struct HubRecord {
    const char* screenName;     // "tiberan", "malten"
    const char* caption;        // the mathematician's name
    HubPicture mainPicture;     // centred across the screen
    HubPicture cornerPicture;   // at the top left
    HubActivity firstActivity;  // Label3(1)
    HubActivity secondActivity; // Label3(3)
    HubQuiz quiz;
    PageSet keyFacts;
    PageSet notes;

    static const HubRecord tiberan;
    static const HubRecord malten;
};

class Hub : public Screen {
    Q_OBJECT
public:
    enum Button {
        MultipleChoice = 0,
        FirstActivity = 1,
        ExitButton = 2,
        SecondActivity = 3,
        KeyFacts = 4,
        TeachersNotes = 5,
    };
    static inline const QString QuizOpenFailed = QStringLiteral(
        "Sorry, this quiz could not be opened. Its question file is missing or damaged.");

    Hub(App& app, const HubRecord& record);
    void load() override;

    const HubRecord& record() const { return m_record; }

    QLabel* Label1;
    std::array<ButtonLabel*, 6> Label3{};
    QLabel* Image1;
    QLabel* Image2 = nullptr; // the first hub only

private:
    void clicked(int index);
    void openQuiz();
    void openActivity(int index);
    void openPages(const PageSet& pages);

    const HubRecord& m_record;
};

} // namespace lumora
