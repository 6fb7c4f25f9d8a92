#pragma once
// The rules of marking and scoring a quiz, without the screens.

#include "shell/sharedstate.h"

#include <QString>
#include <QStringList>

namespace lumora::scoring {

// Whether choice `chosen` (1 to 4, 0 for none) is the stored right answer. A stored
// answer that is not a whole number from 1 to 4 (a damaged file) is never matched,
// so the question counts as wrong.
bool isRight(const QString& correctanswer, int chosen);

// The score of the marks of questions 1 to 10 and one review line for each wrong
// answer, in question order: " 2. " followed by the question.
struct Result {
    int score = 0;
    QStringList reviewLines;
};
Result count(const SharedState& state);

// What the results screen says for a score out of a total.
enum class Band { Perfect, Good, Plain };
Band band(int score, int total);
QString resultMessage(int score, int total);
// The hint under the message; empty for a perfect score.
QString hint(int score, int total);
QString firstButtonCaption(int score, int total);

// The score line of the certificate: "You have scored 10 out of 10."
QString scoreLine(int score, int total);

} // namespace lumora::scoring
