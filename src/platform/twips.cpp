#include "platform/twips.h"

#include <QPalette>
#include <QWidget>

namespace lumora {

QRect twipsRect(double left, double top, double width, double height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

void setTwipsGeometry(QWidget* w, double left, double top, double width, double height) {
    w->setGeometry(twipsRect(left, top, width, height));
}

void setBackground(QWidget* w, QRgb colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, QColor(colour));
    p.setColor(w->backgroundRole(), QColor(colour)); // buttons fill with their own role
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QRgb background(const QWidget* w) { return w->palette().color(w->backgroundRole()).rgb(); }

void setForeground(QWidget* w, QRgb colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, QColor(colour));
    p.setColor(QPalette::ButtonText, QColor(colour));
    p.setColor(QPalette::Text, QColor(colour));
    w->setPalette(p);
}

QRgb foreground(const QWidget* w) { return w->palette().color(QPalette::WindowText).rgb(); }

} // namespace lumora
