#pragma once
// The buttons of most screens: a bordered label with yellow text and a highlight
// colour that shows while it is opaque. A mouse move over it makes it opaque; a
// move over its screen's background makes it transparent again (see Screen).

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

signals:
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applyPalette();

    QRgb m_highlight;
    bool m_opaque = true;
    bool m_pressed = false;
    bool m_hover = true;
};

} // namespace lumora
