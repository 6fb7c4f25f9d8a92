#pragma once
// Pictures the screens show: BMP, JPEG and GIF through Qt's own readers.

#include <QPixmap>
#include <QString>

class QLabel;

namespace lumora {

// The picture of a resource (see resourcePath), for a display of `ratio` device
// pixels to the pixel; throws FileError when it is missing or is not a picture Qt can
// read. Above ratio 1 it is drawn from the densest copy needed beside it
// ("a@2x.jpg", "a@3x.jpg" for "a.jpg"), resampled to exactly the display's pixels,
// and keeps the named picture's size in pixels.
QPixmap loadPicture(const QString& resourceName, qreal ratio = 1);

// Loads a picture into an image control, for the control's display. With `autosize`
// the control takes the picture's own size, as an image box does; otherwise the
// picture is drawn at its own size in the box's top left corner, as a picture box does.
void loadPicture(QLabel* control, const QString& resourceName, bool autosize = false);

// The same, for the pictures a screen can do without: when the picture is missing or
// unreadable the control is left as it was, and the answer is false.
bool loadPictureIfPresent(QLabel* control, const QString& resourceName, bool autosize = false);

} // namespace lumora
