#pragma once
// The backdrop: one even colour over the whole display, behind every other screen.

#include "shell/screen.h"

namespace lumora {

class Grey : public Screen {
    Q_OBJECT
public:
    explicit Grey(App& app);
    void load() override;

    // Covers the display and comes in front of the windows that were showing.
    void showOverEverything();

protected:
    void closedFromFrame() override;
    bool comesToFront() const override { return false; }
};

} // namespace lumora
