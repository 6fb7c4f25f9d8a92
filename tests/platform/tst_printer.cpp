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
    void paletteNumbers_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QRgb>("colour");
        QTest::newRow("black") << 0 << qRgb(0, 0, 0);
        QTest::newRow("dark blue") << 1 << qRgb(0, 0, 128);
        QTest::newRow("light grey") << 7 << qRgb(192, 192, 192);
        QTest::newRow("blue") << 9 << qRgb(0, 0, 255);
        QTest::newRow("red") << 12 << qRgb(255, 0, 0);
        QTest::newRow("white") << 15 << qRgb(255, 255, 255);
    }
    void paletteNumbers() {
        QFETCH(int, number);
        QFETCH(QRgb, colour);
        QCOMPARE(paletteColour(number), colour);
    }

    void paletteHasSixteenColours() {
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, paletteColour(16));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, paletteColour(-1));
    }

    // Fixed pitch: a character is half the size in points times 10 twips, a line 24
    // twips a point.
    void cursorMovesLineByLine() {
        RecordingPrinter p(12000, 16000);
        p.setFontName("Times New Roman");
        p.setFontSize(20);
        QCOMPARE(p.textWidth("abcd"), 800.0);
        QCOMPARE(p.lineHeight(), 480.0);

        p.setCurrentX(1500);
        p.printText("ab");
        QCOMPARE(p.currentX(), 1900.0);
        QCOMPARE(p.currentY(), 0.0);
        p.setColour(paletteColour(12));
        p.printLine("cde");
        QCOMPARE(p.currentX(), 0.0);
        QCOMPARE(p.currentY(), 480.0);
        p.setFontSize(10);
        p.printLine("");
        QCOMPARE(p.currentY(), 720.0);

        const auto texts = p.all(Kind::Text);
        QCOMPARE(texts.size(), std::size_t(3));
        QCOMPARE(texts[0].at, QPointF(1500, 0));
        QCOMPARE(texts[0].font, (PrintFont{"Times New Roman", 20}));
        QCOMPARE(texts[0].colour, qRgb(0, 0, 0));
        QCOMPARE(texts[1].text, QStringLiteral("cde"));
        QCOMPARE(texts[1].at, QPointF(1900, 0));
        QCOMPARE(texts[1].colour, qRgb(255, 0, 0));
        QCOMPARE(texts[2].at, QPointF(0, 480));
        QCOMPARE(texts[2].font.size, 10.0);
    }

    void pastTheBottomStartsANewPage() {
        RecordingPrinter p(5000, 1000);
        p.setFontSize(10); // lines of 240 twips: four fit, the fifth does not
        for (int i = 1; i <= 5; ++i)
            p.printLine(QString::number(i));
        p.endDoc();

        const auto& ops = p.operations();
        QCOMPARE(ops.size(), std::size_t(7));
        QCOMPARE(ops[3].at, QPointF(0, 720));
        QCOMPARE(ops[3].page, 1);
        QCOMPARE(ops[4].kind, Kind::NewPage);
        QCOMPARE(ops[5].text, QStringLiteral("5"));
        QCOMPARE(ops[5].at, QPointF(0, 0));
        QCOMPARE(ops[5].page, 2);
        QCOMPARE(ops[6].kind, Kind::End);
        QCOMPARE(p.page(), 2);
        QCOMPARE(p.currentY(), 240.0);
    }

    void aLineTallerThanThePageDoesNotPageForEver() {
        RecordingPrinter p(5000, 100);
        p.setFontSize(36);
        p.printLine("big");
        QCOMPARE(p.page(), 1);
        p.printLine("again");
        QCOMPARE(p.page(), 2);
        QCOMPARE(p.all(Kind::NewPage).size(), std::size_t(1));
    }

    void linesAndPictures() {
        RecordingPrinter p(9000, 12000);
        p.setLineWidth(2);
        p.line({45, 270}, {8955, 270}, paletteColour(0));
        bool drawn = false;
        p.drawPicture({1000, 1000}, QSizeF(3000, 2000),
                      [&](QPainter&, const QRectF&) { drawn = true; });
        QImage bitmap(40, 20, QImage::Format_RGB32);
        p.drawPicture({1000, 1000}, bitmap);

        const auto lines = p.all(Kind::Line);
        QCOMPARE(lines.size(), std::size_t(1));
        QCOMPARE(lines[0].at, QPointF(45, 270));
        QCOMPARE(lines[0].to, QPointF(8955, 270));
        QCOMPARE(lines[0].lineWidth, 2);
        QCOMPARE(lines[0].colour, qRgb(0, 0, 0));
        const auto pictures = p.all(Kind::Picture);
        QCOMPARE(pictures.size(), std::size_t(2));
        QCOMPARE(pictures[0].size, QSizeF(3000, 2000));
        QCOMPARE(pictures[1].at, QPointF(1000, 1000));
        QCOMPARE(pictures[1].size, QSizeF(600, 300)); // 15 twips a pixel
        QImage canvas(10, 10, QImage::Format_RGB32);
        QPainter painter(&canvas);
        pictures[0].draw(painter, QRectF(0, 0, 10, 10));
        QVERIFY(drawn);
    }

    void nothingPrintsAfterTheEnd() {
        RecordingPrinter p(9000, 12000);
        p.printLine("x");
        p.endDoc();
        QVERIFY(p.ended());
        QVERIFY_THROWS_EXCEPTION(PrintError, p.printLine("y"));
        QVERIFY_THROWS_EXCEPTION(PrintError, p.line({0, 0}, {1, 1}, 0));
        QVERIFY_THROWS_EXCEPTION(PrintError, p.endDoc());
        QCOMPARE(p.all(Kind::End).size(), std::size_t(1));
        QCOMPARE(p.all(Kind::Text).size(), std::size_t(1));
    }

    void factoryUsesItsOpener() {
        PrinterFactory factory;
        QString asked;
        factory.setOpener([&](const QString& name) {
            asked = name;
            return std::make_unique<RecordingPrinter>(100, 100);
        });
        QVERIFY(dynamic_cast<RecordingPrinter*>(factory.open("Lumora worksheet").get()));
        QCOMPARE(asked, QStringLiteral("Lumora worksheet"));
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
        p->setFontSize(12);
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

    void unwritablePdfFails() {
        auto print = [] {
            auto p = openPdfPrinter("/nonexistent-folder/out.pdf", "Lumora test");
            p->printLine("x");
            p->endDoc();
        };
        QVERIFY_THROWS_EXCEPTION(PrintError, print());
    }

    void abandonedDocumentPrintsNothing() {
        testing::ScratchFolder dir;
        const QString path = dir.path() + "/half.pdf";
        {
            auto p = openPdfPrinter(path, "Lumora test");
            p->printLine("half a page");
        }
        QVERIFY(!QFileInfo::exists(path));
    }
};

LUMORA_TEST(PrinterTest)
#include "tst_printer.moc"
