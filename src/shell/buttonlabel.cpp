#include "shell/buttonlabel.h"

#include "platform/twips.h"
#include "shell/app.h"
#include "shell/screen.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>

namespace lumora {

namespace {

constexpr QRgb DisabledText = qRgb(128, 128, 128);
constexpr int FocusLineWidth = 3;

// A screen reader sees a push button named by the caption, with a press action.
class ButtonLabelAccessible : public QAccessibleWidget {
public:
    explicit ButtonLabelAccessible(ButtonLabel* label)
        : QAccessibleWidget(label, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return label()->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            label()->press();
        else
            QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == pressAction())
            return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    ButtonLabel* label() const { return static_cast<ButtonLabel*>(widget()); }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("lumora::ButtonLabel") && object->isWidgetType())
        return new ButtonLabelAccessible(static_cast<ButtonLabel*>(object));
    return nullptr;
}

bool keyboardInUse(const QWidget* w) {
    const auto* screen = qobject_cast<const Screen*>(w->window());
    return screen == nullptr || screen->application().keyboard.inUse();
}

} // namespace

ButtonLabel::ButtonLabel(QWidget* parent, const QString& objectName, const QString& caption,
                         QRgb highlight)
    : QLabel(caption, parent), m_highlight(highlight) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setObjectName(objectName);
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setMouseTracking(true);
    setWordWrap(true);
    // Tab only: a click keeps the focus where it was, as before.
    setFocusPolicy(Qt::TabFocus);
    applyPalette();
}

void ButtonLabel::applyPalette() {
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(m_highlight));
    p.setColor(QPalette::Active, QPalette::WindowText, QColor(colours::Yellow));
    p.setColor(QPalette::Inactive, QPalette::WindowText, QColor(colours::Yellow));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(DisabledText));
    setPalette(p);
    setAutoFillBackground(m_opaque);
}

void ButtonLabel::setOpaque(bool opaque) {
    if (m_opaque == opaque)
        return;
    m_opaque = opaque;
    setAutoFillBackground(opaque);
    update();
}

void ButtonLabel::press() {
    if (isEnabled() && isVisible())
        emit clicked();
}

void ButtonLabel::showFocus(bool shown) {
    if (m_focusShown == shown)
        return;
    m_focusShown = shown;
    if (shown) {
        m_opaqueBeforeFocus = m_opaque;
        setOpaque(true);
        setLineWidth(FocusLineWidth);
    } else {
        setLineWidth(1);
        setOpaque(m_opaqueBeforeFocus);
    }
}

void ButtonLabel::mouseMoveEvent(QMouseEvent* event) {
    if (m_hover)
        setOpaque(true);
    event->accept();
}

void ButtonLabel::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ButtonLabel::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a left press and release over the label.
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

void ButtonLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
        event->modifiers() == Qt::NoModifier) {
        event->accept();
        if (!event->isAutoRepeat())
            press();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ButtonLabel::focusInEvent(QFocusEvent* event) {
    showFocus(keyboardInUse(this));
    QLabel::focusInEvent(event);
}

void ButtonLabel::focusOutEvent(QFocusEvent* event) {
    showFocus(false);
    QLabel::focusOutEvent(event);
}

void ButtonLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange)
        m_pressed = false;
    QLabel::changeEvent(event);
}

} // namespace lumora
