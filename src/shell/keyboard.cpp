#include "shell/keyboard.h"

#include "shell/buttonlabel.h"

#include <QApplication>
#include <QEvent>

namespace lumora {

KeyboardUse::KeyboardUse() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

KeyboardUse::~KeyboardUse() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool KeyboardUse::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        set(true);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
        // Only what comes from the device: a key that presses a button-label is
        // not a mouse.
        if (event->spontaneous())
            set(false);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void KeyboardUse::set(bool inUse) {
    if (m_inUse == inUse)
        return;
    m_inUse = inUse;
    if (auto* label = qobject_cast<ButtonLabel*>(QApplication::focusWidget()))
        label->showFocus(inUse);
    emit changed(inUse);
}

} // namespace lumora
