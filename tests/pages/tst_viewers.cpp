// The guide and the notes viewer through the real widgets, with the product's pages.
// Paging every set to its end is walked in tests/navigation.
#include "navigation/intro0.h"
#include "pages/guide.h"
#include "pages/teacher.h"
#include "shell/buttonlabel.h"
#include "testapp.h"

#include <QLabel>
#include <QPainter>
#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

namespace {

QImage drawn(QSizeF twips, const std::function<void(QPainter&, const QRectF&)>& draw) {
    QImage image(twips.toSize() / 15, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    draw(p, QRectF(QPointF(0, 0), image.size()));
    return image;
}

QImage drawnFile(const QString& name) {
    const Metafile m = Metafile::load(name);
    return drawn(m.sizeTwips(), [&](QPainter& p, const QRectF& r) { m.play(p, r); });
}

} // namespace

class ViewersTest : public QObject {
    Q_OBJECT
private slots:
    // A page that cannot be read is said once and leaves its place empty; the viewer
    // goes on. Print on page 3 prints the print copy, at its own size, 1000 twips in.
    void guidePagesAndPrint_data() {
        QTest::addColumn<QByteArray>("page2"); // empty: as shipped
        QTest::newRow("as shipped") << QByteArray();
        QTest::newRow("not a metafile") << QByteArray("GIF89a not a metafile at all");
    }
    void guidePagesAndPrint() {
        QFETCH(QByteArray, page2);
        auto t = withPages();
        if (!page2.isEmpty())
            t->folder.write("wmf/guide2.wmf", page2);
        clickMouse(openMenu(*t).Label2[Intro0::Guide]);
        Guide& g = t->app.screens.guide();
        clickMouse(g.Label3[PageViewer::NextPage]);
        QCOMPARE(g.Label1->text(), QStringLiteral("Page 2 of 5"));
        QCOMPARE(g.Image1->pixmap().isNull(), !page2.isEmpty());
        clickMouse(g.Label3[PageViewer::PrintButton]); // nothing to print: said, not done
        QCOMPARE(t->printouts.size(), std::size_t(page2.isEmpty()));
        QCOMPARE(t->app.messages.history().size(), std::size_t(page2.isEmpty() ? 0 : 2));
        if (!page2.isEmpty())
            QCOMPARE(t->app.messages.history().back().text, PageViewer::PageMissing);
        t->printouts.clear();
        clickMouse(g.Label3[PageViewer::NextPage]);
        clickMouse(g.Label3[PageViewer::PrintButton]);
        QCOMPARE(t->printouts.size(), std::size_t(1));
        const auto& ops = t->printouts[0];
        QCOMPARE(ops.size(), std::size_t(3)); // an empty line, the page, the end
        QCOMPARE(ops[0].text, QString());
        QCOMPARE(ops[1].kind, RecordingPrinter::Kind::Picture);
        QCOMPARE(ops[1].at, QPointF(1000, 1000));
        QCOMPARE(ops[1].size, Metafile::load("wmf2\\guide3.wmf").sizeTwips());
        const QImage printed = drawn(ops[1].size, ops[1].draw);
        QCOMPARE(printed, drawnFile("wmf2\\guide3.wmf"));
        QVERIFY(printed != drawnFile("wmf\\guide3.wmf"));

        t->app.printers.setOpener([](const QString&) -> std::unique_ptr<Printer> {
            throw PrintError("no default printer");
        });
        clickMouse(g.Label3[PageViewer::PrintButton]);
        QCOMPARE(t->app.messages.history().back().text,
                 QStringLiteral("There was a problem printing to your printer."));
        QVERIFY(g.isVisible());
    }

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
        QCOMPARE(v.Timer1.interval(), 25);
        QTRY_VERIFY_WITH_TIMEOUT(v.Picture1->isVisible(), 300);
        v.Timer1.stop();
        QCOMPARE(v.Picture1->pixmap().size(), QSize(120, 120) * ratio);
        const int frame = t->app.state.logoframe;
        QVERIFY(!v.Picture2->pixmap().isNull());

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
