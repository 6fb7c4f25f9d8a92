#include "shell/app.h"

#include "platform/fonts.h"

#include <QCoreApplication>

namespace lumora {

App::App() : m_onEnd([] { QCoreApplication::exit(0); }) { installFontSubstitutes(); }

App::~App() = default;

void App::endProgram() {
    m_ended = true;
    screens.unloadAll();
    if (m_onEnd)
        m_onEnd();
}

} // namespace lumora
