#pragma once
// The product's name, as its windows, message boxes, printouts and the quiz's heading
// show it.

#include <QString>

namespace lumora {

inline const QString ProductName = QStringLiteral("Lumora");

} // namespace lumora
