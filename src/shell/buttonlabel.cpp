#include "shell/buttonlabel.h"

#include "platform/twips.h"

#include <QMouseEvent>

namespace lumora {

namespace {
constexpr QRgb DisabledText = qRgb(128, 128, 128);
}

ButtonLabel::ButtonLabel(QWidget* parent, const QString& objectName, const QString& caption,
                         QRgb highlight)
    : QLabel(caption, parent), m_highlight(highlight) {
    setObjectName(objectName);
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setMouseTracking(true);
    setWordWrap(true);
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

void ButtonLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange)
        m_pressed = false;
    QLabel::changeEvent(event);
}

} // namespace lumora
