#pragma once
// Screen geometry is designed in twips (1440 to the inch); the displays Lumora is
// drawn for have 15 twips to a pixel. Convert once, at the widget boundary.

#include <QColor>
#include <QRect>

class QWidget;

namespace lumora {

inline constexpr int TwipsPerPixel = 15;

constexpr int twipsToPixels(double twips) {
    // Round half away from zero so that negative places mirror positive ones.
    const double px = twips / TwipsPerPixel;
    return static_cast<int>(px < 0 ? px - 0.5 : px + 0.5);
}

constexpr double pixelsToTwips(int pixels) { return static_cast<double>(pixels) * TwipsPerPixel; }

QRect twipsRect(double left, double top, double width, double height);

// Place and size a widget in twips relative to its parent (or the display).
void setTwipsGeometry(QWidget* w, double left, double top, double width, double height);

// A 24-bit colour as the screens are designed: (red, green, blue).
constexpr QRgb rgb(int r, int g, int b) { return qRgb(r, g, b); }

namespace colours {
inline constexpr QRgb ScreenBlue = qRgb(39, 63, 137);
inline constexpr QRgb PictureBoxBlue = qRgb(49, 135, 214);
inline constexpr QRgb Backdrop = qRgb(48, 133, 214);
inline constexpr QRgb Acknowledgments = qRgb(49, 130, 212);
inline constexpr QRgb HubBlack = qRgb(0, 0, 0);
inline constexpr QRgb Yellow = qRgb(255, 255, 0);
inline constexpr QRgb Black = qRgb(0, 0, 0);
inline constexpr QRgb Navy = qRgb(0, 0, 128);
inline constexpr QRgb LightGrey = qRgb(192, 192, 192);
inline constexpr QRgb TitleBlue = qRgb(0, 0, 255);
} // namespace colours

// Background colour of a widget, painted by the widget itself.
void setBackground(QWidget* w, QRgb colour);
QRgb background(const QWidget* w);
void setForeground(QWidget* w, QRgb colour);
QRgb foreground(const QWidget* w);

} // namespace lumora
