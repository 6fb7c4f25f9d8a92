#pragma once
// The fixed texts of the activity screens: yellow on the screen's own colour,
// word-wrapped, placed in twips.

#include "platform/fonts.h"

#include <QString>

class QLabel;
class QWidget;

namespace lumora {

struct TwipsBox {
    double left, top, width, height;
};

QLabel* yellowText(QWidget* parent, const QString& name, const QString& text, const QFont& font,
                   Qt::Alignment alignment, TwipsBox box);

} // namespace lumora
