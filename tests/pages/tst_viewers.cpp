// The notes viewer through the real widgets, with the product's pages. Paging every
// set to its end, and the guide's pages and printing, are walked in tests/navigation.
#include "navigation/intro0.h"
#include "pages/teacher.h"
#include "shell/buttonlabel.h"
#include "testapp.h"

#include <QLabel>
#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

class ViewersTest : public QObject {
    Q_OBJECT
private slots:
    // Run once as it is and once more at QT_SCALE_FACTOR=2 (test_pages_2x): the page
    // and the logo carry the display's pixels, the screen keeps its designed size.
    void acknowledgmentsWithTheLogo() {
        const double ratio = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
        auto t = withPages();
        Intro0& menu = openMenu(*t);
        clickMouse(menu.Label2[Intro0::Acknowledgments]);
        Teacher& v = t->app.screens.teacher();
        // A set of one page: no page line and no links, only Print and Exit.
        QVERIFY(!v.Label1->isVisible() && !v.Label3[PageViewer::NextPage]->isVisible());
        QVERIFY(!v.Label3[PageViewer::PreviousPage]->isVisible());
        QVERIFY(v.Label3[PageViewer::PrintButton]->isVisible());
        QCOMPARE(v.devicePixelRatioF(), ratio);
        QCOMPARE(v.size(), QSize(800, 600));
        QCOMPARE(v.Image1->pixmap().size(), v.Image1->size() * ratio);
        QCOMPARE(v.Image1->pixmap().deviceIndependentSize().toSize(), v.Image1->size());
        QTRY_VERIFY_WITH_TIMEOUT(v.Picture1->isVisible(), 300);
        v.Timer1.stop();
        QCOMPARE(v.Picture1->pixmap().size(), QSize(120, 120) * ratio);
        const int frame = t->app.state.logoframe;
        QCOMPARE(v.Picture2->pixmap().size(), QSize(160, 80) * ratio);

        // Reopened, the animation goes on where it was, never back to the first frame
        // (a slow build may tick while the page opens).
        clickMouse(v.Label3[PageViewer::ExitButton]);
        clickMouse(menu.Label2[Intro0::Acknowledgments]);
        t->app.screens.teacher().Timer1.stop();
        QVERIFY((t->app.state.logoframe - frame + 20) % 20 < 5);
    }
};

LUMORA_TEST(ViewersTest)
#include "tst_viewers.moc"
