#include "shell/controls.h"

#include "platform/fonts.h"
#include "platform/twips.h"
#include "shell/buttonlabel.h"

#include <QLabel>

namespace lumora {

QLabel* textLabel(QWidget* parent, const QString& name, const QString& text, const QFont& font,
                  QRgb colour, Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setAlignment(alignment);
    setForeground(label, colour);
    return label;
}

ButtonLabel* buttonLabel(QWidget* parent, const QString& name, const QString& caption,
                         double points, QRgb highlight) {
    auto* button = new ButtonLabel(parent, name, caption, highlight);
    button->setFont(designFont(QStringLiteral("Tahoma"), points, Weight::Bold));
    return button;
}

} // namespace lumora
