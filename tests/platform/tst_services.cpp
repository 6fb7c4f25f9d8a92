// The small services every screen leans on: twips, pictures, random numbers, the
// code page of the files, and the printers.
#include "platform/codepage.h"
#include "platform/pictures.h"
#include "platform/printer.h"
#include "platform/random.h"
#include "platform/seqfile.h"
#include "platform/twips.h"
#include "testing.h"

#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QtTest>
#include <set>

using namespace lumora;
using Kind = RecordingPrinter::Kind;

class ServicesTest : public QObject {
    Q_OBJECT
private slots:
    // Twips to pixels round halves away from zero, Int floors, CInt rounds halves to even.
    void rounding() {
        const std::tuple<double, int, qlonglong, int> rows[] = {
            {12000, 800, 12000, 12000}, {37.5, 3, 37, 38}, {-37.5, -3, -38, -38}, {22.5, 2, 22, 22},
            {-22.5, -2, -23, -22},      {7, 0, 7, 7},      {-0.1, 0, -1, 0}};
        for (const auto& [x, pixels, intValue, cintValue] : rows) {
            QCOMPARE(twipsToPixels(x), pixels);
            QCOMPARE(intPart(x), intValue);
            QCOMPARE(roundToEven(x), cintValue);
        }
    }

    void picturesLoadOrFailClearly() {
        testing::ScratchFolder dir;
        QImage img(30, 20, QImage::Format_RGB32);
        img.fill(Qt::red);
        QVERIFY(QDir().mkpath("Images") && img.save(dir.path() + "/Images/a.jpg"));
        QLabel box;
        loadPicture(&box, "images\\A.JPG", true);
        QCOMPARE(box.size(), QSize(30, 20));
        dir.write("Images/broken.jpg", "not a picture");
        QVERIFY_THROWS_EXCEPTION(FileError, loadPicture(&box, "Images\\broken.jpg"));
        QVERIFY_THROWS_EXCEPTION(FileError, loadPicture(&box, "Images\\missing.jpg"));
    }

    void randomValuesReachEverySliceAndReseedApart() {
        TimeOfDayRandom r(12345);
        std::set<int> slices;
        for (int i = 0; i < 20000; ++i) {
            const float v = r.rnd();
            QVERIFY(v >= 0.0f && v < 1.0f);
            slices.insert(static_cast<int>(intPart(v * 94)));
        }
        QCOMPARE(slices.size(), std::size_t(94));
        r.randomize();
        const float a = r.rnd();
        r.randomize(); // twice in one tick of the clock
        QVERIFY(a != r.rnd());
    }

    // Text the code page holds goes both ways; other text is refused (no bytes).
    void codePage() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        const std::pair<QByteArray, QString> rows[] = {
            {all, cp1252::decode(all)},
            {"caf\xe9 \xbd \xd7", QStringLiteral("café ½ ×")},
            {"\x80 \x93x\x94 \x85", QStringLiteral("€ “x” …")},
            {{}, QStringLiteral("π r²")},
            {{}, QStringLiteral("well done \U0001F600")}};
        for (const auto& [bytes, text] : rows) {
            QVERIFY2(cp1252::canEncode(text) == !bytes.isEmpty(), qPrintable(text));
            QCOMPARE(cp1252::encode(text).value_or(QByteArray()), bytes);
            if (!bytes.isEmpty())
                QCOMPARE(cp1252::decode(bytes), text);
        }
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
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, paletteColour(16));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, paletteColour(-1));
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
        p->endDoc();
        QVERIFY(QFileInfo(path).size() > 0);
        // Twips become device pixels at the printer's resolution (1200 dots an inch).
        QCOMPARE(given, QRectF(1000.0 * 1200 / 1440, 1000.0 * 1200 / 1440, 1200, 600));
        QCOMPARE(p->page(), 2);
    }

    // A PDF that is never finished leaves nothing behind. One that cannot be written
    // is the printouts' "cannot write" case.
    void abandonedPdfLeavesNoFile() {
        testing::ScratchFolder dir;
        openPdfPrinter(dir.path() + "/half.pdf", "Lumora test")->printLine("half a page");
        QVERIFY(!QFileInfo::exists(dir.path() + "/half.pdf"));
    }
};

LUMORA_TEST(ServicesTest)
#include "tst_services.moc"
