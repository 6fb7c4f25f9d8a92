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

struct HubRecord {
    const char* screenName;      // "tiberan", "malten"
    const char* caption;         // the mathematician's name
    const char* mainPicture;     // centred across the screen
    const char* mainPictureName; // what it shows, for a screen reader
    double mainTop;              // twips
    const char* secondPicture;   // at the top left, or null
    const char* secondPictureName;
    const char* firstActivity;       // caption of Label3(1)
    const char* secondActivity;      // caption of Label3(3)
    Screen& (*openFirst)(Screens&);  // the screen of Label3(1)
    Screen& (*openSecond)(Screens&); // the screen of Label3(3)
    const char* questionFile;
    const char* smallPicture; // the quiz screen's picture
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
