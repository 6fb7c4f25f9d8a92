#pragma once
// The page viewer of the topics' Key Facts and Teacher's Notes, and of the
// acknowledgments page with the publisher's animated logo.

#include "pages/pageviewer.h"

#include <QTimer>

namespace lumora {

class Teacher : public PageViewer {
    Q_OBJECT
public:
    explicit Teacher(App& app);
    void load() override;

    // Shows page `pagenum` of the set `pageset`.
    void showPage();
    // Turns the viewer into the acknowledgments page, with the logo running.
    void showAcknowledgments();

    QLabel* Picture1; // the logo's animation frames
    QLabel* Picture2; // the logo below it
    QTimer Timer1;

protected:
    void nextPage() override;
    void previousPage() override;

private:
    // A single page has no caption and no page links.
    void hidePageLinks();
    void animateLogo();
};

} // namespace lumora
