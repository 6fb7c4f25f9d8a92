#pragma once
// Question files: a title and ten questions of four choices, one field a line, 72
// lines in all (see content/README.md for the layout). Every "," of a text is
// stored as "&" and comes back as "," on reading.

#include "shell/sharedstate.h"

#include <QString>

namespace lumora {

class FieldReader;

// "," written as "&", and back again.
QString encodeCommas(const QString& text);
QString decodeCommas(const QString& text);

// Reads a quiz from an open file into the quiz state. Throws FileError when the file
// ends before its 72nd line or is not a question file at all (it holds control
// characters); the quiz state is then as it was before.
void loadquestions(SharedState& state, FieldReader& file);

// Opens the named question file, reads it and releases it.
void loadquestions(SharedState& state, const QString& resourceName);

} // namespace lumora
