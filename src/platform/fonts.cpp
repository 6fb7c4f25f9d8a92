#include "platform/fonts.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStringList>

namespace lumora {

void installFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif")});
}

QFont designFont(const QString& family, double points, Weight weight) {
    QFont font(family);
    font.setPixelSize(pointsToPixels(points));
    font.setBold(weight == Weight::Bold);
    // Tahoma and Symbol are not on every machine; let fontconfig pick a sans.
    font.setStyleHint(family.contains(QLatin1String("Times")) ? QFont::Serif : QFont::SansSerif);
    return font;
}

} // namespace lumora

namespace lumora {

void shrinkToFit(QLabel* label, int minPixels) {
    QFont font = label->font();
    const int room = label->contentsRect().width() - 4;
    while (font.pixelSize() > minPixels &&
           QFontMetrics(font).horizontalAdvance(label->text()) > room)
        font.setPixelSize(font.pixelSize() - 1);
    label->setFont(font);
}

} // namespace lumora
