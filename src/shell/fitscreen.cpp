#include "shell/fitscreen.h"

#include "platform/product.h"
#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace lumora {

Placement centredPlacement(QSizeF display, QSizeF window) {
    const float top = static_cast<float>(display.height() / 2 - window.height() / 2);
    const float left = static_cast<float>(display.width() / 2 - window.width() / 2);
    return {left, top};
}

QSizeF displaySizeTwips(const QWidget* w) {
    const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    const QSize px = screen ? screen->geometry().size() : QSize(800, 600);
    return {pixelsToTwips(px.width()), pixelsToTwips(px.height())};
}

QSizeF outerSizeTwips(const QWidget* w, QSizeF inner) {
    const QSize frame = w->frameGeometry().size() - w->geometry().size();
    return inner + QSizeF(pixelsToTwips(frame.width()), pixelsToTwips(frame.height()));
}

void moveToPlacement(QWidget* w, Placement p) {
    // A window's position is its frame's top left corner.
    w->move(twipsToPixels(p.left), twipsToPixels(p.top));
}

namespace {

// Centres its window again at the first show, and again whenever its frame changes
// size in the moments after: a window manager frames a window only once it is shown,
// and tells its size later still. Moves that keep the frame, the user's own, are left.
class CentreWhenFramed : public QObject {
public:
    static inline const QString Name = QStringLiteral("centreWhenFramed");
    static constexpr int SettleMs = 2000;

    CentreWhenFramed(QWidget* w, QSizeF inner) : QObject(w), m_inner(inner) {
        setObjectName(Name);
        w->installEventFilter(this);
    }
    void setInner(QSizeF inner) { m_inner = inner; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* w = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && !m_shown) {
            m_shown = true;
            QTimer::singleShot(0, this, [this, w] { centre(w); });
            QTimer::singleShot(SettleMs, this, [this] { deleteLater(); });
        } else if (m_shown && (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
                   frame(w) != m_frame) {
            QTimer::singleShot(0, this, [this, w] { centre(w); });
        }
        return false;
    }

private:
    static QSize frame(const QWidget* w) { return w->frameGeometry().size() - w->size(); }
    void centre(QWidget* w) {
        m_frame = frame(w);
        moveToPlacement(w, centredPlacement(displaySizeTwips(w), outerSizeTwips(w, m_inner)));
    }

    bool m_shown = false;
    QSize m_frame{-1, -1};
    QSizeF m_inner;
};

} // namespace

void centreOnDisplay(QWidget* w, QSizeF inner) {
    moveToPlacement(w, centredPlacement(displaySizeTwips(w), outerSizeTwips(w, inner)));
    if (w->isVisible())
        return;
    // A window that changes its size before it is shown is centred by the last one.
    auto* pending = dynamic_cast<CentreWhenFramed*>(
        w->findChild<QObject*>(CentreWhenFramed::Name, Qt::FindDirectChildrenOnly));
    if (pending)
        pending->setInner(inner);
    else
        new CentreWhenFramed(w, inner);
}

void fitscreen(QWidget& screen) {
    setBackground(&screen, colours::ScreenBlue);
    screen.setWindowTitle(ProductName);
    if (auto* picture = screen.findChild<QWidget*>(QStringLiteral("Picture1")))
        setBackground(picture, colours::PictureBoxBlue);
    screen.setFixedSize(twipsToPixels(ScreenWidth), twipsToPixels(ScreenHeight));
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    centreOnDisplay(&screen, {ScreenWidth, ScreenHeight});
    QGuiApplication::restoreOverrideCursor();
}

} // namespace lumora
