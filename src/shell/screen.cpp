#include "shell/screen.h"

#include "shell/app.h"
#include "shell/buttonlabel.h"

#include <QCloseEvent>
#include <QMouseEvent>

namespace lumora {

Screen::Screen(App& app, const QString& name) : QWidget(nullptr), app(app) {
    setObjectName(name);
    setMouseTracking(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void Screen::showInFront() {
    show();
    raise();
    activateWindow();
}

void Screen::closedFromFrame() { app.screens.unload(this); }

void Screen::closeEvent(QCloseEvent* event) {
    // The registry decides when the widget goes; the frame only asks.
    event->ignore();
    closedFromFrame();
}

void Screen::mouseMoveEvent(QMouseEvent* event) {
    // Moves over the background itself, or over a control that is switched off (it
    // takes no mouse of its own), count as moves over the background.
    QWidget* under = childAt(event->position().toPoint());
    if (under == nullptr || !under->isEnabled()) {
        for (ButtonLabel* label : m_hoverResets)
            label->setOpaque(false);
    }
    QWidget::mouseMoveEvent(event);
}

} // namespace lumora
