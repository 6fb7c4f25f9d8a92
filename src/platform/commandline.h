#pragma once
// The command line and the window system the program starts on. Lumora takes one
// option of its own, --fill, beside the two every installed program answers; anything
// else is ignored, as it always was.

#include <QByteArray>
#include <QSizeF>
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

// Whether the screens are to be drawn as large as the display allows (--fill).
bool fillRequested(const QStringList& arguments);

// The room a window's title bar and frame take beside the screen, in the pixels of
// the design, when the screens are drawn to fill the display.
inline constexpr double FrameAllowance = 40;

// The scale at which an 800 x 600 screen with its frame fits a display area of the
// given size (logical pixels), keeping its proportions.
double fillScale(QSizeF available);

// The Qt platform to ask for, or nothing to leave Qt's own choice. Beside Wayland
// with an X11 display at hand (XWayland), the X11 one: there the screens are placed
// where they are designed to stand, which a Wayland client cannot do; Wayland still
// serves when the X11 display cannot be reached. A platform the user chose stays.
std::optional<QByteArray> preferredPlatform(const QByteArray& chosenPlatform,
                                            const QByteArray& waylandDisplay,
                                            const QByteArray& sessionType,
                                            const QByteArray& x11Display);

} // namespace lumora
