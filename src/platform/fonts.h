#pragma once
// Fonts as the screens are designed: a family and a size in points on a 96-dot
// display. The size is fixed in pixels, so a screen looks the same whatever dots
// per inch the display reports.

#include <QFont>
#include <QString>

class QLabel;

namespace lumora {

enum class Weight { Normal, Bold };

// Where a designed family is missing, use a free family of like metrics (the
// Liberation fonts are metric twins of Arial and Times New Roman and come close to
// Tahoma). Called once at start; fonts installed on the machine still win.
void installFontSubstitutes();

QFont designFont(const QString& family, double points, Weight weight = Weight::Normal);

// Makes a one-line label's font smaller, down to `minPixels`, until its text fits
// its width: long questions stay whole on one line instead of running off it.
void shrinkToFit(QLabel* label, int minPixels);

inline int pointsToPixels(double points) { return static_cast<int>(points * 96.0 / 72.0 + 0.5); }

} // namespace lumora
