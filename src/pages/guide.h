#pragma once
// The teacher's guide: five pages, one at a time, with page links and Print.

#include "pages/pageviewer.h"

namespace lumora {

class Guide : public PageViewer {
    Q_OBJECT
public:
    explicit Guide(App& app);
    void load() override;

    // Shows page `pagenum` with its links and caption.
    void showPage();

    QLabel* Label2; // the band behind the buttons

protected:
    void nextPage() override;
    void previousPage() override;
};

} // namespace lumora
