#include "quiz/scoring.h"

#include "platform/numtext.h"

namespace lumora::scoring {

bool isRight(const QString& correctanswer, int chosen) {
    bool ok = false;
    const int k = correctanswer.trimmed().toInt(&ok);
    return ok && k >= 1 && k <= 4 && k == chosen;
}

Result count(const SharedState& state) {
    Result r;
    for (int i = 1; i <= SharedState::Questions; ++i) {
        r.score += state.questresult[i];
        if (state.questresult[i] == 0)
            r.reviewLines << signedText(i) + QStringLiteral(". ") + state.question[i];
    }
    return r;
}

Band band(int score, int total) {
    if (score == total)
        return Band::Perfect;
    if (score == total - 1 || score == total - 2)
        return Band::Good;
    return Band::Plain;
}

QString scoreLine(int score, int total) {
    return QStringLiteral("You have scored") + signedText(score) + QStringLiteral(" out of") +
           signedText(total) + '.';
}

QString resultMessage(int score, int total) {
    switch (band(score, total)) {
    case Band::Perfect:
        return QStringLiteral("Excellent work. ") + scoreLine(score, total);
    case Band::Good:
        return QStringLiteral("Good work. ") + scoreLine(score, total);
    case Band::Plain:
        break;
    }
    return scoreLine(score, total);
}

QString hint(int score, int total) {
    return band(score, total) == Band::Perfect
               ? QString()
               : QStringLiteral(
                     "Click the button above to check which questions you answered incorrectly.");
}

QString firstButtonCaption(int score, int total) {
    return band(score, total) == Band::Perfect ? QStringLiteral("Print Certificate")
                                               : QStringLiteral("Check Wrong Answers");
}

} // namespace lumora::scoring
