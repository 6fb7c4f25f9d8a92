#pragma once
// The base of every screen: a top-level window that knows its application, is named
// as designed, runs its load step when the registry creates it, and is unloaded when
// the user closes it from the window frame. Its controls take Tab in reading order,
// and Escape presses its Exit button where it has one, unless that would lose typing.

#include <QPointer>
#include <QWidget>
#include <vector>

namespace lumora {

class App;
class ButtonLabel;

class Screen : public QWidget {
    Q_OBJECT
public:
    Screen(App& app, const QString& name);

    // The load step, run by the registry before the first access returns.
    virtual void load() {}

    // Shows the screen in front of the others; returns at once. A screen that was not
    // showing remembers the screen in front as the one it was opened from.
    void showInFront();

    // The screen this one was opened from, which comes back to the front when this one
    // closes; null when that one has gone and left no opener of its own.
    Screen* opener() const { return m_opener; }
    void setOpener(Screen* opener) { m_opener = opener != this ? opener : nullptr; }

    // The button-labels that a mouse move over the background makes transparent.
    const std::vector<ButtonLabel*>& hoverResets() const { return m_hoverResets; }

    App& application() const { return app; }

    // When this screen was last brought to the front, by the program or by the user
    // switching windows (a later one has a larger number).
    quint64 frontStamp() const { return m_frontStamp; }

    // The controls in the order Tab visits them: the default is reading order, top
    // to bottom and left to right; a screen with a designed order gives its own.
    virtual std::vector<QWidget*> tabChain() const;

protected:
    void setHoverResets(std::vector<ButtonLabel*> labels) { m_hoverResets = std::move(labels); }
    // The button Escape presses. Screens without one (the title screen, the menu)
    // leave Escape alone, so it never ends the program.
    void setExitButton(ButtonLabel* exit) { m_exitButton = exit; }
    // True while the screen holds something the user typed that its Exit would throw
    // away; Escape then does nothing, and only the Exit button itself leaves.
    virtual bool holdsTypedWork() const { return false; }
    // The backdrop stands behind everything: never in front, never an opener.
    virtual bool comesToFront() const { return true; }

    // What closing from the window frame does: by default the screen unloads, as its
    // own Exit would. The title screen, the menu and the backdrop end the program.
    virtual void closedFromFrame();

    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

    App& app;

private:
    void stampFront();
    void standOnBackdrop();

    std::vector<ButtonLabel*> m_hoverResets;
    ButtonLabel* m_exitButton = nullptr;
    quint64 m_frontStamp = 0;
    QPointer<Screen> m_opener;
};

} // namespace lumora
