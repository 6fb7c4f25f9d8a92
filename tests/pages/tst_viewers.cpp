// The guide and the notes viewer through the real widgets, with the product's pages.
#include "navigation/hub.h"
#include "navigation/intro0.h"
#include "navigation/titlefrm.h"
#include "pages/guide.h"
#include "pages/pagenames.h"
#include "pages/teacher.h"
#include "platform/twips.h"
#include "shell/buttonlabel.h"
#include "testapp.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

namespace {

void addPages(TestApp& t) {
    for (const char* folder : {"wmf", "wmf2", "logo"})
        t.folder.copyFolderFromData(QString::fromLatin1(folder));
}

// The picture a recorded printout drew, rendered.
QImage rendered(const RecordingPrinter::Operation& op) {
    QImage image(op.size.toSize() / 15, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    op.draw(p, QRectF(QPointF(0, 0), image.size()));
    return image;
}

QImage renderedFile(const QString& name) {
    const Metafile m = Metafile::load(name);
    QImage image(m.sizeTwips().toSize() / 15, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    m.play(p, QRectF(QPointF(0, 0), image.size()));
    return image;
}

bool enabled(PageViewer& v, int b) { return v.Label3[b]->isEnabled(); }

} // namespace

class ViewersTest : public QObject {
    Q_OBJECT
private slots:
    void theGuidesFivePages() {
        TestApp t;
        addPages(t);
        Intro0& menu = openMenu(t);
        clickMouse(menu.Label2[Intro0::Guide]);
        Guide& g = t.app.screens.guide();
        QVERIFY(g.isVisible());
        QCOMPARE(g.Label1->text(), QStringLiteral("Page 1 of 5"));
        QVERIFY(!enabled(g, PageViewer::PreviousPage));
        QVERIFY(enabled(g, PageViewer::NextPage));
        QVERIFY(!g.Image1->pixmap().isNull());
        QVERIFY(g.printCopy());
        for (int n = 2; n <= 5; ++n) {
            clickMouse(g.Label3[PageViewer::NextPage]);
            QCOMPARE(g.Label1->text(), QStringLiteral("Page %1 of 5").arg(n));
            QCOMPARE(t.app.state.pagenum, n);
            QVERIFY(!g.Image1->pixmap().isNull());
            QVERIFY(enabled(g, PageViewer::PreviousPage));
        }
        QVERIFY(!enabled(g, PageViewer::NextPage));
        clickMouse(g.Label3[PageViewer::NextPage]); // switched off: no sixth page
        QCOMPARE(t.app.state.pagenum, 5);
        clickMouse(g.Label3[PageViewer::PreviousPage]);
        QVERIFY(enabled(g, PageViewer::NextPage));
        clickMouse(g.Label3[PageViewer::PreviousPage]);
        clickMouse(g.Label3[PageViewer::PreviousPage]);
        QCOMPARE(g.Label1->text(), QStringLiteral("Page 2 of 5"));
        clickMouse(g.Label3[PageViewer::PreviousPage]);
        QVERIFY(!enabled(g, PageViewer::PreviousPage));

        // Only a move over the background touches the buttons, and it clears them.
        moveMouse(g.Label3[PageViewer::PrintButton]);
        QVERIFY(g.Label3[PageViewer::PrintButton]->isOpaque());
        QVERIFY(!g.childAt(1, 1));
        moveMouse(&g, QPoint(1, 1));
        for (ButtonLabel* b : g.Label3)
            QVERIFY(!b->isOpaque());
        moveMouse(g.Label3[PageViewer::PrintButton]);
        QVERIFY(!g.Label3[PageViewer::PrintButton]->isOpaque());

        // Print on page 3 prints the print copy of page 3, at its own size, 1000 twips in.
        clickMouse(g.Label3[PageViewer::NextPage]);
        clickMouse(g.Label3[PageViewer::NextPage]);
        clickMouse(g.Label3[PageViewer::PrintButton]);
        QCOMPARE(t.printouts.size(), std::size_t(1));
        QVERIFY(t.app.messages.history().empty()); // nothing said when it works
        const auto& ops = t.printouts[0];
        QCOMPARE(ops.front().kind, RecordingPrinter::Kind::Text); // the empty line first
        QCOMPARE(ops.front().text, QString());
        auto picture = std::find_if(ops.begin(), ops.end(), [](const auto& op) {
            return op.kind == RecordingPrinter::Kind::Picture;
        });
        QVERIFY(picture != ops.end());
        QCOMPARE(picture->at, QPointF(1000, 1000));
        const Metafile print = Metafile::load("wmf2\\guide3.wmf");
        QCOMPARE(picture->size, print.sizeTwips());
        QCOMPARE(rendered(*picture), renderedFile("wmf2\\guide3.wmf"));
        QVERIFY(rendered(*picture) != renderedFile("wmf\\guide3.wmf"));
        QCOMPARE(ops.back().kind, RecordingPrinter::Kind::End);
        clickMouse(g.Label3[PageViewer::ExitButton]);
        QVERIFY(!t.app.screens.isLoaded("guide"));
    }

    void pageSetsFromTheHubs_data() {
        QTest::addColumn<QString>("hub");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("count");
        QTest::newRow("Tiberan's Key Facts") << "tiberan" << int(Hub::KeyFacts) << 3;
        QTest::newRow("Tiberan's Teacher's Notes") << "tiberan" << int(Hub::TeachersNotes) << 3;
        QTest::newRow("Malten's Key Facts") << "malten" << int(Hub::KeyFacts) << 3;
        QTest::newRow("Malten's Teacher's Notes") << "malten" << int(Hub::TeachersNotes) << 2;
    }
    void pageSetsFromTheHubs() {
        QFETCH(QString, hub);
        QFETCH(int, button);
        QFETCH(int, count);
        TestApp t;
        addPages(t);
        Hub& h = hub == "tiberan" ? t.app.screens.tiberan() : t.app.screens.malten();
        h.showInFront();
        clickMouse(h.Label3[button]);
        Teacher& v = t.app.screens.teacher();
        QVERIFY(v.isVisible());
        QVERIFY(t.app.messages.history().empty());
        QCOMPARE(v.Label1->text(), QStringLiteral("Page 1 of %1").arg(count));
        QVERIFY(!enabled(v, PageViewer::PreviousPage));
        QVERIFY(!v.Picture1->isVisible());
        for (int n = 2; n <= count; ++n) {
            clickMouse(v.Label3[PageViewer::NextPage]);
            QCOMPARE(v.Label1->text(), QStringLiteral("Page %1 of %2").arg(n).arg(count));
            QVERIFY(!v.Image1->pixmap().isNull());
        }
        QVERIFY(!enabled(v, PageViewer::NextPage));
        clickMouse(v.Label3[PageViewer::PreviousPage]);
        QVERIFY(enabled(v, PageViewer::NextPage));
        clickMouse(v.Label3[PageViewer::PrintButton]);
        QCOMPARE(t.printouts.size(), std::size_t(1));
        clickMouse(v.Label3[PageViewer::ExitButton]);
        QVERIFY(!t.app.screens.isLoaded("teacher"));
        QVERIFY(h.isVisible());
    }

    // Run once as it is and once more at QT_SCALE_FACTOR=2 (test_pages_2x): the page
    // and the logo carry the display's pixels, the screen keeps its designed size.
    void pageAndLogoAtTheDisplaysDensity() {
        const double ratio = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                                 ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                                 : 1.0;
        TestApp t;
        addPages(t);
        clickMouse(openMenu(t).Label2[Intro0::Acknowledgments]);
        Teacher& v = t.app.screens.teacher();
        QCOMPARE(v.devicePixelRatioF(), ratio);
        QCOMPARE(v.size(), QSize(800, 600));
        const QPixmap page = v.Image1->pixmap();
        QCOMPARE(page.size(), v.Image1->size() * ratio);
        QCOMPARE(page.deviceIndependentSize().toSize(), v.Image1->size());
        v.Timer1.stop();
        QMetaObject::invokeMethod(&v.Timer1, "timeout", Qt::DirectConnection);
        QCOMPARE(v.Picture1->pixmap().size(), QSize(120, 120) * ratio);
    }

    void aSetOfOnePageHasNoLinks() {
        TestApp t;
        addPages(t);
        t.app.state.pagecount = 1;
        t.app.state.pageset = "key Tiberan";
        Teacher& v = t.app.screens.teacher();
        v.showInFront();
        QVERIFY(!v.Label1->isVisible());
        QVERIFY(!v.Label3[PageViewer::NextPage]->isVisible());
        QVERIFY(!v.Label3[PageViewer::PreviousPage]->isVisible());
        QVERIFY(v.Label3[PageViewer::PrintButton]->isVisible());
    }

    void acknowledgmentsWithTheLogo() {
        TestApp t;
        addPages(t);
        Intro0& menu = openMenu(t);
        clickMouse(menu.Label2[Intro0::Acknowledgments]);
        Teacher& v = t.app.screens.teacher();
        QVERIFY(v.isVisible());
        QCOMPARE(background(&v), qRgb(49, 130, 212));
        QVERIFY(!v.Label1->isVisible());
        QVERIFY(!v.Label3[PageViewer::NextPage]->isVisible());
        QVERIFY(v.Label3[PageViewer::PrintButton]->isVisible());
        QVERIFY(v.Label3[PageViewer::ExitButton]->isVisible());
        QVERIFY(v.Timer1.isActive());
        QCOMPARE(v.Timer1.interval(), 25);

        // Twenty ticks come back to the same frame.
        QTRY_VERIFY_WITH_TIMEOUT(v.Picture1->isVisible(), 300);
        v.Timer1.stop();
        const int frame = t.app.state.logoframe;
        const QImage shown = v.Picture1->pixmap().toImage();
        for (int i = 0; i < 20; ++i)
            QMetaObject::invokeMethod(&v.Timer1, "timeout", Qt::DirectConnection);
        QCOMPARE(t.app.state.logoframe, frame);
        QCOMPARE(v.Picture1->pixmap().toImage(), shown);
        QVERIFY(!v.Picture2->pixmap().isNull());

        // Reopened, the animation goes on with the next frame.
        clickMouse(v.Label3[PageViewer::ExitButton]);
        clickMouse(menu.Label2[Intro0::Acknowledgments]);
        Teacher& again = t.app.screens.teacher();
        again.Timer1.stop();
        // A slow build may tick while the page opens; the count goes on, never back to 0.
        const int reopened = t.app.state.logoframe;
        QVERIFY((reopened - frame + 20) % 20 < 5);
        QMetaObject::invokeMethod(&again.Timer1, "timeout", Qt::DirectConnection);
        QCOMPARE(t.app.state.logoframe, pages::nextLogoFrame(reopened));
        QVERIFY(again.Picture1->pixmap().toImage() != shown);

        // Key Facts afterwards shows the page links again.
        clickMouse(again.Label3[PageViewer::ExitButton]);
        Hub& hub = t.app.screens.tiberan();
        hub.showInFront();
        clickMouse(hub.Label3[Hub::KeyFacts]);
        QVERIFY(t.app.screens.teacher().Label3[PageViewer::NextPage]->isVisible());
        QVERIFY(!t.app.screens.teacher().Timer1.isActive());
    }

    void missingOrDamagedPagesAndPrinters_data() {
        QTest::addColumn<QByteArray>("page"); // empty: the file is missing
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a metafile") << QByteArray("GIF89a not a metafile at all");
    }
    void missingOrDamagedPagesAndPrinters() {
        QFETCH(QByteArray, page);
        TestApp t;
        addPages(t);
        QFile::remove(t.folder.path() + "/wmf/guide2.wmf");
        if (!page.isEmpty())
            t.folder.write("wmf/guide2.wmf", page);
        Intro0& menu = openMenu(t);
        clickMouse(menu.Label2[Intro0::Guide]);
        Guide& g = t.app.screens.guide();
        clickMouse(g.Label3[PageViewer::NextPage]);
        QCOMPARE(t.app.messages.history().back().text, PageViewer::PageMissing);
        QCOMPARE(g.Label1->text(), QStringLiteral("Page 2 of 5"));
        QVERIFY(g.Image1->pixmap().isNull());
        clickMouse(g.Label3[PageViewer::PrintButton]); // nothing to print: said, not done
        QVERIFY(t.printouts.empty());
        clickMouse(g.Label3[PageViewer::NextPage]); // the viewer goes on
        QVERIFY(!g.Image1->pixmap().isNull());

        t.app.printers.setOpener([](const QString&) -> std::unique_ptr<Printer> {
            throw PrintError("no default printer");
        });
        clickMouse(g.Label3[PageViewer::PrintButton]);
        QCOMPARE(t.app.messages.history().back().text,
                 QStringLiteral("There was a problem printing to your printer."));
        QVERIFY(g.isVisible());
    }
};

LUMORA_TEST(ViewersTest)
#include "tst_viewers.moc"
