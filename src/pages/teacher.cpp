#include "pages/teacher.h"

#include "pages/pagenames.h"
#include "platform/pictures.h"
#include "platform/twips.h"
#include "shell/app.h"
#include "shell/buttonlabel.h"
#include "shell/controls.h"
#include "shell/fitscreen.h"
#include "shell/picturenames.h"

#include <QLabel>

namespace lumora {

Teacher& Screens::teacher() { return get<Teacher>(QStringLiteral("teacher")); }

Teacher::Teacher(App& app) : PageViewer(app, QStringLiteral("teacher")) {
    Picture1 = pictureBox(this, QStringLiteral("Picture1"), picture_names::LogoAnimation,
                          {9960, 600, 1800, 1800});
    Picture1->hide();
    Picture2 = pictureBox(this, QStringLiteral("Picture2"), picture_names::PublisherLogo,
                          {9360, 2580, 2400, 1200});
    Picture2->hide();

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setParent(this);
    Timer1.setInterval(25);
    connect(&Timer1, &QTimer::timeout, this, &Teacher::animateLogo);
}

void Teacher::load() {
    fitscreen(*this);
    // fitscreen colours the logo box as a picture box; it stands on the page colour.
    Picture1->setAutoFillBackground(false);
    const int count = app.state.pagecount;
    if (count == 1)
        hidePageLinks();
    app.state.pagenum = 1;
    Label1->setText(pages::caption(1, count));
}

void Teacher::showPage() {
    const int n = app.state.pagenum;
    if (n == app.state.pagecount)
        Label3[NextPage]->setEnabled(false);
    if (n == 1)
        Label3[PreviousPage]->setEnabled(false);
    const QString screenCopy = pages::setPage(pages::Copy::Screen, app.state.pageset, n);
    if (screenCopy.isEmpty())
        clearPage();
    else
        loadPage(screenCopy, pages::setPage(pages::Copy::Print, app.state.pageset, n));
    Label1->setText(pages::caption(n, app.state.pagecount));
}

void Teacher::nextPage() {
    ++app.state.pagenum;
    Label3[PreviousPage]->setEnabled(true);
    showPage();
}

void Teacher::previousPage() {
    --app.state.pagenum;
    Label3[NextPage]->setEnabled(true);
    showPage();
}

void Teacher::showAcknowledgments() {
    hidePageLinks();
    loadPage(QStringLiteral("wmf\\acknowledgments.wmf"),
             QStringLiteral("wmf2\\acknowledgments.wmf"));
    loadPictureIfPresent(Picture2, QStringLiteral("logo\\brenvale2.bmp"));
    setBackground(this, colours::Acknowledgments);
    Timer1.start();
}

void Teacher::hidePageLinks() {
    Label1->hide();
    Label3[NextPage]->hide();
    Label3[PreviousPage]->hide();
}

void Teacher::animateLogo() {
    app.state.logoframe = pages::nextLogoFrame(app.state.logoframe);
    // A missing frame is skipped and the animation goes on with the next one.
    loadPictureIfPresent(Picture1, pages::logoFrame(app.state.logoframe));
    Picture1->show();
    Picture2->show();
}

} // namespace lumora
