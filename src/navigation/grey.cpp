#include "navigation/grey.h"

#include "platform/product.h"
#include "platform/twips.h"
#include "shell/app.h"

#include <QGuiApplication>
#include <QScreen>

namespace lumora {

Grey& Screens::grey() { return get<Grey>(QStringLiteral("Grey")); }

Grey::Grey(App& app) : Screen(app, QStringLiteral("Grey")) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(ProductName);
}

void Grey::load() { setBackground(this, colours::Backdrop); }

void Grey::showOverEverything() {
    const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
    if (display)
        setGeometry(display->geometry());
    showMaximized();
    raise();
}

void Grey::closedFromFrame() { app.endProgram(); }

} // namespace lumora
