#include "worksheets/catalogue.h"

#include "platform/codepage.h"
#include "platform/folderlock.h"
#include "platform/numtext.h"
#include "platform/places.h"
#include "platform/seqfile.h"
#include "quiz/questionfile.h"

namespace lumora::catalogue {

namespace {

// Replaces the catalogue with titles 1 to count of the shared catalogue, leaving out
// the one at index `skip` when it is not 0.
void write(const SharedState& state, int count, int skip = 0) {
    QStringList lines{signedText(skip ? count - 1 : count) + ' '};
    for (int i = 1; i <= count; ++i) {
        if (i != skip)
            lines << state.worksheetname[i];
    }
    LineWriter out(FileName);
    out.writeLines(lines);
    out.commit();
}

} // namespace

void read(SharedState& state, FieldReader& in) {
    state.numworksheets = 0;
    const int count = in.readInteger();
    if (count < 0)
        throw FileError(QStringLiteral("the catalogue's count is negative"));
    // A count that promises more than follows loses none of the titles that do.
    for (int i = 1; i <= count && !in.atEnd(); ++i) {
        if (i > SharedState::MaxWorksheets)
            throw FileError(QStringLiteral("the catalogue holds more than 1000 titles"));
        state.worksheetname[i] = in.readField();
        state.numworksheets = i;
    }
}

void read(SharedState& state, const QString& file) {
    state.numworksheets = 0;
    FieldReader in = FieldReader::open(file);
    read(state, in);
}

bool readQuietly(SharedState& state, const QString& file) {
    try {
        read(state, file);
        return true;
    } catch (const FileError&) {
        return false;
    }
}

bool isStorableTitle(const QString& typed) {
    if (typed.isEmpty() || typed.front() == ' ' || typed.back() == ' ' || typed.back() == '.')
        return false;
    static const QString Forbidden = QStringLiteral("\"/\\:*?<>|");
    for (QChar c : typed) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || Forbidden.contains(c))
            return false;
    }
    // The file must not be one the program depends on ("track", "Tiberan", any case).
    return cp1252::canEncode(typed) && !isProductFile(storedTitle(typed) + QStringLiteral(".txt"));
}

QString storedTitle(const QString& typed) { return encodeCommas(typed); }

QString shownTitle(const QString& stored) { return decodeCommas(stored); }

QString worksheetFile(const QString& title) {
    return Folder + '/' + storedTitle(title) + QStringLiteral(".txt");
}

int indexOf(const SharedState& state, const QString& typed) {
    const QString title = storedTitle(typed);
    for (int i = 1; i <= state.numworksheets; ++i) {
        if (state.worksheetname[i].compare(title, Qt::CaseInsensitive) == 0)
            return i;
    }
    return 0;
}

void trackworksheets(SharedState& state, const QString& typed) {
    if (!isStorableTitle(typed))
        throw FileError(QStringLiteral("this title cannot be stored"));
    const FolderLock lock(Folder);
    read(state);
    if (indexOf(state, typed) != 0)
        return;
    const int count = state.numworksheets;
    if (count >= SharedState::MaxWorksheets)
        throw FileError(QStringLiteral("the catalogue is full"));
    state.worksheetname[count + 1] = storedTitle(typed);
    write(state, count + 1);
}

bool delworksheet(SharedState& state) {
    const FolderLock lock(Folder);
    removeStaleTemporaries(Folder);
    read(state);
    const QString title = storedTitle(state.delname);
    const int count = state.numworksheets;
    int found = 0;
    for (int i = 1; i <= count; ++i) {
        if (state.worksheetname[i] == title)
            found = i;
    }
    if (found == 0)
        return false;
    // The file first: when it cannot be replaced, memory still matches it.
    write(state, count, found);
    for (int i = found; i < count; ++i)
        state.worksheetname[i] = state.worksheetname[i + 1];
    state.numworksheets = count - 1;
    return true;
}

} // namespace lumora::catalogue
