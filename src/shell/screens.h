#pragma once
// The registry of screens: at most one of each, reached by its name. The first
// access creates the screen and runs its load step before it returns; unload hides
// it and forgets it at once (the next access starts from the design state) and
// deletes the widget later, so a screen may unload itself from its own handler.

#include "shell/screen.h"

#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <utility>

namespace lumora {

class App;
class Titlefrm;
class Grey;
class Intro0;
class Hub;
class Multiple;
class Welldone;
class Wrong;
class Wizard;
class Worksheets;
class Guide;
class Teacher;
class Tibpuz;
class Triangular;
class Decmult;
class Decimals;
class MenuScreen;

class Screens {
public:
    explicit Screens(App& app) : m_app(app) {}
    ~Screens();
    Screens(const Screens&) = delete;
    Screens& operator=(const Screens&) = delete;

    // One accessor a screen, named as the screen is. Each is defined beside its
    // screen, in that screen's own source file.
    Titlefrm& titlefrm();
    Grey& grey();
    Intro0& intro0();
    Hub& tiberan();
    Hub& malten();
    Multiple& multiple();
    Welldone& welldone();
    Wrong& wrong();
    Wizard& wizard();
    Worksheets& worksheets();
    Guide& guide();
    Teacher& teacher();
    Tibpuz& tibpuz();
    Triangular& triangular();
    Decmult& decmult();
    Decimals& decimals();

    // The main menu, for the screens beneath it that go back to it or borrow its
    // portrait and heading; touching it loads it. The floor that knows every screen
    // offers it: until then there is none, and asking for it is a fault of the program.
    MenuScreen& menu();
    void offerMenu(std::function<MenuScreen&()> open) { m_menu = std::move(open); }

    // The screen of that name when it is loaded, else null.
    Screen* find(const QString& name) const;
    bool isLoaded(const QString& name) const { return find(name) != nullptr; }

    // The showing screen brought to the front most recently; null when none is.
    Screen* front() const;

    // Hides and forgets a screen. When it was in front, the screen it was opened from
    // comes back to the front; the screens it opened count as opened from that one.
    void unload(QWidget* screen);
    // Unloads every screen (the end of the program).
    void unloadAll();

    quint64 nextFrontStamp() { return ++m_frontStamps; }

    template <class T, class... Args> T& get(const QString& name, Args&&... args);

private:
    App& m_app;
    std::map<QString, QPointer<Screen>> m_loaded;
    quint64 m_frontStamps = 0;
    std::function<MenuScreen&()> m_menu;
};

template <class T, class... Args> T& Screens::get(const QString& name, Args&&... args) {
    auto it = m_loaded.find(name);
    if (it != m_loaded.end() && it->second)
        return static_cast<T&>(*it->second);
    auto* screen = new T(m_app, std::forward<Args>(args)...);
    m_loaded[name] = screen;
    try {
        screen->load();
    } catch (...) {
        unload(screen);
        throw;
    }
    return *screen;
}

} // namespace lumora
