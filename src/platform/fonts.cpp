#include "platform/fonts.h"

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
