#include "shell/screens.h"

#include <QApplication>
#include <QTimer>

namespace lumora {

Screens::~Screens() {
    for (auto& [name, screen] : m_loaded)
        delete screen.data();
}

Screen* Screens::find(const QString& name) const {
    const auto it = m_loaded.find(name);
    return it == m_loaded.end() ? nullptr : it->second.data();
}

void Screens::unload(QWidget* screen) {
    if (!screen)
        return;
    for (auto it = m_loaded.begin(); it != m_loaded.end(); ++it) {
        if (it->second == screen) {
            m_loaded.erase(it);
            break;
        }
    }
    // Nothing of an unloaded screen may run again: its timers stop now, the widget
    // goes once the handler that unloaded it has returned.
    for (QTimer* timer : screen->findChildren<QTimer*>())
        timer->stop();
    const bool hadKeyboard = screen->isActiveWindow() || !QApplication::activeWindow();
    screen->hide();
    screen->deleteLater();
    if (hadKeyboard)
        focusFrontScreen();
}

void Screens::focusFrontScreen() {
    Screen* front = nullptr;
    for (const auto& [name, screen] : m_loaded) {
        if (screen && screen->isVisible() && (!front || screen->frontStamp() > front->frontStamp()))
            front = screen;
    }
    if (front)
        front->activateWindow();
}

void Screens::unloadAll() {
    while (!m_loaded.empty()) {
        QPointer<Screen> screen = m_loaded.begin()->second;
        m_loaded.erase(m_loaded.begin());
        if (screen)
            unload(screen);
    }
}

} // namespace lumora
