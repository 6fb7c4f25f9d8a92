#include "activities/labels.h"

#include "platform/twips.h"
#include "shell/controls.h"

#include <QLabel>

namespace lumora {

QLabel* yellowText(QWidget* parent, const QString& name, const QString& text, const QFont& font,
                   Qt::Alignment alignment, TwipsBox box) {
    QLabel* label = textLabel(parent, name, text, font, colours::Yellow, alignment);
    label->setWordWrap(true);
    setTwipsGeometry(label, box.left, box.top, box.width, box.height);
    return label;
}

} // namespace lumora
