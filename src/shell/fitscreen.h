#pragma once
// Every main screen is 12000 x 9000 twips in dark blue, captioned "Lumora" and
// centred on the display.

#include <QSizeF>

class QWidget;

namespace lumora {

inline constexpr double ScreenWidth = 12000;
inline constexpr double ScreenHeight = 9000;

struct Placement {
    float left; // twips, kept in single precision as the screens store them
    float top;
};

// Where a window of the given outer size stands when centred on a display of the
// given size (all in twips). A display smaller than the window gives negative places.
Placement centredPlacement(QSizeF display, QSizeF window);

// The display's size in twips.
QSizeF displaySizeTwips(const QWidget* w);

// The window's outer size in twips: `inner` with the window frame around it, as far
// as the frame is known (before the first show it has none).
QSizeF outerSizeTwips(const QWidget* w, QSizeF inner);

// Moves a window's outer frame to a placement.
void moveToPlacement(QWidget* w, Placement p);

// Centres the outer window, frame included, on its display; once more when it is
// first shown, because the window manager tells the frame's size only then.
void centreOnDisplay(QWidget* w, QSizeF inner);

// Fits a main screen: colour, caption, size, the picture box's colour where the
// screen has one named "Picture1", and the centred place.
void fitscreen(QWidget& screen);

} // namespace lumora
