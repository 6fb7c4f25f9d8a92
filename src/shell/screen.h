#pragma once
// The base of every screen: a top-level window that knows its application, is named
// as designed, runs its load step when the registry creates it, and is unloaded when
// the user closes it from the window frame.

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

    // Shows the screen in front of the others; returns at once.
    void showInFront();

    // The button-labels that a mouse move over the background makes transparent.
    const std::vector<ButtonLabel*>& hoverResets() const { return m_hoverResets; }

protected:
    void setHoverResets(std::vector<ButtonLabel*> labels) { m_hoverResets = std::move(labels); }

    // What closing from the window frame does: by default the screen unloads, as its
    // own Exit would. The title screen, the menu and the backdrop end the program.
    virtual void closedFromFrame();

    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

    App& app;

private:
    std::vector<ButtonLabel*> m_hoverResets;
};

} // namespace lumora
