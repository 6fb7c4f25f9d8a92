#pragma once
// The buttons of most screens: a bordered label with yellow text and a highlight
// colour that shows while it is opaque. A mouse move over it makes it opaque; a
// move over its screen's background makes it transparent again (see Screen).
// For the keyboard and screen readers it is a button: reached with Tab, pressed with
// Enter or Space, read out as a push button named by its caption.

#include <QLabel>

namespace lumora {

class ButtonLabel : public QLabel {
    Q_OBJECT
public:
    ButtonLabel(QWidget* parent, const QString& objectName, const QString& caption, QRgb highlight);

    void setOpaque(bool opaque);
    bool isOpaque() const { return m_opaque; }
    QRgb highlight() const { return m_highlight; }

    // A link-like label that stays as it is under the pointer.
    void setHoverHighlight(bool on) { m_hover = on; }

    // What a click does, for the keyboard and for a screen reader's press action;
    // a hidden or disabled label does nothing.
    void press();

    // The focus mark: the highlight shows and the border thickens. Shown only while
    // the keyboard is in use (see KeyboardUse).
    void showFocus(bool shown);
    bool focusShown() const { return m_focusShown; }

signals:
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applyPalette();

    QRgb m_highlight;
    bool m_opaque = true;
    bool m_pressed = false;
    bool m_hover = true;
    bool m_focusShown = false;
    bool m_opaqueBeforeFocus = true;
};

} // namespace lumora
