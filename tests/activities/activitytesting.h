#pragma once
// What the activity tests share: opening a drill and finding its right and wrong
// boxes, and driving the age riddle with real presses, moves and releases through
// its window, the buttons held between them as the platform reports them.

#include "activities/decimals.h"
#include "activities/decmult.h"
#include "activities/tibpuz.h"
#include "activities/triangular.h"
#include "shell/buttonlabel.h"
#include "testapp.h"

#include <QLabel>
#include <QWindow>
#include <QtTest>

namespace lumora::testing {

inline DrillFrame& openDrill(TestApp& t, const QString& name) {
    DrillFrame* d = name == "triangular" ? static_cast<DrillFrame*>(&t.app.screens.triangular())
                    : name == "decmult"  ? static_cast<DrillFrame*>(&t.app.screens.decmult())
                                         : &t.app.screens.decimals();
    d->showInFront();
    settle();
    return *d;
}

// The first box whose caption is (or is not) the answer.
inline std::optional<int> boxWhere(const DrillFrame& d, bool right) {
    for (int i = 0; i < drills::Choices; ++i) {
        if (d.matchesKey(d.Label3[i]->text()) == right)
            return i;
    }
    return std::nullopt;
}

class Pointer {
public:
    explicit Pointer(QWidget& screen) {
        screen.winId();
        m_window = screen.windowHandle();
    }
    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(m_window, button, Qt::NoModifier, at);
        settle();
    }
    void move(QPoint at) {
        QTest::mouseMove(m_window, at);
        settle();
    }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(m_window, button, Qt::NoModifier, at);
        settle();
    }

private:
    QWindow* m_window = nullptr;
};

struct Puzzle {
    TestApp t{QStringList{}};
    Tibpuz& screen = open(t);
    Pointer pointer{screen};

    static Tibpuz& open(TestApp& t) {
        Tibpuz& s = t.app.screens.tibpuz();
        s.showInFront();
        settle();
        return s;
    }

    // Picks tile i up at its centre and lets it go with the pointer at `to` (window
    // pixels). The tile's left then lies at 15 * to.x - 540 twips.
    void drag(int i, QPoint to) {
        const QPoint from = screen.Label2[i]->geometry().center();
        pointer.press(from);
        pointer.move(to);
        pointer.release(to);
    }
    void dragToAnswer(int tile, int frame) {
        drag(tile, screen.Label1[frame]->geometry().center());
    }
    riddle::Place tile(int i) const { return screen.board().tile(i); }
    bool checkScoreShown() const { return screen.Label3[Tibpuz::CheckScore]->isVisible(); }
};

} // namespace lumora::testing
