#pragma once
// How the reference pages and the logo frames are named.

#include <QString>

namespace lumora::pages {

inline constexpr int GuidePages = 5;
inline constexpr int MaxSetPages = 4; // pages a to d
inline constexpr int LogoFrames = 20;

enum class Copy { Screen, Print };

// "wmf\guide3.wmf" or "wmf2\guide3.wmf".
QString guidePage(Copy copy, int page);
// "wmf\key Tiberanb.wmf": the folder, the set, the letter of the page (a to d) and
// ".wmf"; empty for a page beyond d.
QString setPage(Copy copy, const QString& pageset, int page);
// "Page 2 of 3".
QString caption(int page, int count);
// "logo\bren0007.gif".
QString logoFrame(int frame);
// The frame after `frame`, 19 followed by 0.
int nextLogoFrame(int frame);

} // namespace lumora::pages
