#pragma once
// The program for a test: a scratch working folder holding the product's content,
// the application on it, and the platform services scripted so that nothing blocks
// and nothing leaves the machine.

#include "shell/app.h"
#include "testing.h"

#include <QPoint>
#include <QUrl>
#include <deque>

namespace lumora {
class Intro0;
}

namespace lumora::testing {

class TestApp {
public:
    // Copies the given data files (or folders) into the scratch folder before the program
    // starts: by default the pictures and the quizzes.
    explicit TestApp(const QStringList& dataFiles = {"Images", "multiple"});
    ~TestApp();
    // A recording printer that adds its printout to `printouts`; a jammed one fails as
    // it finishes.
    std::unique_ptr<Printer> keptPrinter(bool jammed = false);
    QString lastMessage() const; // the text of the last message box; empty when none

    ScratchFolder folder;
    App app;
    int endings = 0;
    std::vector<QUrl> opened;
    // What was printed, a printout each (on a recording printer unless a test sets
    // another opener).
    std::vector<std::vector<RecordingPrinter::Operation>> printouts;
    // Answers for the next message boxes; an unexpected box is answered OK and
    // shows in app.messages.history().
    std::deque<MessageAnswer> answers;
};

// A quiz scored 10 out of 10: question i is "What is i, doubled?", its choices 2i, i, i + 2, i².
inline SharedState sampleQuiz() {
    SharedState s;
    for (int i = 1; i <= SharedState::Questions; ++i) {
        s.question[i] = QStringLiteral("What is %1, doubled?").arg(i);
        s.choicea[i] = QString::number(2 * i);
        s.choiceb[i] = QString::number(i);
        s.choicec[i] = QString::number(i + 2);
        s.choiced[i] = QString::number(i * i);
    }
    s.score = s.total = 10;
    return s;
}

// A program whose folder also holds the pages: the guide's, the notes' and the logo.
std::unique_ptr<TestApp> withPages();

// Starts the program and clicks through the title screen to the main menu (or, by
// keys, presses Return there).
enum MenuWay { ByMouse, ByKeys };
Intro0& openMenu(TestApp& t, MenuWay way = ByMouse);

// Lets posted events run (deferred deletes too) without waiting on anything.
void settle();

// Shows a screen in front, with a window of its own, and lets it settle.
template <class S> S& shown(S& s) {
    s.showInFront();
    s.winId();
    settle();
    return s;
}

// Keys pressed, or text typed, on whichever window has the keyboard, as a user does.
void keys(std::initializer_list<int> ks);
inline void key(int k) { keys({k}); }
void type(const QString& text);

// The choice (1 to 4) that answers the question on show.
inline int rightChoice(const SharedState& s) { return s.correctanswer[s.questnum].toInt(); }

// A real mouse move or click at a point of a widget, delivered through its window as
// the platform would deliver it (to whatever control lies under the point).
void moveMouse(QWidget* widget, QPoint pos = QPoint(-1, -1));
void clickMouse(QWidget* widget, Qt::MouseButton button = Qt::LeftButton,
                QPoint pos = QPoint(-1, -1));

} // namespace lumora::testing
