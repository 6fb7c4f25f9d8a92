#include "shell/fitscreen.h"

#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace lumora {

Placement centredPlacement(QSizeF display, QSizeF window) {
    const float top = static_cast<float>(display.height() / 2 - window.height() / 2);
    const float left = static_cast<float>(display.width() / 2 - window.width() / 2);
    return {left, top};
}

QSizeF displaySizeTwips(const QWidget* w) {
    const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    const QSize px = screen ? screen->geometry().size() : QSize(800, 600);
    return {pixelsToTwips(px.width()), pixelsToTwips(px.height())};
}

void moveToPlacement(QWidget* w, Placement p) {
    w->move(twipsToPixels(p.left), twipsToPixels(p.top));
}

void fitscreen(QWidget& screen) {
    setBackground(&screen, colours::ScreenBlue);
    screen.setWindowTitle(QStringLiteral("Lumora"));
    if (auto* picture = screen.findChild<QWidget*>(QStringLiteral("Picture1")))
        setBackground(picture, colours::PictureBoxBlue);
    screen.setFixedSize(twipsToPixels(ScreenWidth), twipsToPixels(ScreenHeight));
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    moveToPlacement(&screen,
                    centredPlacement(displaySizeTwips(&screen), {ScreenWidth, ScreenHeight}));
    QGuiApplication::restoreOverrideCursor();
}

} // namespace lumora
