#pragma once
// The main menu as the screens beneath it know it: they go back to it, and the
// catalogue lends a worksheet's quiz the menu's portrait and heading. The menu itself
// lives on the floor above them all, which offers it to the registry.

#include "shell/screen.h"

#include <QPixmap>
#include <QString>

namespace lumora {

class MenuScreen : public Screen {
public:
    using Screen::Screen;

    // The portrait beside the entries (null when its picture is missing).
    virtual QPixmap portrait() const = 0;
    // The heading above the entries.
    virtual QString heading() const = 0;
};

} // namespace lumora
