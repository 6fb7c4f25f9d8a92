#include "pages/guide.h"

#include "pages/pagenames.h"
#include "platform/twips.h"
#include "shell/app.h"
#include "shell/buttonlabel.h"
#include "shell/controls.h"
#include "shell/fitscreen.h"

#include <QLabel>

namespace lumora {

Guide& Screens::guide() { return get<Guide>(QStringLiteral("guide")); }

Guide::Guide(App& app) : PageViewer(app, QStringLiteral("guide")) {
    // A navy band behind the buttons.
    Label2 = label(this, QStringLiteral("Label2"), QString(),
                   {.font = {}, .ink = {}, .paper = colours::Navy},
                   {0, ButtonTop - 480, ScreenWidth, 1140});
    Label2->lower();
    Label1->setText(pages::caption(1, pages::GuidePages));
    // Only a move over the background touches the buttons: it clears them.
    setHoverResets({Label3.begin(), Label3.end()});
}

void Guide::load() { fitscreen(*this); }

void Guide::showPage() {
    const int n = app.state.pagenum;
    loadPage(pages::guidePage(pages::Copy::Screen, n), pages::guidePage(pages::Copy::Print, n));
    Label3[PreviousPage]->setEnabled(n > 1);
    Label3[NextPage]->setEnabled(n < pages::GuidePages);
    Label1->setText(pages::caption(n, pages::GuidePages));
}

void Guide::nextPage() {
    ++app.state.pagenum;
    showPage();
}

void Guide::previousPage() {
    --app.state.pagenum;
    showPage();
}

} // namespace lumora
