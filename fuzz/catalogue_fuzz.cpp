// libFuzzer target for the catalogue reader: any bytes are read as track.txt. The
// count never passes the titles read or the 1000 the catalogue holds, and a list
// that reads must read the same after the catalogue's writer has written it out.
// Built and run by scripts/fuzz.sh.

#include "platform/numtext.h"
#include "platform/seqfile.h"
#include "worksheets/catalogue.h"

#include <cstdint>
#include <cstdlib>

using namespace lumora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FieldReader file(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    static SharedState state; // a thousand titles: made once
    state.numworksheets = 0;
    bool whole = true;
    try {
        catalogue::read(state, file);
    } catch (const FileError&) {
        whole = false;
    }
    const int count = state.numworksheets;
    if (count < 0 || count > SharedState::MaxWorksheets)
        std::abort();
    QStringList lines{signedText(count) + ' '};
    for (int i = 1; i <= count; ++i) {
        const QString& title = state.worksheetname[i];
        (void)catalogue::isStorableTitle(catalogue::shownTitle(title));
        (void)catalogue::worksheetFile(title);
        // Only a title that starts with a blank or a quote, or holds a comma, reads
        // back otherwise (the reader's field rules).
        if (title.startsWith(' ') || title.startsWith('\t') || title.startsWith('"') ||
            title.contains(',') || title.contains('\r') || title.contains('\n'))
            whole = false;
        lines << title;
    }
    if (!whole)
        return 0;
    FieldReader again(encodeLines(lines));
    static SharedState back;
    catalogue::read(back, again);
    if (back.numworksheets != count)
        std::abort();
    for (int i = 1; i <= count; ++i) {
        if (back.worksheetname[i] != state.worksheetname[i])
            std::abort();
    }
    return 0;
}
