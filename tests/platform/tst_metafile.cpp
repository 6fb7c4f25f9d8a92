// The metafile player: its pure parts each on its own (raster operations, text and
// symbol fonts, reading order), then whole files, synthetic ones written from a short
// script for each rule and each kind of damage, a file for each fault fixed, the public
// sample metafiles and the product's pages.
#include "metafilescript.h"
#include "platform/metafile.h"
#include "platform/metafile/rasterop.h"
#include "platform/metafile/records.h"
#include "platform/metafile/text.h"
#include "platform/seqfile.h"
#include "testing.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QRawFont>
#include <QtTest>

using namespace lumora;
using namespace lumora::wmf::fn;
using lumora::testing::Wmf;

namespace {

constexpr QRgb White = qRgb(255, 255, 255), Black = qRgb(0, 0, 0), Red = qRgb(255, 0, 0);

// A table, a row a line, its fields parted by '|'. A line that starts with four blanks goes
// on from the line before; one that starts with '#' is a comment.
std::vector<QByteArrayList> table(QByteArray text) {
    std::vector<QByteArrayList> rows;
    for (const QByteArray& line : text.replace("\n    ", " ").split('\n'))
        if (!line.trimmed().isEmpty() && !line.startsWith('#')) {
            rows.push_back(line.split('|'));
            for (QByteArray& field : rows.back())
                field = field.trimmed();
        }
    return rows;
}

// A file played into a picture of its own size.
QImage render(const QByteArray& file, PlayStats* stats = nullptr) {
    const auto mf = Metafile::fromBytes(file);
    QImage image(mf ? mf->sizePixels() : QSize(1, 1), QImage::Format_ARGB32_Premultiplied);
    image.fill(White);
    QPainter painter(&image);
    const PlayStats s = mf ? mf->play(painter, image.rect()) : PlayStats();
    return stats ? (*stats = s, image) : image;
}

QRgb at(const QImage& image, QPoint p) { return image.pixel(p) | 0xFF000000u; }

// Checks a picture and how it played against what `expected` says, parted by
// ';': "x,y colour"; "rect x y w h", black inside and white in a band around; "ink x y w h"
// and "blank x y w h", some dark pixels in the box or none; "smooth x y w h", some pixels
// part covered (an edge drawn smooth); "reads" and the page text;
// "skips N", records skipped; "stops", the player stops early.
void check(const QImage& image, const PlayStats& stats, const QByteArray& expected) {
    int skipped = 0;
    for (const QByteArray& item : expected.split(';')) {
        const QByteArrayList t = QByteArray(item).replace(',', ' ').simplified().split(' ');
        const QRect box =
            t.size() == 5 ? QRect(t[1].toInt(), t[2].toInt(), t[3].toInt(), t[4].toInt()) : QRect();
        if (t[0] == "skips" || t[0] == "stops") {
            skipped = t[0] == "stops" ? -1 : t[1].toInt();
        } else if (t[0] == "reads") {
            QCOMPARE(readingOrderText(stats), QString::fromUtf8(item.trimmed().mid(6)));
        } else if (t[0] == "ink" || t[0] == "blank" || t[0] == "smooth") {
            int dark = 0, part = 0;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x) {
                    const int grey = image.rect().contains(x, y) ? qGray(image.pixel(x, y)) : 255;
                    dark += grey < 128;
                    part += grey > 20 && grey < 235;
                }
            const int counted = t[0] == "smooth" ? part : dark;
            QVERIFY2(t[0] == "blank" ? counted == 0 : counted > 20, item.constData());
        } else if (t[0] == "rect") {
            QCOMPARE(at(image, box.center()), Black);
            for (const QRect& c : {box.adjusted(2, 2, -2, -2), box.adjusted(-3, -3, 3, 3)})
                for (const QPoint q : {c.topLeft(), c.topRight(), c.bottomLeft(), c.bottomRight()})
                    if (image.rect().contains(q))
                        QCOMPARE(at(image, q), c.width() < box.width() ? Black : White);
        } else {
            QVERIFY2(QColor::isValidColor(QString(t.value(2))) &&
                         at(image, {t[0].toInt(), t[1].toInt()}) == QColor(QString(t[2])).rgb(),
                     item.constData());
        }
    }
    QCOMPARE(stats.endReason.isEmpty(), skipped >= 0);
    QVERIFY2(stats.endedEarly == (skipped < 0), qPrintable(stats.endReason));
    QCOMPARE(stats.skippedCount(), std::max(skipped, 0));
}

} // namespace

class MetafileTest : public QObject {
    Q_OBJECT
private slots:
    void file_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSizeF>("twips"); // invalid: no metafile
        QByteArray wrongHeader = Wmf().file();
        wrongHeader[22 + 2] = 7; // header words
        QTest::newRow("96 units an inch") << Wmf("box 0 0 96 48").file() << QSizeF(1440, 720);
        QTest::newRow("twips, negative origin")
            << Wmf("box -1500 -300 3000 1500 1440").file() << QSizeF(3000, 1500);
        QTest::newRow("plain, sized by its window")
            << Wmf("plain; SetWindowOrg 0 0; SetWindowExt 750 1500").file() << QSizeF(1500, 750);
        QTest::newRow("plain, no window") << Wmf("plain").file() << QSizeF(9600, 7200);
        QTest::newRow("empty") << QByteArray() << QSizeF();
        QTest::newRow("text") << QByteArray("Tiberan died at 84, so the riddle says.") << QSizeF();
        QTest::newRow("cut inside the header") << Wmf().file().left(30) << QSizeF();
        QTest::newRow("wrong header size") << wrongHeader << QSizeF();
    }
    void file() {
        QFETCH(QByteArray, bytes);
        QFETCH(QSizeF, twips);
        const auto mf = Metafile::fromBytes(bytes);
        QCOMPARE(mf.has_value(), twips.isValid());
        if (mf)
            QCOMPARE(mf->toImage().size(), (twips / 15).toSize());
        QCOMPARE(mf ? mf->sizeTwips() : QSizeF(), twips);
    }

    void resourcesAndControls() {
        testing::ScratchFolder folder;
        folder.write("wmf/page.wmf", Wmf("box 0 0 60 40; blackrect 10 10 50 30").file());
        folder.write("wmf/bad.wmf", "not a picture");
        QVERIFY_THROWS_EXCEPTION(FileError, Metafile::load("wmf\\missing.wmf"));
        QVERIFY_THROWS_EXCEPTION(FileError, Metafile::load("wmf\\bad.wmf"));
        // Sharp at twice the pixels, the same size on the screen; a control draws at
        // its own ratio and keeps its size.
        const QPixmap two = Metafile::load("WMF\\Page.wmf").toPixmap(Qt::white, 2);
        QCOMPARE(two.deviceIndependentSize(), QSizeF(60, 40));
        check(two.toImage(), {}, "60,40 black; 10,10 white");
        QLabel control;
        loadMetafile(&control, "wmf\\page.wmf");
        QCOMPARE(control.size(), QSize(60, 40));
        QCOMPARE(control.pixmap().size(), QSize(60, 40) * control.devicePixelRatioF());
    }

    // Pictures 100 pixels square, then text, damaged files and the fault files.
    void pixels_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("expected");
        for (const QByteArrayList& t : table(R"(
# A black rectangle after a change of mapping lands in the box given last.
y up | SetWindowOrg 100 0; SetWindowExt -100 100; blackrect 10 90 50 70 | rect 10 10 40 20
text mode: origin, no extent | SetMapMode 1; SetWindowOrg -20 -30; SetWindowExt 1000 1000;
    blackrect 0 0 40 20 | rect 30 20 40 20
twips, y up | box 0 0 1500 1500 1440; SetMapMode 6; blackrect 150 -300 750 -600 | rect 10 20 40 20
isotropic keeps the shape | SetMapMode 7; SetWindowExt 50 100; SetViewportExt 100 100;
    blackrect 10 10 50 30 | rect 10 10 40 20
viewport quarter | SetWindowExt 100 100; SetViewportOrg 50 50; SetViewportExt 50 50;
    blackrect 20 20 80 60 | rect 60 60 30 20
offset and scale | OffsetWindowOrg -10 -20; ScaleWindowExt 2 1 2 1; blackrect -10 0 30 20
    | rect 20 20 80 40
restore to the first save | SaveDC; SaveDC; SetWindowOrg 50 50; SaveDC; RestoreDC 1;
    blackrect 10 20 50 40 | rect 10 20 40 20
# Objects. Red in 0, green in 1; 0 deleted; blue takes 0, the lowest free slot.
lowest free slot | brush red; brush green; DeleteObject 0; brush blue; SelectObject 0; nullpen;
    page | 50,50 blue
unknown index changes nothing | brush red; SelectObject 0; SelectObject 7; DeleteObject 9;
    nullpen; page | 50,50 red
default brush is white | SetBkColor red; nullpen; page | 50,50 white
# Entry 1 of the selected palette is (0, 255, 0); the brush names entry 1.
palette index | CreatePalette 0x300 2 0 0 0xFF00 0; SelectPalette 0; CreateBrushIndirect 0 1 0x100
    0; SelectObject 1; nullpen; page | 50,50 lime
ellipse | fill black; Ellipse 90 90 10 10 | 50,50 black; 15,15 white
round rectangle | fill black; RoundRect 40 40 90 90 10 10 | 50,15 black; 11,11 white
# A pie of the upper right quarter, counter-clockwise from 3 o'clock to 12.
pie | fill black; Pie 10 50 50 90 90 90 10 10 | 70,30 black; 30,70 white
clip rectangle | fill black; IntersectClipRect 60 60 20 20; page | 40,40 black; 10,10 white
excluded rectangle | fill black; ExcludeClipRect 60 60 20 20; page | 10,10 black; 40,40 white
clip restored | fill black; SaveDC; IntersectClipRect 60 60 20 20; RestoreDC -1; page | 10,10 black
# A region of one band from x 0 to 30, selected as the clip.
clip region | fill black; CreateRegion 0 6 0 0 0 1 0 0 0 30 100 2 0 100 0 30 2;
    SelectClipRegion 2; page | 15,50 black; 60,50 white
# Shapes reaching millions of pixels past the picture, at 100 pixels a unit: a triangle whose
# long side runs through the middle, a star around the picture (its middle a hole when the fill
# alternates), the edge of an ellipse three million pixels wide, a wide line.
huge triangle | SetWindowExt 1 1; fill black; Polygon 3 -30000 -30000 30001 -30000 -30000 30001
    | 10,10 black; 90,90 white
huge star, alternate | SetWindowExt 1 1; fill black; SetPolyFillMode 1; star | 50,50 white
huge star, winding | SetWindowExt 1 1; fill black; SetPolyFillMode 2; star | 50,50 black
huge ellipse | SetWindowExt 2 2; fill black; Ellipse 20000 1 -20000 -30000
    | 40,50 black; 60,50 white
huge wide line | SetWindowExt 1 1; pen 0 1; MoveTo -30000 0; LineTo 30000 0
    | 30,50 black; 70,50 white
# A cross hatch has clear gaps, or in the background colour when that is opaque.
clear hatch | SetBkMode 1; SetBkColor red; CreateBrushIndirect 2 black 4; SelectObject last;
    nullpen; page | 12,50 black; 50,11 black; 13,13 white; 16,16 white
opaque hatch | SetBkColor red; CreateBrushIndirect 2 black 4; SelectObject last; nullpen; page
    | 12,50 black; 50,11 black; 13,13 red; 16,16 red
opaque text background | font -40; SetBkColor blue; SetTextColor white; text 10 10 ..
    | 14,14 blue; 5,5 white
# Pens from (50.5, 10) to (50.5, 90) at two units a pixel: width 0 is one pixel, a null pen draws
# nothing, a wide one is solid, a flat cap stops at the end.
hairline | box 0 0 200 200 192; pen 0 0; MoveTo 20 101; LineTo 180 101 | 50,50 black; 52,50 white
wide pen | box 0 0 200 200 192; pen 0 20; MoveTo 20 101; LineTo 180 101 | 46,50 black; 57,50 white
null pen | box 0 0 200 200 192; pen 5 20; MoveTo 20 101; LineTo 180 101 | 50,50 white; 46,50 white
flat caps | box 0 0 200 200 192; pen 0x200 12; MoveTo 20 101; LineTo 180 101
    | 50,89 black; 50,92 white
# Bitmaps, 2 x 2, at each depth and through each record: black, white over red (white at one
# bit), black. Stretched to 80 x 80, or, at two units the picture, two pixels fill it. With no
# expectation given, the four pixels are checked.
1 bits, StretchDIB | StretchDIB 0xCC0020 0 2 2 0 0 80 80 0 0 dib:1:black,white,white,black
    | 20,20 black; 60,20 white; 20,60 white; 60,60 black
4 bits, DIBStretchBlt | DIBStretchBlt 0xCC0020 2 2 0 0 80 80 0 0 dib:4:black,white,red,black
8 bits, DIBBitBlt | SetWindowExt 2 2; DIBBitBlt 0xCC0020 0 0 2 2 0 0 dib:8:black,white,red,black
16 bits, SetDIBToDev | SetWindowExt 2 2; SetDIBToDev 0 2 0 0 0 2 2 0 0 dib:16:black,white,red,black
24 bits, StretchDIB | StretchDIB 0xCC0020 0 2 2 0 0 80 80 0 0 dib:24:black,white,red,black
32 bits, DIBStretchBlt | DIBStretchBlt 0xCC0020 2 2 0 0 80 80 0 0 dib:32:black,white,red,black
top down, DIBBitBlt | SetWindowExt 2 2; DIBBitBlt 0xCC0020 0 0 2 2 0 0 dib:-24:black,white,red,black
)"))
            QTest::newRow(t[0].constData())
                << Wmf(t[1]).file()
                << t.value(2, "20,20 black; 60,20 white; 20,60 red; 60,60 black");
        // Text 40 units high on a clear background, 200 x 100 unless the row says: some ink in the
        // first box, none in the second, and the page text.
        for (const QByteArrayList& t : table(R"(
top left | text 100 50 HH | 100 50 60 30 | 0 0 98 100 | HH
right, baseline | SetTextAlign 26; text 100 50 HH | 40 20 60 30 | 102 0 98 100 | HH
centre, bottom | SetTextAlign 14; text 100 90 HH | 70 50 60 40 | 0 0 60 100 | HH
turned a quarter | font -40 900; text 100 90 HH | 100 30 40 60 | 150 0 50 100 | HH
update position | SetTextAlign 1; MoveTo 10 10; text 0 0 HH; text 0 0 HH
    | 10 10 110 35 | 140 0 60 100 | HHHH
# ExtTextOut holds y, x, the count, options, a box when they ask for one, the text, the spacing.
# Spacing of 150 units puts the second letter at the far right.
spacing array | ExtTextOut 10 10 2 0 'HH 150 0 | 160 10 35 35 | 50 0 100 100 | HH
# The opaque box is filled with the background colour, the text clipped to it.
opaque, clipped | SetBkColor black; ExtTextOut 10 10 4 6 0 0 40 100 'HHHH
    | 2 2 36 96 | 42 0 158 100 | HHHH
odd length, padded | text 10 10 H | 10 10 30 30 | 45 0 155 100 | H
)"))
            QTest::addRow("text: %s", t[0].constData())
                << Wmf("box 0 0 200 100; SetBkMode 1; font -40")(t[1]).file()
                << "ink " + t[2] + "; blank " + t[3] + "; reads " + t[4];
        // Each damage is followed by a black rectangle over the middle, unless it ends the file:
        // the player stops at the damage (the middle stays white), skips the record, or plays it.
        for (const QByteArrayList& t : table(R"(
size past the end | bytes 5000 0 Rectangle 0 0 0 0; noend | stops
header cut short | bytes 5; noend | stops
no end record | blackrect 10 10 90 90; noend | plays
zero size | bytes 0 0 Rectangle | stops
size two | bytes 2 0 SetBkMode | stops
polygon count past the record | Polygon 30000 1 2 | stops
polygon negative count | Polygon -3 1 2 | stops
polypolygon counts past the record | PolyPolygon 2 60000 60000 1 2 | stops
text longer than its record | TextOut 200 0x4141 0 0 | stops
extended text longer than its record | ExtTextOut 0 0 9000 0 0x4141 | stops
font record cut short | CreateFontIndirect -20 0 | stops
palette count past the record | CreatePalette 0x300 40000 0 0 | stops
region scans past the record | CreateRegion 0 6 0 0 0 500 0 0 0 9 9 | stops
escape is skipped | Escape 15 4 0x4241 0x4443 | skips 1
unknown record is skipped | 0x999 1 2 3 | skips 1
restore without a save | RestoreDC -1; RestoreDC 5 | plays
zero extent | SetWindowExt 0 0 | plays
# More saves than the stack holds; more drawing work than allowed.
saves beyond the stack | SaveDC *3000 | plays
more work than the cap | Rectangle 5 5 0 0 *500000 | stops
# Bitmaps drawn to 50 x 50. Their headers: the header's size (40), width, height, planes, bits a
# pixel, then compression, image size, resolution and colours used; then colours and pixels.
truncated bitmap | StretchDIB 0xCC0020 0 2 2 0 0 50 50 0 0 40 0 2 0 2 0 1 24 0*12 0*3 | stops
# 268 million pixels a side
huge bitmap | StretchDIB 0xCC0020 0 2 2 0 0 50 50 0 0 40 0 0x10000000 0x10000000 1 8 0*12 0*516
    | skips 1
colour table past the record | StretchDIB 0xCC0020 0 2 2 0 0 50 50 0 0 40 0 2 0 2 0 1 8 0*8
    0x7FFFFFFF 0 0 0*516 | stops
run-length bitmap is skipped | StretchDIB 0xCC0020 0 2 2 0 0 50 50 0 0 40 0 2 0 2 0 1 8 1 0
    0*10 0*516 | skips 1
bitmap with an odd header | StretchDIB 0xCC0020 0 2 2 0 0 50 50 0 0 20 0 0*8 | skips 1
more records than the cap | MoveTo 0 0 *)" + QByteArray::number(Metafile::MaxRecords + 1) +
                                             " | stops"))
            QTest::addRow("damaged: %s", t[0].constData())
                << Wmf(t[1])("blackrect 10 10 90 90").file()
                << (t[2] == "plays" ? QByteArray() : t[2] + "; ") +
                       (t[2] == "stops" ? "50,50 white" : "50,50 black");
        // The regression files, one for each fault fixed in the player and named after it
        // (content/tools/faultfiles.py writes them), and what each must draw.
        const QDir faults(LUMORA_METAFILE_FAULTS);
        QStringList unchecked = faults.entryList({"*.wmf"});
        for (const QByteArrayList& t : table(R"(
# Over red: the destination kept, source xor, an operation of three inputs skipped.
raster-ops-drawn-as-copies | skips 1; 15,50 red; 50,50 cyan; 85,50 red
wingdings-drawn-as-greek | ink 10 25 70 26; blank 80 0 120 100; reads ✏☺
double-byte-text-lost-its-spacing | ink 130 20 25 40; blank 155 0 45 100; reads あいう
# The alphabet at half its natural width: about 26 x 10 wide.
font-width-measured-on-another-font | ink 260 20 25 40; blank 300 0 500 100;
    reads abcdefghijklmnopqrstuvwxyz
symbol-font-width-measured-on-letters | ink 250 20 20 40; blank 280 0 120 100
# The arrow in the band over the letter, none above the letter's em box.
vector-arrow-off-its-letter | ink 40 25 50 33; blank 0 0 200 24
ballot-marks-four-places-off | ink 10 20 140 30; reads 🗴🗸☑☒
# Where the clocks' hands meet, no hollow box; outside the first clock's round face, clear.
dingbat-clocks-drawn-as-boxes | ink 40 45 15 12; blank 14 24 8 8; reads 🕐🕓
# A sign no installed font has: the middle arm of its look-alike, where a box is hollow.
dingbat-of-a-script-no-font-has-drawn-as-box | ink 28 40 25 8; reads ॐ
seams-between-abutting-fills | 3,30 black; 10,30 black; 13,30 black; 16,30 black; 50,70 white;
    smooth 60 65 40 35
thin-fills-grew-a-pixel | 9,50 white; 10,50 black; 11,50 white; 19,50 white; 21,50 black;
    22,50 white; 29,50 white; 34,50 white; 39,50 white; 47,50 black; 48,50 white
null-pen-with-end-caps-drew | 50,50 white; 46,50 white; 30,50 black
deleted-brush-stopped-painting | 50,50 red
skipped-object-shifted-the-indexes | skips 1; 50,50 green
)")) {
            QFile file(faults.filePath(t[0] + ".wmf"));
            QVERIFY2(unchecked.removeOne(t[0] + ".wmf") && file.open(QIODevice::ReadOnly), t[0]);
            QTest::addRow("fault: %s", t[0].constData()) << file.readAll() << t[1];
        }
        QVERIFY2(unchecked.isEmpty(), qPrintable(unchecked.join(' ')));
    }
    void pixels() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, expected);
        PlayStats stats;
        check(render(file, &stats), stats, expected);
    }

    void drawsIntoTheTargetOnly() {
        QImage image = render(Wmf("box 0 0 200 200").file()); // white
        QPainter painter(&image);
        painter.setPen(QPen(QColor(Red), 3));
        Metafile::fromBytes(Wmf("blackrect -500 -500 500 500").file())
            ->play(painter, QRectF(50, 50, 100, 100));
        QVERIFY(painter.transform().isIdentity() && !painter.hasClipping());
        QCOMPARE(painter.pen().color().rgb(), Red);
        painter.scale(0.1, 0.1); // a printer's painter works in its own fine units
        Metafile::fromBytes(Wmf("box 0 0 1000 1000 1000; blackrect 100 200 500 300").file())
            ->play(painter, QRectF(0, 0, 1000, 1000));
        painter.end();
        check(image, {},
              "100,100 black; 52,52 black; 45,100 white; 155,155 white; 30,25 black; 8,25 white");
    }

    // Both copies of every page and the public sample metafiles beside the checkout (or
    // where LUMORA_WMF_CORPUS says): each plays within its caps, never more records than
    // the file holds. Pages play whole; the screen copy fits the viewers' room (the 800 x 600
    // screen less a margin and the band of caption and buttons); printed at its own size
    // 1000 twips in, the print copy stays inside quarter-inch margins on A4 and Letter.
    void files_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("page");
        QTest::addColumn<QStringList>("inOrder"); // some pages' text, in reading order
        const std::map<QString, QString> text = {
            {"guide1.wmf", "Welcome to Lumora|\nLumora brings two|Tiberan and Joris Malten open "
                           "the two topics.|Exit asks you to confirm, then closes Lumora.\n|Every "
                           "button is a label"},
            {"key Tiberana.wmf", "The riddle of Tiberan's life|\nHis boyhood lasted 14 years.\n|"
                                 "He married at 26.|Tiberan died at 84.\n|84 is the answer"},
            {"key maltenc.wmf",
             "0.4 × 0.3 = 0.12\n0.06 × 0.7|42 becomes\n0.042.\nThe sail chariot"}};
        const QString roots[] = {testing::dataFolder() + "/wmf", testing::dataFolder() + "/wmf2",
                                 qEnvironmentVariable("LUMORA_WMF_CORPUS", LUMORA_SOURCE_DATA
                                                      "/../../shared/wmf-corpus")};
        int pages = 0;
        for (int r = 0; r < 3; ++r)
            for (QDirIterator it(roots[r], {"*.wmf"}, QDir::Files, QDirIterator::Subdirectories);
                 it.hasNext(); pages += r < 2) {
                const QString path = it.next(), name = it.fileName();
                QTest::newRow(
                    qPrintable(QFileInfo(roots[r]).fileName() + path.mid(roots[r].size())))
                    << path << (r < 2)
                    << (r == 0 && text.count(name) ? text.at(name).split('|') : QStringList());
            }
        QCOMPARE(pages, 2 * 17);
    }
    void files() {
        QFETCH(QString, path);
        QFETCH(bool, page);
        QFETCH(QStringList, inOrder);
        QFile file(path);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const auto mf = Metafile::fromBytes(bytes);
        PlayStats stats;
        QVERIFY(mf && !mf->toImage(Qt::white, &stats).isNull() && stats.played > 0);
        QVERIFY(stats.played + stats.skippedCount() + stats.ignored <= bytes.size() / 6);
        if (page || path.endsWith("fulltest.wmf") || path.endsWith("tiger2.wmf"))
            QVERIFY2(stats.skipped.empty(), qPrintable(stats.skippedSummary()));
        if (!page)
            return;
        QVERIFY2(!stats.endedEarly, qPrintable(stats.endReason));
        QVERIFY(mf->isPlaceable() && stats.ignored == 0 && stats.played > 50);
        const QSizeF size = mf->sizeTwips();
        const bool print = path.contains("/wmf2/");
        QVERIFY(size.width() <= (print ? 8.27 * 1440 - 720 - 1000 : 11400) &&
                size.height() <= (print ? 11 * 1440 - 720 - 1000 : 7200));
        qsizetype from = 0;
        for (const QString& part : inOrder)
            QVERIFY2((from = mf->pageText().indexOf(part, from)) >= 0, qPrintable(part));
    }

    // The pure parts, a kind in the first field of each row. `raster`: an operation, whether
    // its record has a bitmap, the modes the device has (raster, blend or neither), and how it
    // is drawn: not at all (-), or its input (~ inverted) in a mode. `decode`: a face and
    // charset, bytes (%hh any byte), the text (� is the replacement character) and where each
    // character starts. `glyphs`: a face and its codes (ranges or single), those drawn as the
    // stand-in or by no installed font, none. `order`: pieces as "x,y,width text" where the
    // baseline starts, each of an em of 10 (`_` is a blank), and the page text.
    void parts_data() {
        QTest::addColumn<QByteArrayList>("row");
        for (const QByteArrayList& t : table(R"(
raster | source copy | 0xCC0020 bitmap | neither | Source over
raster | source copy without a source | 0xCC0020 | raster | -
raster | inverted source | 0x330008 bitmap | neither | ~Source over
raster | pattern xor | 0x5A0049 | raster | Pattern xor
raster | pattern xor, blending | 0x5A0049 | blend | Pattern difference
raster | pattern xor, neither | 0x5A0049 | neither | -
raster | destination inverted | 0x550009 | raster | White not
raster | not source or | 0xBB0226 bitmap | raster | ~Source or
raster | source and not destination, blending | 0x440328 bitmap | blend | -
raster | blackness | 0x000042 | neither | Black over
decode | Symbol by name alone | Symbol | 0 | abg%80 | αβγ□ | 0 1 2 3
decode | Greek code page | Arial | 161 | %E1%E2 | αβ | 0 1
decode | Windows-1252 | Arial | 0 | caf%E9 %80 | café € | 0 1 2 3 4 5
decode | Chinese | SimSun | 134 | %C4%E3%BA%C3 | 你好 | 0 2
decode | lead byte cut off | MS Gothic | 128 | a%82 | a� | 0 1
glyphs | Wingdings | Wingdings | 21-FF |
glyphs | Wingdings 2 | Wingdings 2 | 21-7E 80-F9 |
glyphs | Wingdings 3 | Wingdings 3 | 21-7E 80-F0 |
glyphs | extenders | Symbol | BD-BE E6-EF F1-FE |
order | lines top to bottom, pieces left to right | 50,40,20 world; 10,80,30 second;
    10,41,25 Hello | Hello world\nsecond
order | a full stop runs on, spaces are not doubled | 10,20,15 at_; 25,20,10 84; 35,20,3 .;
    0,5,10 __ | at 84.
order | nothing | |
order | a table of short cells reads across | 0,10,30 Trial_1; 60,10,30 2.35_m; 0,22,30 Trial_2;
    60,22,30 3.4_m | Trial 1 2.35 m\nTrial 2 3.4 m
# A heading above two columns whose lines share baselines, a row of labels below.
order | columns read one after the other | 0,0,200 Heading_over_both; 0,20,90 left_1;
    110,21,90 right_1; 0,32,90 left_2; 110,33,90 right_2; 0,44,90 left_3; 110,45,90 right_3;
    0,70,20 born; 40,70,20 wed; 150,70,20 son; 190,70,20 died
    | Heading over both\nleft 1\nleft 2\nleft 3\nright 1\nright 2\nright 3\nborn wed son died
)"))
            QTest::addRow("%s: %s", t[0].constData(), t[1].constData()) << t.mid(1);
    }
    void parts() {
        QFETCH(QByteArrayList, row);
        using enum QPainter::CompositionMode;
        const std::map<int, QByteArray> modes = {{CompositionMode_SourceOver, "over"},
                                                 {CompositionMode_Difference, "difference"},
                                                 {RasterOp_SourceXorDestination, "xor"},
                                                 {RasterOp_NotDestination, "not"},
                                                 {RasterOp_SourceOrDestination, "or"}};
        const QByteArrayList inputs = {"Nothing", "Pattern", "Source", "Black", "White"};
        QByteArray got;
        if (QTest::currentDataTag()[0] == 'r') {
            const auto op =
                wmf::rasterOp(row[1].left(8).toUInt(nullptr, 0), row[1].contains("bitmap"),
                              row[2] == "raster", row[2] != "neither");
            got = op ? (op->invert ? "~" : "") + inputs[int(op->input)] + ' ' + modes.at(op->mode)
                     : QByteArray("-");
        } else if (QTest::currentDataTag()[0] == 'd') {
            const QByteArray bytes = QByteArray::fromPercentEncoding(row[3]);
            const auto decoded = wmf::decodeText(bytes, row[2].toInt(), QString(row[1]));
            QCOMPARE(decoded.text(), QString::fromUtf8(row[4]));
            for (const wmf::DrawnChar& c : decoded.chars)
                got += QByteArray::number(c.firstByte) + ' ';
        } else if (QTest::currentDataTag()[0] == 'g') { // codes no installed font draws
            static const QStringList installed = QFontDatabase::families();
            for (const QByteArray& span : row[2].split(' '))
                for (int b = span.left(2).toInt(nullptr, 16); b <= span.right(2).toInt(nullptr, 16);
                     ++b) {
                    const auto decoded = wmf::decodeText(QByteArray(1, char(b)), 2, row[1]);
                    const char32_t glyph =
                        wmf::drawableGlyph(QFont(decoded.face), decoded.text()).toUcs4().value(0);
                    if (decoded.text() != wmf::StandIn && // the white square itself
                        std::none_of(installed.begin(), installed.end(), [&](const QString& f) {
                            return glyph != wmf::StandIn &&
                                   QRawFont::fromFont(QFont(f)).supportsCharacter(glyph);
                        }))
                        got += QByteArray::number(b, 16) + ' ';
                }
        } else {
            std::vector<PlacedText> placed;
            for (QByteArray piece : row[1].split(';'))
                if (const QByteArrayList t = piece.replace(',', ' ').simplified().split(' ');
                    t.size() == 4)
                    placed.push_back({{t[0].toDouble(), t[1].toDouble()},
                                      QString(t[3]).replace('_', ' '),
                                      10,
                                      t[2].toDouble()});
            got = readingOrderText(placed).toUtf8().replace('\n', "\\n");
        }
        QCOMPARE(got.trimmed(), row.last());
    }
};

LUMORA_TEST(MetafileTest)
#include "tst_metafile.moc"
