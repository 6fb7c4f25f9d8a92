#pragma once
// What the pictures that several screens share show, in the short words a screen
// reader says for them.

#include <QString>

namespace lumora::picture_names {

inline const QString Portrait = QStringLiteral("Portrait of a mathematician");
inline const QString PublisherLogo = QStringLiteral("Brenvale, the publisher's logo");
inline const QString LogoAnimation = QStringLiteral("Brenvale logo, animated");

} // namespace lumora::picture_names
