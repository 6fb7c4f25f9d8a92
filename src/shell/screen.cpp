#include "shell/screen.h"

#include "shell/app.h"
#include "shell/buttonlabel.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>
#include <algorithm>

namespace lumora {

namespace {
// Controls whose tops lie this close stand in one row for the reading order.
constexpr int RowTolerance = 8; // pixels
} // namespace

Screen::Screen(App& app, const QString& name) : QWidget(nullptr), app(app) {
    setObjectName(name);
    setMouseTracking(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void Screen::stampFront() {
    if (comesToFront())
        m_frontStamp = app.screens.nextFrontStamp();
}

void Screen::showInFront() {
    if (!isVisible())
        setOpener(app.screens.front());
    show();
    raise();
    activateWindow();
    stampFront();
}

void Screen::changeEvent(QEvent* event) {
    // The user may bring another screen forward (the task bar, Alt+Tab); what it opens
    // is opened from it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        stampFront();
    QWidget::changeEvent(event);
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

void Screen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_exitButton) {
        event->accept();
        if (!event->isAutoRepeat() && !holdsTypedWork())
            m_exitButton->press();
        return;
    }
    QWidget::keyPressEvent(event);
}

std::vector<QWidget*> Screen::tabChain() const {
    std::vector<QWidget*> chain;
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->focusPolicy() & Qt::TabFocus)
            chain.push_back(w);
    }
    std::vector<std::pair<QPoint, QWidget*>> placed;
    for (QWidget* w : chain)
        placed.emplace_back(w->mapTo(this, QPoint(0, 0)), w);
    // Rows first: a control starts a new row when it stands clearly below the one
    // before it in top order.
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& a, const auto& b) { return a.first.y() < b.first.y(); });
    int rowTop = 0;
    std::vector<std::pair<std::pair<int, int>, QWidget*>> keyed;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (i == 0 || placed[i].first.y() - rowTop > RowTolerance)
            rowTop = placed[i].first.y();
        keyed.push_back({{rowTop, placed[i].first.x()}, placed[i].second});
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    chain.clear();
    for (const auto& k : keyed)
        chain.push_back(k.second);
    return chain;
}

void Screen::standOnBackdrop() {
    // A Wayland client cannot place its windows. A screen that is the backdrop's
    // child is kept in front of it by the compositor, wholly in view.
    if (QGuiApplication::platformName() != QLatin1String("wayland"))
        return;
    Screen* backdrop = app.screens.find(QStringLiteral("Grey"));
    if (!backdrop || backdrop == this || !windowHandle())
        return;
    backdrop->winId();
    windowHandle()->setTransientParent(backdrop->windowHandle());
}

void Screen::showEvent(QShowEvent* event) {
    standOnBackdrop();
    // Controls move and appear as a screen works, so the order is taken afresh.
    const std::vector<QWidget*> chain = tabChain();
    for (std::size_t i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    stampFront();
    QWidget::showEvent(event);
}

} // namespace lumora
