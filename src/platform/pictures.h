#pragma once
// Pictures the screens show: BMP, JPEG and GIF through Qt's own readers.

#include <QPixmap>
#include <QString>

class QLabel;

namespace lumora {

// The picture of a resource (see resourcePath); throws FileError when it is missing
// or is not a picture Qt can read.
QPixmap loadPicture(const QString& resourceName);

// Loads a picture into an image control. With `autosize` the control takes the
// picture's own size, as an image box does; otherwise the picture is drawn at its
// own size in the box's top left corner, as a picture box does.
void loadPicture(QLabel* control, const QString& resourceName, bool autosize = false);

// The same, for the pictures a screen can do without: when the picture is missing or
// unreadable the control is left as it was, and the answer is false.
bool loadPictureIfPresent(QLabel* control, const QString& resourceName, bool autosize = false);

} // namespace lumora
