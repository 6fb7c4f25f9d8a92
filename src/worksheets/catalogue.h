#pragma once
// The worksheet catalogue, multiple/track.txt: a count line (" 3 ") and then one
// title a line, in the order the worksheets were first saved. Titles are kept in
// their comma encoding ("," stored as "&"), the same form that names the worksheet
// file, so that the title shown, the title stored and the file always agree.
//
// The file is the authority: each operation reads it whole into the shared
// catalogue first, and a change replaces the whole file atomically. Changes are
// made under the worksheet folder's lock, so two programs saving into one folder
// never lose each other's titles.

#include "platform/places.h"
#include "shell/sharedstate.h"

#include <QString>

namespace lumora {
class FieldReader;
}

namespace lumora::catalogue {

// The catalogue's folder and file, as the places name them.
inline const QString& Folder = WorksheetFolder;
inline const QString& FileName = CatalogueFile;

// Reads the count into numworksheets and the titles into worksheetname(1) onward.
// A catalogue that ends before its count is read as the titles it holds. Throws
// FileError at the first failure (no file, a count that is not a number or is
// negative, more than 1000 titles); the titles read before it stay in the shared
// catalogue and numworksheets counts just those, so no entry is ever counted
// without its title.
void read(SharedState& state, const QString& file = FileName);
void read(SharedState& state, FieldReader& in);

// The same, stopping quietly: false when the read failed.
bool readQuietly(SharedState& state, const QString& file = FileName);

// True when a title typed in the wizard can be stored whole and names a file inside
// the worksheet folder: not empty; no blank at its start and no blank or dot at its
// end; no double quote, / \ : * ? < > | or control character; nothing the
// Windows-1252 code page cannot hold; and its file is not a product file (the
// catalogue or a topic quiz, in any letter case).
bool isStorableTitle(const QString& typed);

// The stored form of a title as typed or shown ("," as "&"), and the shown form of
// a stored title ("&" as ",").
QString storedTitle(const QString& typed);
QString shownTitle(const QString& stored);

// The worksheet file of a title, as typed or as stored.
QString worksheetFile(const QString& title);

// The index of the listed title whose worksheet file a title (as typed) names: titles
// that differ only in letter case name one file, so they are one worksheet. 0 when
// none is listed.
int indexOf(const SharedState& state, const QString& typed);

// Adds a title (as typed) at the end of the catalogue unless it is listed already.
// numworksheets keeps the count read before the title was added. Throws FileError
// when the catalogue cannot be read, is full (1000 titles), cannot be written, or
// the title cannot be stored; the file is then unchanged.
void trackworksheets(SharedState& state, const QString& typed);

// Removes the title named by delname (as shown or as stored): the last entry equal
// to it. Returns false, changing nothing, when no entry equals it. Throws FileError
// when the catalogue cannot be read or written; the file is then unchanged.
bool delworksheet(SharedState& state);

} // namespace lumora::catalogue
