#pragma once
// Message texts that screens of more than one subsystem say.

#include <QString>

namespace lumora::message_texts {

inline const QString PrintingProblem =
    QStringLiteral("There was a problem printing to your printer.");

} // namespace lumora::message_texts
