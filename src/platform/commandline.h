#pragma once
// The command line. Lumora takes no options of its own beyond the two every
// installed program answers; anything else is ignored, as it always was.

#include <QString>
#include <QStringList>
#include <optional>

namespace lumora {

// The program's version, the build's own.
QString programVersion();

// What to print and exit with for these arguments (without the program name):
// the help for --help or -h, the version for --version; nothing otherwise, and the
// program starts.
std::optional<QString> commandLineReply(const QStringList& arguments);

} // namespace lumora
