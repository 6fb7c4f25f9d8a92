#pragma once
// The application: the shared state, the platform services and the screens. One
// instance, owned by main (or by a test), handed to every screen by reference.

#include "platform/messages.h"
#include "platform/printer.h"
#include "platform/random.h"
#include "platform/webopener.h"
#include "shell/keyboard.h"
#include "shell/screens.h"
#include "shell/sharedstate.h"

#include <functional>

namespace lumora {

class App {
public:
    App();
    ~App();

    // Ends the program at once: every screen closes, nothing is asked.
    void endProgram();
    bool ended() const { return m_ended; }

    // What ending does beyond closing the screens; the program leaves its event
    // loop, a test records it.
    void setOnEnd(std::function<void()> onEnd) { m_onEnd = std::move(onEnd); }

    SharedState state;
    Messages messages;
    WebOpener web;
    PrinterFactory printers;
    TimeOfDayRandom random;
    KeyboardUse keyboard;
    Screens screens{*this};

private:
    std::function<void()> m_onEnd;
    bool m_ended = false;
};

} // namespace lumora
