#include "shell/screens.h"

#include "shell/menuscreen.h"

#include <QTimer>
#include <stdexcept>

namespace lumora {

Screens::~Screens() {
    for (auto& [name, screen] : m_loaded)
        delete screen.data();
}

MenuScreen& Screens::menu() {
    if (!m_menu)
        throw std::logic_error("the main menu was asked for before it was offered");
    return m_menu();
}

Screen* Screens::find(const QString& name) const {
    const auto it = m_loaded.find(name);
    return it == m_loaded.end() ? nullptr : it->second.data();
}

Screen* Screens::front() const {
    Screen* front = nullptr;
    for (const auto& [name, screen] : m_loaded) {
        if (screen && screen->isVisible() && screen->frontStamp() > 0 &&
            (!front || screen->frontStamp() > front->frontStamp()))
            front = screen;
    }
    return front;
}

void Screens::unload(QWidget* screen) {
    if (!screen)
        return;
    auto* leaving = qobject_cast<Screen*>(screen);
    const bool wasFront = leaving && leaving == front();
    for (auto it = m_loaded.begin(); it != m_loaded.end(); ++it) {
        if (it->second == screen) {
            m_loaded.erase(it);
            break;
        }
    }
    // Nothing of an unloaded screen may run again: its timers stop now and it takes
    // no more input (the rest of a double click, say); the widget goes once the
    // handler that unloaded it has returned.
    for (QTimer* timer : screen->findChildren<QTimer*>())
        timer->stop();
    screen->setEnabled(false);
    Screen* opener = leaving ? leaving->opener() : nullptr;
    for (const auto& [name, other] : m_loaded) {
        if (other && leaving && other->opener() == leaving)
            other->setOpener(opener);
    }
    screen->hide();
    screen->deleteLater();
    if (!wasFront)
        return;
    // However the user moved between windows meanwhile, the screen beneath is the one
    // this was opened from.
    if (opener && opener->isVisible() && find(opener->objectName()) == opener)
        opener->showInFront();
    else if (Screen* next = front())
        next->activateWindow();
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
