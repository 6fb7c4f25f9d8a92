// libFuzzer target for the question-file reader: any bytes are read as a quiz. What
// reads must be a whole quiz, and a plain one must come back the same after the
// wizard's writer has written it out again. Built and run by scripts/fuzz.sh.

#include "platform/seqfile.h"
#include "quiz/questionfile.h"
#include "worksheets/worksheet.h"

#include <cstdint>
#include <cstdlib>

using namespace lumora;

namespace {

// Text the writer stores as it is: a field that starts with a blank or a quote, or
// holds a line end, reads back otherwise.
bool plain(const QString& text) {
    return !text.startsWith(' ') && !text.startsWith('\t') && !text.startsWith('"') &&
           !text.contains('\r') && !text.contains('\n') && !text.contains('&');
}

bool sameQuiz(const SharedState& a, const SharedState& b) {
    return a.quiztitle == b.quiztitle && a.question == b.question && a.choicea == b.choicea &&
           a.choiceb == b.choiceb && a.choicec == b.choicec && a.choiced == b.choiced &&
           a.correctanswer == b.correctanswer;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FieldReader file(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    static SharedState state, back; // a thousand catalogue titles each: made once
    state.quiztitle = QStringLiteral("before");
    try {
        loadquestions(state, file);
    } catch (const FileError&) {
        if (state.quiztitle != QLatin1String("before"))
            std::abort(); // a failed read must leave the quiz in memory as it was
        return 0;
    }
    bool roundTrips = plain(state.quiztitle);
    for (int q = 1; q <= SharedState::Questions; ++q) {
        for (const auto* texts : {&state.question, &state.choicea, &state.choiceb,
                                  &state.choicec, &state.choiced})
            roundTrips = roundTrips && plain((*texts)[q]);
        const QString& a = state.correctanswer[q];
        roundTrips = roundTrips && a.size() == 1 && a[0] >= '1' && a[0] <= '4';
    }
    if (!roundTrips)
        return 0;
    FieldReader again(encodeLines(worksheet::fileLines(worksheet::fromQuiz(state))));
    loadquestions(back, again);
    if (!sameQuiz(state, back))
        std::abort();
    return 0;
}
