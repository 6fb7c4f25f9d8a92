#pragma once
// A teacher's worksheet as the wizard holds it, its checks, and its file: the
// question-file layout, every "," stored as "&".

#include "shell/sharedstate.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace lumora::worksheet {

inline constexpr int Questions = 10;
inline constexpr int Choices = 4;
inline constexpr int TitleLength = 25;
inline constexpr int QuestionLength = 60;
inline constexpr int ChoiceLength = 30;

struct Entries {
    QString title;
    std::array<QString, Questions> question;         // question q + 1
    std::array<QString, Questions * Choices> choice; // choice c of question q + 1 at 4q + c
    std::array<bool, Questions * Choices> ticked{};  // the tick box beside each choice
};

// The first problem that keeps the entries from being saved, in the order a
// teacher fills them in, or nothing when they can be saved. Only the empty string
// counts as empty; blanks are an entry.
std::optional<QString> genwork(const Entries& entries);

// The 72 lines of the worksheet file.
QStringList fileLines(const Entries& entries);

// The entries of the quiz in memory (as loaded from a worksheet file): every box
// filled and the stored answer ticked.
Entries fromQuiz(const SharedState& state);

inline const QString Saved = QStringLiteral("Your worksheet has been saved.");
inline const QString SaveFailed = QStringLiteral("There was a problem saving your worksheet");

// Saves the worksheet as "multiple/" + title + ".txt" (the title in its stored form)
// and adds its title to the catalogue. Before anything is written the title and the
// catalogue are checked, so a title that cannot be stored, an unreadable or full
// catalogue writes nothing; the file itself is replaced atomically. Throws FileError.
void saveworksheet(SharedState& state, const Entries& entries);

} // namespace lumora::worksheet
