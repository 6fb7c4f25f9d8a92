#include "../print/pdftools.h"
#include "platform/printer.h"
#include "testing.h"

#include <QFileInfo>
#include <QPainter>
#include <QtTest>

using namespace lumora;
using Kind = RecordingPrinter::Kind;

class PrinterTest : public QObject {
    Q_OBJECT
private slots:
    // Fixed pitch: a character is half the size in points times 10 twips, a line 24
    // twips a point.
    void cursorMovesLineByLine() {
        RecordingPrinter p(12000, 16000);
        p.setFontSize(20);
        p.setCurrentX(1500);
        p.printText("ab");
        QCOMPARE(QPointF(p.currentX(), p.currentY()), QPointF(1900, 0));
        p.printLine("cde");
        QCOMPARE(QPointF(p.currentX(), p.currentY()), QPointF(0, 480));
        p.setFontSize(10);
        p.printLine("");
        QCOMPARE(p.currentY(), 720.0);
        const auto texts = p.all(Kind::Text);
        QCOMPARE(texts[1].at, QPointF(1900, 0));
        QCOMPARE(texts[2].at, QPointF(0, 480));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, paletteColour(16));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, paletteColour(-1));
    }

    void pastTheBottomStartsANewPage() {
        RecordingPrinter p(5000, 1000);
        p.setFontSize(10); // lines of 240 twips: four fit, the fifth does not
        for (int i = 1; i <= 5; ++i)
            p.printLine(QString::number(i));
        p.endDoc();
        const auto& ops = p.operations();
        QCOMPARE(ops.size(), std::size_t(7));
        QVERIFY(ops[3].at == QPointF(0, 720) && ops[3].page == 1);
        QCOMPARE(ops[4].kind, Kind::NewPage);
        QVERIFY(ops[5].text == "5" && ops[5].at == QPointF(0, 0) && ops[5].page == 2);
        QCOMPARE(ops[6].kind, Kind::End);

        // A line taller than the page does not page for ever.
        RecordingPrinter tall(5000, 100);
        tall.setFontSize(36);
        tall.printLine("big");
        QCOMPARE(tall.page(), 1);
        tall.printLine("again");
        QCOMPARE(tall.all(Kind::NewPage).size(), std::size_t(1));
    }

    void nothingPrintsAfterTheEnd() {
        RecordingPrinter p(9000, 12000);
        p.drawPicture({1000, 1000}, QImage(40, 20, QImage::Format_RGB32));
        QCOMPARE(p.all(Kind::Picture)[0].size, QSizeF(600, 300)); // 15 twips a pixel
        p.endDoc();
        QVERIFY_THROWS_EXCEPTION(PrintError, p.printLine("y"));
        QVERIFY_THROWS_EXCEPTION(PrintError, p.line({0, 0}, {1, 1}, 0));
        QVERIFY_THROWS_EXCEPTION(PrintError, p.endDoc());
        QCOMPARE(p.all(Kind::End).size(), std::size_t(1));
        PrinterFactory factory;
        factory.setOpener([](const QString&) { return std::unique_ptr<Printer>(); });
        QVERIFY_THROWS_EXCEPTION(PrintError, factory.open("x"));
    }

    void pdfHoldsWhatWasPrinted() {
        testing::ScratchFolder dir;
        const QString path = dir.path() + "/out.pdf";
        auto p = openPdfPrinter(path, "Lumora test");
        // A4 is 11906 by 16838 twips; the printable area lies inside it.
        QVERIFY(p->width() > 9000 && p->width() <= 11906);
        QVERIFY(p->height() > 13000 && p->height() <= 16838);
        p->setFontName("Times New Roman");
        p->setFontSize(16);
        const double narrow = p->textWidth("Brenvale Lumora");
        const double line = p->lineHeight();
        p->setFontSize(32);
        QVERIFY(qAbs(p->textWidth("Brenvale Lumora") / narrow - 2) < 0.05);
        QVERIFY(line > 16 * 20 && line < 16 * 20 * 1.5);

        p->setCurrentX(1440);
        p->printText("Brenvale");
        p->printLine(" worksheets");
        QRectF given;
        p->drawPicture({1000, 1000}, QSizeF(1440, 720), [&](QPainter& painter, const QRectF& r) {
            given = r;
            painter.fillRect(r, Qt::red);
        });
        p->line({0, 3000}, {p->width(), 3000}, paletteColour(9));
        while (p->page() < 2)
            p->printLine("Question after question");
        p->printLine("The last line");
        p->endDoc();
        QVERIFY(QFileInfo(path).size() > 0);
        // Twips become device pixels at the printer's resolution (1200 dots an inch).
        QCOMPARE(given, QRectF(1000.0 * 1200 / 1440, 1000.0 * 1200 / 1440, 1200, 600));
        if (!testing::havePoppler())
            QSKIP("pdftotext is not installed (poppler-utils): the PDF's text is not read back");
        const QString first = testing::pdfText(path, 1);
        QVERIFY2(first.contains("Brenvale worksheets"), qPrintable(first));
        QVERIFY(!first.contains("The last line"));
        QVERIFY(testing::pdfText(path, 2).contains("The last line"));
    }

    void unwritableOrAbandonedPdfs() {
        auto print = [] {
            auto p = openPdfPrinter("/nonexistent-folder/out.pdf", "Lumora test");
            p->printLine("x");
            p->endDoc();
        };
        QVERIFY_THROWS_EXCEPTION(PrintError, print());
        testing::ScratchFolder dir;
        openPdfPrinter(dir.path() + "/half.pdf", "Lumora test")->printLine("half a page");
        QVERIFY(!QFileInfo::exists(dir.path() + "/half.pdf"));
    }
};

LUMORA_TEST(PrinterTest)
#include "tst_printer.moc"
