#include "quiz/questionfile.h"

#include "platform/seqfile.h"

namespace lumora {

namespace {

// Text that no question file holds: a binary file read as text shows itself here.
bool looksLikeText(const QString& field) {
    for (QChar c : field) {
        if (c.unicode() < 0x20 && c != '\t')
            return false;
    }
    return true;
}

QString readText(FieldReader& file) {
    const QString field = file.readField();
    if (!looksLikeText(field))
        throw FileError(QStringLiteral("this is not a question file"));
    return decodeCommas(field);
}

} // namespace

QString encodeCommas(const QString& text) {
    QString out = text;
    out.replace(',', '&');
    return out;
}

QString decodeCommas(const QString& text) {
    QString out = text;
    out.replace('&', ',');
    return out;
}

void loadquestions(SharedState& state, FieldReader& file) {
    // Read into a copy so that a file that fails halfway leaves the quiz in memory whole.
    SharedState::QuestionTexts question, a, b, c, d, answer;
    const QString title = readText(file);
    readText(file);
    for (int q = 1; q <= SharedState::Questions; ++q) {
        question[q] = readText(file);
        a[q] = readText(file);
        b[q] = readText(file);
        c[q] = readText(file);
        d[q] = readText(file);
        answer[q] = file.readField();
        if (!looksLikeText(answer[q]))
            throw FileError(QStringLiteral("this is not a question file"));
        readText(file);
    }
    state.quiztitle = title;
    state.question = question;
    state.choicea = a;
    state.choiceb = b;
    state.choicec = c;
    state.choiced = d;
    state.correctanswer = answer;
}

void loadquestions(SharedState& state, const QString& resourceName) {
    FieldReader file = FieldReader::open(resourceName);
    loadquestions(state, file);
}

} // namespace lumora
