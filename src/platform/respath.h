#pragma once
// Content is named the way the screens were designed: "Images\corvinus2.jpg",
// "multiple/track.txt". Names are relative to the folder the places give them (see
// places.h), which is the working folder unless the program is installed; a
// backslash is a separator, and a component whose exact case is missing on disk
// matches the one entry of its folder that equals it ignoring case.

#include <QString>

namespace lumora {

// The path to open for a resource name. When nothing on disk matches, the name is
// still returned with "/" separators, so that a writer can create it and a reader
// fails with the expected name.
QString resourcePath(const QString& name);

// The same, inside `base` ("" for the working folder); `base` itself is not
// matched, only the parts of the name.
QString resolveIn(const QString& base, const QString& name);

// True when the named resource exists as a file.
bool resourceExists(const QString& name);

} // namespace lumora
