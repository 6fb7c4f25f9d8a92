// The metafile player: its pure parts each on its own (raster operations, text and
// symbol fonts, reading order), then whole files, synthetic ones written byte by byte for
// each rule and each kind of damage, the public sample metafiles and the product's pages.
#include "platform/metafile.h"
#include "platform/metafile/rasterop.h"
#include "platform/metafile/records.h"
#include "platform/metafile/text.h"
#include "platform/seqfile.h"
#include "testing.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QLabel>
#include <QtTest>

#include <array>

using namespace lumora;
using namespace lumora::wmf::fn;
using Input = wmf::RasterOp::Input;

// clang-format off
namespace {

constexpr QRgb White = qRgb(255, 255, 255), Black = qRgb(0, 0, 0), Red = qRgb(255, 0, 0),
               Green = qRgb(0, 160, 0), Blue = qRgb(0, 0, 255);

inline QByteArray words(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    return out;
}
inline QByteArray dword(quint32 v) { return words({int(v & 0xFFFF), int(v >> 16)}); }
inline QByteArray padded(const QByteArray& b) { return b + QByteArray(b.size() % 2, '\0'); }
inline QByteArray colorRef(QRgb c) { return dword(qRgb(qBlue(c), qGreen(c), qRed(c)) & 0xFFFFFF); }

// A metafile written record by record, as a drawing program would.
class WmfBuilder {
public:
    explicit WmfBuilder(QRect box = QRect(0, 0, 100, 100), int inch = 96, bool placeable = true)
        : m_box(box), m_inch(inch), m_placeable(placeable) {}
    WmfBuilder& rec(quint16 function, std::initializer_list<int> values) { return raw(function, words(values)); }
    WmfBuilder& raw(quint16 function, QByteArray params) {
        params = padded(params);
        // A created object takes the lowest free slot of the table.
        if (function == CreatePalette || function == CreatePatternBrush || function == CreateRegion ||
            (function >= CreatePenIndirect && function <= CreateBrushIndirect))
            m_slots[size_t(m_last = int(std::find(m_slots.begin(), m_slots.end(), false) - m_slots.begin()))] = true;
        else if (function == DeleteObject)
            m_slots[uchar(params[0])] = false;
        m_records += dword(quint32(3 + params.size() / 2)) + words({function}) + params;
        return *this;
    }
    WmfBuilder& bytes(const QByteArray& b) { return m_records += b, *this; }
    WmfBuilder& brush(QRgb c, int style = 0, int hatch = 0) { return raw(CreateBrushIndirect, words({style}) + colorRef(c) + words({hatch})); }
    WmfBuilder& pen(QRgb c, int width, int style = 0) { return raw(CreatePenIndirect, words({style, width, 0}) + colorRef(c)); }
    WmfBuilder& select(int index) { return rec(SelectObject, {index}); }
    WmfBuilder& nullPen() { return pen(Black, 0, 5).select(m_last); }
    WmfBuilder& fill(QRgb c) { return brush(c).select(m_last).nullPen(); }
    WmfBuilder& font(int height, int escapement = 0, const QByteArray& face = "Arial", int charset = 0, int width = 0) {
        return raw(CreateFontIndirect, words({height, width, escapement, escapement, 700, 0, charset << 8, 0, 0}) + face.leftJustified(32, '\0'));
    }
    WmfBuilder& rect(int l, int t, int r, int b) { return rec(Rectangle, {b, r, t, l}); }
    WmfBuilder& colour(quint16 function, QRgb c) { return raw(function, colorRef(c)); }
    WmfBuilder& textOut(int x, int y, const QByteArray& text) { return raw(TextOut, words({int(text.size())}) + padded(text) + words({y, x})); }
    // ExtTextOut with `options`, a box when they ask for one, and a spacing array.
    WmfBuilder& extTextOut(int x, int y, const QByteArray& text, const QByteArray& dx = {}, int options = 0, QRect box = {}) {
        const QByteArray clip = options & 6 ? words({box.left(), box.top(), box.right() + 1, box.bottom() + 1}) : QByteArray();
        return raw(ExtTextOut, words({y, x, int(text.size()), options}) + clip + padded(text) + dx);
    }
    int last() const { return m_last; }
    QByteArray file(bool withEnd = true) const {
        const QByteArray end = withEnd ? words({3, 0, 0}) : QByteArray();
        const QByteArray placeable = dword(0x9AC6CDD7) + words({0, m_box.left(), m_box.top(), m_box.right() + 1, m_box.bottom() + 1, m_inch, 0, 0, 0});
        return (m_placeable ? placeable : QByteArray()) + words({1, 9, 0x0300}) +
               dword(quint32((18 + m_records.size() + end.size()) / 2)) + words({16, 0, 0, 0}) + m_records + end;
    }

private:
    QRect m_box;
    int m_inch;
    bool m_placeable;
    QByteArray m_records;
    std::vector<bool> m_slots = std::vector<bool>(256);
    int m_last = -1;
};

// A bitmap of `w` x `h` pixels at a bit depth, with a colour table below 16 bits.
inline QByteArray dib(int bits, int w, int h, const std::vector<QRgb>& pixels, bool topDown = false) {
    std::vector<QRgb> table;
    for (QRgb p : pixels)
        if (bits <= 8 && std::find(table.begin(), table.end(), p) == table.end())
            table.push_back(p);
    table.resize(bits <= 8 ? size_t(1) << bits : 0, 0);
    const int stride = ((w * bits + 31) / 32) * 4;
    QByteArray out = dword(40) + dword(quint32(w)) + dword(quint32(topDown ? -h : h)) + words({1, bits}) + dword(0) + dword(quint32(stride * h)) + QByteArray(16, 0);
    for (QRgb c : table)
        out += dword(c & 0xFFFFFF); // blue, green, red, zero
    for (int row = 0; row < h; ++row) {
        QByteArray line(stride, '\0');
        auto* p = reinterpret_cast<uchar*>(line.data());
        for (int x = 0; x < w; ++x) {
            const QRgb c = pixels[size_t((topDown ? row : h - 1 - row) * w + x)];
            const int c16 = ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3);
            if (bits <= 8)
                p[x * bits / 8] |= uchar((std::find(table.begin(), table.end(), c) - table.begin()) << (8 - bits - x * bits % 8));
            for (int i = 0; bits > 8 && i < bits / 8 && i < 3; ++i)
                p[bits / 8 * x + i] = uchar((bits == 16 ? c16 : c) >> (8 * i));
        }
        out += line;
    }
    return out;
}

// The fixed part of a bitmap record drawing all of a sw x sh source to (x, y, w, h).
inline QByteArray bitmapParams(quint16 function, int sw, int sh, int x, int y, int w, int h, quint32 rop = 0x00CC0020) {
    if (function == SetDibToDev)
        return words({0, sh, 0, 0, 0, h, w, y, x});
    if (function == DibBitBlt)
        return dword(rop) + words({0, 0, h, w, y, x});
    return dword(rop) + (function == StretchDib ? words({0}) : QByteArray()) + words({sh, sw, 0, 0, h, w, y, x});
}

inline QImage render(const QByteArray& file, QSize size = {100, 100}, PlayStats* stats = nullptr) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(White);
    const auto mf = Metafile::fromBytes(file);
    if (!mf)
        return {};
    QPainter painter(&image);
    const PlayStats s = mf->play(painter, QRectF(QPointF(0, 0), size));
    return stats ? (*stats = s, image) : image;
}

inline QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

inline int darkPixels(const QImage& image, QRect area) {
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) < 128;
    return n;
}

struct Probe { int x, y; QRgb colour; };
using Probes = std::vector<Probe>;
WmfBuilder blackRect(WmfBuilder b, int l, int t, int r, int bottom) { return b.fill(Black).rect(l, t, r, bottom), b; }
} // namespace

Q_DECLARE_METATYPE(Probes)
Q_DECLARE_METATYPE(std::vector<lumora::PlacedText>)

class MetafileTest : public QObject {
    Q_OBJECT
private slots:
    void file_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSizeF>("twips"); // invalid: no metafile
        QByteArray wrongHeader = WmfBuilder().file();
        wrongHeader[22 + 2] = 7; // header words
        QTest::newRow("96 units an inch") << WmfBuilder(QRect(0, 0, 96, 48), 96).file() << QSizeF(1440, 720);
        QTest::newRow("twips, negative origin") << WmfBuilder(QRect(-1500, -300, 3000, 1500), 1440).file() << QSizeF(3000, 1500);
        QTest::newRow("plain, sized by its window") << WmfBuilder({}, 0, false).rec(SetWindowOrg, {0, 0}).rec(SetWindowExt, {750, 1500}).file() << QSizeF(1500, 750);
        QTest::newRow("plain, no window") << WmfBuilder({}, 0, false).file() << QSizeF(9600, 7200);
        QTest::newRow("empty") << QByteArray() << QSizeF();
        QTest::newRow("text") << QByteArray("Tiberan died at 84, so the riddle says.") << QSizeF();
        QTest::newRow("cut inside the header") << WmfBuilder().file().left(30) << QSizeF();
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
        folder.write("wmf/page.wmf", blackRect(WmfBuilder({0, 0, 60, 40}), 10, 10, 50, 30).file());
        folder.write("wmf/bad.wmf", "not a picture");
        QVERIFY_THROWS_EXCEPTION(FileError, Metafile::load("wmf\\missing.wmf"));
        QVERIFY_THROWS_EXCEPTION(FileError, Metafile::load("wmf\\bad.wmf"));
        // Sharp at twice the pixels, the same size on the screen; a control draws at
        // its own ratio and keeps its size.
        const QPixmap two = Metafile::load("WMF\\Page.wmf").toPixmap(Qt::white, 2);
        QCOMPARE(two.deviceIndependentSize(), QSizeF(60, 40));
        QCOMPARE(QList<QRgb>({at(two.toImage(), 60, 40), at(two.toImage(), 10, 10)}),
                 QList<QRgb>({Black, White}));
        QLabel control;
        loadMetafile(&control, "wmf\\page.wmf");
        QCOMPARE(control.size(), QSize(60, 40));
        QCOMPARE(control.pixmap().size(), QSize(60, 40) * control.devicePixelRatioF());
    }

    // Probed pixels, and how many records were skipped.
    void pixels_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Probes>("probes");
        QTest::addColumn<int>("skipped");
        auto row = [](const char* name, WmfBuilder b, Probes probes, int skipped = 0) { QTest::newRow(name) << b.file() << probes << skipped; };
        // A black rectangle at `r` in the file's units lands at `e` in pixels: black
        // inside, white in a band around it.
        using Recs = std::initializer_list<std::pair<quint16, std::initializer_list<int>>>;
        auto mapping = [&](const char* name, Recs recs, std::array<int, 4> r, QRect e, QRect box = {0, 0, 100, 100}, int inch = 96) {
            WmfBuilder b(box, inch);
            for (const auto& [f, v] : recs)
                b.rec(f, v);
            Probes probes{{e.center().x(), e.center().y(), Black}};
            for (const QRect& c : {e.adjusted(2, 2, -2, -2), e.adjusted(-3, -3, 3, 3)})
                for (const QPoint p : {c.topLeft(), c.topRight(), c.bottomLeft(), c.bottomRight()})
                    if (QRect(0, 0, 100, 100).contains(p))
                        probes.push_back({p.x(), p.y(), c.width() < e.width() ? Black : White});
            row(name, blackRect(b, r[0], r[1], r[2], r[3]), probes);
        };
        auto all = [](WmfBuilder b) { return b.rect(0, 0, 100, 100); };
        const WmfBuilder s = WmfBuilder().fill(Black);
        auto huge = [](int penWidth, int fillMode = 1, int extent = 1) { // a unit of 100 pixels
            return WmfBuilder().rec(SetWindowExt, {extent, extent}).rec(SetPolyFillMode, {fillMode}).brush(Black).select(0).pen(Black, penWidth, penWidth ? 0 : 5).select(1);
        };
        auto chart = [] { return WmfBuilder().fill(Red).rect(0, 0, 100, 100).brush(Blue).select(2); };
        auto blit = [&](quint32 rop, bool bitmap) {
            QByteArray p = bitmapParams(DibStretchBlt, 2, 2, 0, 0, 100, 100, rop);
            return chart().raw(DibStretchBlt, bitmap ? p + dib(24, 2, 2, std::vector<QRgb>(4, White)) : p.insert(12, QByteArray(2, '\0')));
        };
        const std::initializer_list<int> star = {1, 5, 0, -20000, 12000, 16000, -19000, -6000, 19000, -6000, -12000, 16000};
        mapping("y up", {{SetWindowOrg, {100, 0}}, {SetWindowExt, {-100, 100}}}, {10, 90, 50, 70}, {10, 10, 40, 20});
        mapping("text mode: origin, no extent", {{SetMapMode, {1}}, {SetWindowOrg, {-20, -30}}, {SetWindowExt, {1000, 1000}}}, {0, 0, 40, 20}, {30, 20, 40, 20});
        mapping("twips, y up", {{SetMapMode, {6}}}, {150, -300, 750, -600}, {10, 20, 40, 20}, {0, 0, 1500, 1500}, 1440);
        mapping("isotropic keeps the shape", {{SetMapMode, {7}}, {SetWindowExt, {50, 100}}, {SetViewportExt, {100, 100}}}, {10, 10, 50, 30}, {10, 10, 40, 20});
        mapping("viewport quarter", {{SetWindowExt, {100, 100}}, {SetViewportOrg, {50, 50}}, {SetViewportExt, {50, 50}}}, {20, 20, 80, 60}, {60, 60, 30, 20});
        mapping("offset and scale", {{OffsetWindowOrg, {-10, -20}}, {ScaleWindowExt, {2, 1, 2, 1}}}, {-10, 0, 30, 20}, {20, 20, 80, 40});
        mapping("restore to the first save", {{SaveDC, {}}, {SaveDC, {}}, {SetWindowOrg, {50, 50}}, {SaveDC, {}}, {RestoreDC, {1}}}, {10, 20, 50, 40}, {10, 20, 40, 20});
        // Objects: red in 0, green in 1; 0 deleted; blue takes 0, the lowest free slot.
        row("lowest free slot", all(WmfBuilder().brush(Red).brush(Green).rec(DeleteObject, {0}).brush(Blue).select(0).nullPen()), {{50, 50, Blue}});
        row("placeholder keeps indexes", all(WmfBuilder().raw(CreatePatternBrush, QByteArray(40, '\0')).brush(Green).select(1).nullPen()), {{50, 50, Green}}, 1);
        row("deleted brush stays selected", all(WmfBuilder().brush(Red).select(0).rec(DeleteObject, {0}).nullPen()), {{50, 50, Red}});
        row("unknown index changes nothing", all(WmfBuilder().brush(Red).select(0).select(7).rec(DeleteObject, {9}).nullPen()), {{50, 50, Red}});
        row("default brush is white", all(WmfBuilder().rec(SetBkColor, {0xFF, 0}).nullPen()), {{50, 50, White}});
        // Entry 1 of the selected palette is (0, 255, 0); the brush names entry 1.
        row("palette index", all(WmfBuilder().rec(CreatePalette, {0x300, 2, 0, 0, 0xFF00, 0}).rec(SelectPalette, {0}).rec(CreateBrushIndirect, {0, 1, 0x0100, 0}).select(1).nullPen()), {{50, 50, qRgb(0, 255, 0)}});
        row("ellipse", WmfBuilder(s).rec(Ellipse, {90, 90, 10, 10}), {{50, 50, Black}, {15, 15, White}});
        row("round rectangle", WmfBuilder(s).rec(RoundRect, {40, 40, 90, 90, 10, 10}), {{50, 15, Black}, {11, 11, White}});
        // A pie of the upper right quarter, counter-clockwise from 3 o'clock to 12.
        row("pie", WmfBuilder(s).rec(Pie, {10, 50, 50, 90, 90, 90, 10, 10}), {{70, 30, Black}, {30, 70, White}});
        row("clip rectangle", all(WmfBuilder(s).rec(IntersectClipRect, {60, 60, 20, 20})), {{40, 40, Black}, {10, 10, White}});
        row("excluded rectangle", all(WmfBuilder(s).rec(ExcludeClipRect, {60, 60, 20, 20})), {{10, 10, Black}, {40, 40, White}});
        row("clip restored", all(WmfBuilder(s).rec(SaveDC, {}).rec(IntersectClipRect, {60, 60, 20, 20}).rec(RestoreDC, {-1})), {{10, 10, Black}});
        // A region of one band from x 0 to 30, selected as the clip.
        row("clip region", all(WmfBuilder(s).rec(CreateRegion, {0, 6, 0, 0, 0, 1, 0, 0, 0, 30, 100, 2, 0, 100, 0, 30, 2}).rec(SelectClipRegion, {2})), {{15, 50, Black}, {60, 50, White}});
        // Shapes reaching millions of pixels past the picture: a triangle whose long side
        // runs through the middle, a star around the picture (its middle a hole when the
        // fill alternates), the edge of an ellipse three million pixels wide, a wide line.
        row("huge triangle", huge(0).rec(Polygon, {3, -30000, -30000, 30001, -30000, -30000, 30001}), {{10, 10, Black}, {90, 90, White}});
        row("huge star, alternate", huge(0, 1).rec(PolyPolygon, star), {{50, 50, White}});
        row("huge star, winding", huge(0, 2).rec(PolyPolygon, star), {{50, 50, Black}});
        row("huge ellipse", huge(0, 1, 2).rec(Ellipse, {20000, 1, -20000, -30000}), {{40, 50, Black}, {60, 50, White}});
        row("huge wide line", huge(1).rec(MoveTo, {-30000, 0}).rec(LineTo, {30000, 0}), {{30, 50, Black}, {70, 50, White}});
        // Raster operations over the red chart with a blue brush.
        row("D without a bitmap", blit(0x00AA0029, false), {{50, 50, Red}});
        row("source xor", blit(0x00660046, true), {{50, 50, qRgb(0, 255, 255)}});
        row("three inputs are skipped", blit(0x00B8074A, true), {{50, 50, Red}}, 1);
        row("opaque text background", WmfBuilder().font(-40).select(0).colour(SetBkColor, Blue).colour(SetTextColor, White).textOut(10, 10, ".."), {{14, 14, Blue}, {5, 5, White}});
        // Bitmaps, 2 x 2, at each depth and through each record: black, white over red (white
        // at one bit), black; without stretching, the bitmap's two pixels fill the picture.
        const quint16 functions[] = {StretchDib, DibStretchBlt, DibBitBlt, SetDibToDev};
        for (int i = 0; int bits : {1, 4, 8, 16, 24, 32, -24}) { // -24: rows top down
            const quint16 f = functions[i++ % 4];
            const bool stretches = f == StretchDib || f == DibStretchBlt;
            const int w = stretches ? 80 : 2, q = stretches ? 20 : 25, e = stretches ? 60 : 75;
            const QRgb o = bits == 1 ? White : Red;
            const std::vector<QRgb> pixels = {Black, White, o, Black};
            row(qPrintable(QString("%1 bits, %2").arg(bits).arg(metafileFunctionName(f))), WmfBuilder().rec(SetWindowExt, {w == 2 ? 2 : 100, w == 2 ? 2 : 100}).raw(f, bitmapParams(f, 2, 2, 0, 0, w, w) + dib(std::abs(bits), 2, 2, pixels, bits < 0)), {{q, q, Black}, {e, q, White}, {q, e, o}, {e, e, Black}});
        }
        // Pens, drawn from (50.5, 10) to (50.5, 90) at two units a pixel: width 0 is one pixel, a null pen draws
        // nothing whatever its end-cap bits, a wide one is solid, a flat cap stops at the end.
        for (const auto& [name, style, width, black, white] : std::vector<std::tuple<const char*, int, int, Probe, Probe>>{{"hairline", 0, 0, {50, 50, Black}, {52, 50, White}}, {"wide pen", 0, 20, {46, 50, Black}, {57, 50, White}}, {"null pen", 5, 20, {50, 50, White}, {46, 50, White}}, {"null pen, flat caps", 0x0205, 20, {50, 50, White}, {46, 50, White}}, {"flat caps", 0x0200, 12, {50, 89, Black}, {50, 92, White}}})
            row(name, WmfBuilder(QRect(0, 0, 200, 200)).pen(Black, width, style).select(0).rec(MoveTo, {20, 101}).rec(LineTo, {180, 101}), {black, white});
    }
    void pixels() {
        QFETCH(QByteArray, file);
        QFETCH(Probes, probes);
        QFETCH(int, skipped); // -1: the player stops there
        PlayStats stats;
        const QImage image = render(file, QSize(100, 100), &stats);
        QCOMPARE(stats.endReason.isEmpty(), skipped >= 0);
        QVERIFY2(stats.endedEarly == (skipped < 0), qPrintable(stats.endReason));
        QCOMPARE(stats.skippedCount(), std::max(skipped, 0));
        for (const auto& [x, y, colour] : probes)
            QVERIFY2(at(image, x, y) == colour, qPrintable(QString::number(at(image, x, y), 16)));
    }

    void drawsIntoTheTargetOnly() {
        QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
        image.fill(White);
        QPainter painter(&image);
        painter.setPen(QPen(QColor(Red), 3));
        Metafile::fromBytes(blackRect(WmfBuilder(), -500, -500, 500, 500).file())->play(painter, QRectF(50, 50, 100, 100));
        QVERIFY(painter.transform().isIdentity() && !painter.hasClipping());
        QCOMPARE(painter.pen().color().rgb(), Red);
        painter.scale(0.1, 0.1); // a printer's painter works in its own fine units
        Metafile::fromBytes(blackRect(WmfBuilder({0, 0, 1000, 1000}, 1000), 100, 200, 500, 300).file())->play(painter, QRectF(0, 0, 1000, 1000));
        painter.end();
        for (const auto& [x, y, c] : Probes{{100, 100, Black}, {52, 52, Black}, {45, 100, White}, {155, 155, White}, {30, 25, Black}, {8, 25, White}})
            QCOMPARE(at(image, x, y), c);
    }

    void hatchesLeaveGaps() {
        // Clear, or in the background colour when it is opaque.
        for (const auto& [bkMode, gaps] : {std::pair{1, White}, std::pair{2, Red}}) {
            const QImage image = render(WmfBuilder().brush(Black, 2, 4).select(0).nullPen().rec(SetBkMode, {bkMode}).colour(SetBkColor, Red).rect(0, 0, 100, 100).file());
            int lines = 0, gapPixels = 0;
            for (int y = 10; y < 90; ++y)
                for (int x = 10; x < 90; ++x)
                    lines += at(image, x, y) == Black, gapPixels += at(image, x, y) == gaps;
            QVERIFY(lines > 640 && lines < 3200 && lines + gapPixels == 6400);
        }
    }

    // Text in a picture of the file's own size: ink where the letters are, none where
    // they must not be, and the page text collected.
    void text_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QRect>("inked");
        QTest::addColumn<QRect>("blank");
        QTest::addColumn<QString>("text");
        auto start = [](int align, int escapement = 0, const QByteArray& face = "Arial", int charset = 0) {
            return WmfBuilder(QRect(0, 0, 200, 100)).font(-40, escapement, face, charset).select(0).rec(SetBkMode, {1}).rec(SetTextAlign, {align});
        };
        QTest::newRow("top left") << start(0).textOut(100, 50, "HH").file() << QRect(100, 50, 60, 30) << QRect(0, 0, 98, 100) << "HH";
        QTest::newRow("right, baseline") << start(2 | 24).textOut(100, 50, "HH").file() << QRect(40, 20, 60, 30) << QRect(102, 0, 98, 100) << "HH";
        QTest::newRow("centre, bottom") << start(6 | 8).textOut(100, 90, "HH").file() << QRect(70, 50, 60, 40) << QRect(0, 0, 60, 100) << "HH";
        QTest::newRow("turned a quarter") << start(0, 900).textOut(100, 90, "HH").file() << QRect(100, 30, 40, 60) << QRect(150, 0, 50, 100) << "HH";
        QTest::newRow("update position") << start(1).rec(MoveTo, {10, 10}).textOut(0, 0, "HH").textOut(0, 0, "HH").file() << QRect(10, 10, 110, 35) << QRect(140, 0, 60, 100) << "HHHH";
        // Spacing of 150 units puts the second letter at the far right.
        QTest::newRow("spacing array") << start(0).extTextOut(10, 10, "HH", words({150, 0})).file() << QRect(160, 10, 35, 35) << QRect(50, 0, 100, 100) << "HH";
        // The opaque box is filled with the background colour, the text clipped to it.
        QTest::newRow("opaque, clipped") << start(0).colour(SetBkColor, Black).extTextOut(10, 10, "HHHH", {}, 6, QRect(0, 0, 40, 100)).file() << QRect(2, 2, 36, 96) << QRect(42, 0, 158, 100) << "HHHH";
        QTest::newRow("odd length, padded") << start(0).textOut(10, 10, "H").file() << QRect(10, 10, 30, 30) << QRect(45, 0, 155, 100) << "H";
        // Three Japanese characters of two bytes, 60 units apart: the lead byte holds the spacing.
        QTest::newRow("double-byte spacing") << start(0, 0, "MS Mincho", 128).extTextOut(10, 10, "\x82\xA0\x82\xA2\x82\xA4", words({60, 0, 60, 0, 60, 0})).file() << QRect(132, 0, 16, 100) << QRect(175, 0, 25, 100) << "あいう";
        QTest::newRow("pictographs, not Greek") << start(0, 0, "Wingdings", 2).textOut(10, 10, "!J").file() << QRect(10, 10, 80, 50) << QRect(100, 0, 100, 100) << "✏☺";
        // The alphabet at a font width of 10 units (half its natural width) is about 26 x 10 wide.
        QTest::newRow("font width") << WmfBuilder(QRect(0, 0, 800, 100)).font(-40, 0, "Arial", 0, 10).select(0).textOut(5, 10, "abcdefghijklmnopqrstuvwxyz").file() << QRect(250, 0, 15, 100) << QRect(335, 0, 465, 100) << "abcdefghijklmnopqrstuvwxyz";
    }
    void text() {
        QFETCH(QByteArray, file);
        QFETCH(QRect, inked);
        QFETCH(QRect, blank);
        PlayStats stats;
        const QImage image = render(file, Metafile::fromBytes(file)->sizePixels(), &stats);
        QVERIFY2(!stats.endedEarly, qPrintable(stats.endReason));
        QVERIFY2(darkPixels(image, inked) > 20, qPrintable(QString::number(darkPixels(image, inked))));
        QCOMPARE(darkPixels(image, blank), 0);
        QTEST(readingOrderText(stats), "text");
    }

    void abuttingShapesShowNoSeams() {
        // A blue gradient of slanted bands 3.3 pixels wide, no outline; an ellipse below
        // whose edge stays smooth: pixels part covered.
        WmfBuilder b = WmfBuilder(QRect(0, 0, 1000, 1000)).nullPen();
        for (int i = 0, l = 10; i < 30; ++i, l += 33)
            b.brush(qRgb(0, 0, 100 + 5 * i)).select(b.last()).rec(Polygon, {4, l, 0, l + 33, 0, l + 40, 600, l + 7, 600}).rec(DeleteObject, {b.last()});
        b.brush(Black).select(b.last()).rec(Ellipse, {990, 990, 600, 0});
        const QImage image = render(b.file());
        int seams = 0, partial = 0;
        for (int y = 2; y < 100; ++y)
            for (int x = 3; x < 99; ++x) {
                const QRgb p = image.pixel(x, y);
                seams += y < 58 && (qRed(p) >= 8 || qGreen(p) >= 8);
                partial += y >= 60 && qGray(p) > 20 && qGray(p) < 235;
            }
        QVERIFY2(seams == 0 && partial > 40, qPrintable(QString("%1 %2").arg(seams).arg(partial)));
    }

    void damagedFilesEndCleanly_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Probes>("probes"); // the black rectangle after the damage, or none
        QTest::addColumn<int>("skipped");
        auto row = [](const char* name, const QByteArray& file, int skipped) {
            QTest::newRow(name) << file << Probes{{50, 50, skipped < 0 ? White : Black}} << skipped;
        };
        auto withRect = [](WmfBuilder b) { return blackRect(b, 10, 10, 90, 90).file(); };
        auto record = [](quint32 size, quint16 function, const QByteArray& rest = {}) { return dword(size) + words({function}) + rest; };
        auto bitmap = [&](QByteArray dib, int at, const QByteArray& bytes) {
            return withRect(WmfBuilder().raw(StretchDib, bitmapParams(StretchDib, 2, 2, 0, 0, 50, 50) + dib.replace(at, bytes.size(), bytes)));
        };
        const QByteArray small = dib(8, 2, 2, {Black, White, White, Black});
        // More records than any picture has, more drawing work, more saves than the stack holds.
        const QByteArray moves = words({5, 0, MoveTo, 0, 0}).repeated(Metafile::MaxRecords + 1);
        const QByteArray rects = words({7, 0, Rectangle, 5, 5, 0, 0}).repeated(500'000);
        row("size past the end", WmfBuilder().bytes(record(5000, Rectangle, QByteArray(8, '\0'))).file(false), -1);
        row("zero size", withRect(WmfBuilder().bytes(record(0, Rectangle))), -1);
        row("size two", withRect(WmfBuilder().bytes(record(2, SetBkMode))), -1);
        row("header cut short", WmfBuilder().bytes(QByteArray("\x05\0\0", 3)).file(false), -1);
        row("polygon count past the record", withRect(WmfBuilder().rec(Polygon, {30000, 1, 2})), -1);
        row("polygon negative count", withRect(WmfBuilder().rec(Polygon, {-3, 1, 2})), -1);
        row("polypolygon counts past the record", withRect(WmfBuilder().rec(PolyPolygon, {2, 60000, 60000, 1, 2})), -1);
        row("text longer than its record", withRect(WmfBuilder().rec(TextOut, {200, 0x4141, 0, 0})), -1);
        row("extended text longer than its record", withRect(WmfBuilder().rec(ExtTextOut, {0, 0, 9000, 0, 0x4141})), -1);
        row("font record cut short", withRect(WmfBuilder().rec(CreateFontIndirect, {-20, 0})), -1);
        row("palette count past the record", withRect(WmfBuilder().rec(CreatePalette, {0x300, 40000, 0, 0})), -1);
        row("region scans past the record", withRect(WmfBuilder().rec(CreateRegion, {0, 6, 0, 0, 0, 500, 0, 0, 0, 9, 9})), -1);
        row("truncated bitmap", bitmap(dib(24, 8, 8, std::vector<QRgb>(64, Red)).chopped(100), 0, {}), -1);
        row("huge bitmap", bitmap(small, 4, QByteArray("\0\0\0\x10\0\0\0\x10", 8)), 1); // 268 million a side
        row("colour table past the record", bitmap(small, 32, "\xFF\xFF\xFF\x7F"), -1);
        row("run-length bitmap is skipped", bitmap(small, 16, "\x01"), 1);
        row("bitmap with an odd header", bitmap(QByteArray("\x14\0\0\0", 4) + QByteArray(16, '\0'), 0, {}), 1);
        row("escape is skipped", withRect(WmfBuilder().rec(Escape, {15, 4, 0x4241, 0x4443})), 1);
        row("unknown record is skipped", withRect(WmfBuilder().rec(0x0999, {1, 2, 3})), 1);
        row("restore without a save", withRect(WmfBuilder().rec(RestoreDC, {-1}).rec(RestoreDC, {5})), 0);
        row("zero extent", withRect(WmfBuilder().rec(SetWindowExt, {0, 0})), 0);
        row("no end record", withRect(WmfBuilder()).chopped(6), 0);
        row("saves beyond the stack", withRect(WmfBuilder().bytes(words({3, 0, SaveDC}).repeated(3000))), 0);
        row("more records than the cap", withRect(WmfBuilder().bytes(moves)), -1);
        row("more work than the cap", withRect(WmfBuilder().bytes(rects)), -1);
    }
    void damagedFilesEndCleanly() { pixels(); }

    void everyCutOfAFileEndsCleanly() {
        const QByteArray file = WmfBuilder(QRect(0, 0, 200, 100)).font(-30).select(0).brush(Red).select(1).rec(Ellipse, {90, 190, 10, 10}).textOut(20, 20, "Tiberan").raw(StretchDib, bitmapParams(StretchDib, 2, 2, 0, 0, 50, 50) + dib(24, 2, 2, {Black, White, Red, Blue})).file();
        for (qsizetype n = 0; n <= file.size(); ++n)
            if (const auto mf = Metafile::fromBytes(file.left(n))) {
                QImage image(50, 25, QImage::Format_ARGB32_Premultiplied);
                QPainter painter(&image);
                QVERIFY(mf->play(painter, image.rect()).played <= 12);
            }
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
        const std::map<QString, QStringList> text = {
            {"guide1.wmf", {"Welcome to Lumora", "\nLumora brings two", "Tiberan and Joris Malten open the two topics.", "Exit asks you to confirm, then closes Lumora.\n", "Every button is a label"}},
            {"key Tiberana.wmf", {"The riddle of Tiberan's life", "\nHis boyhood lasted 14 years.\n", "He married at 26.", "Tiberan died at 84.\n", "84 is the answer"}},
            {"key maltenc.wmf", {"0.4 × 0.3 = 0.12\n0.06 × 0.7", "42 becomes\n0.042.\nThe sail chariot"}}};
        const QString roots[] = {testing::dataFolder() + "/wmf", testing::dataFolder() + "/wmf2", qEnvironmentVariable("LUMORA_WMF_CORPUS", LUMORA_SOURCE_DATA "/../../shared/wmf-corpus")};
        int pages = 0;
        for (int r = 0; r < 3; ++r)
            for (QDirIterator it(roots[r], {"*.wmf"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); pages += r < 2) {
                const QString path = it.next(), name = it.fileName();
                QTest::newRow(qPrintable(QFileInfo(roots[r]).fileName() + path.mid(roots[r].size()))) << path << (r < 2) << (r == 0 && text.count(name) ? text.at(name) : QStringList());
            }
        QCOMPARE(pages, 2 * 17);
    }
    void files() {
        QFETCH(QString, path);
        QFETCH(bool, page);
        QFETCH(QStringList, inOrder);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const auto mf = Metafile::fromBytes(bytes);
        PlayStats stats;
        QVERIFY(mf && !mf->toImage(Qt::white, &stats).isNull());
        QVERIFY(stats.played > 0);
        QVERIFY(stats.played + stats.skippedCount() + stats.ignored <= bytes.size() / 6);
        if (page || path.endsWith("fulltest.wmf") || path.endsWith("tiger2.wmf"))
            QVERIFY2(stats.skipped.empty(), qPrintable(stats.skippedSummary()));
        if (!page)
            return;
        QVERIFY2(!stats.endedEarly, qPrintable(stats.endReason));
        QVERIFY(mf->isPlaceable() && stats.ignored == 0 && stats.played > 50);
        const QSizeF size = mf->sizeTwips();
        if (path.contains("/wmf2/"))
            QVERIFY(1000 + size.width() <= 8.27 * 1440 - 720 &&
                    1000 + size.height() <= 11 * 1440 - 720);
        else
            QVERIFY(size.width() <= 11400 && size.height() <= 7200);
        qsizetype from = 0;
        for (const QString& part : inOrder)
            QVERIFY2((from = mf->pageText().indexOf(part, from)) >= 0, qPrintable(part));
    }

    void rasterOps_data() {
        QTest::addColumn<quint32>("rop");
        QTest::addColumn<bool>("source"); // the record has a bitmap
        QTest::addColumn<int>("modes");   // 2 raster modes, 1 blend modes only, 0 neither
        QTest::addColumn<int>("input");   // -1: not drawn
        QTest::addColumn<bool>("invert");
        QTest::addColumn<int>("mode");
        const int none = -1, pattern = int(Input::Pattern),
                  source = int(Input::Source), over = QPainter::CompositionMode_SourceOver;
        QTest::newRow("source copy") << 0x00CC0020u << true << 0 << source << false << over;
        QTest::newRow("source copy without a source") << 0x00CC0020u << false << 2 << none << false << over;
        QTest::newRow("inverted source") << 0x00330008u << true << 0 << source << true << over;
        QTest::newRow("pattern xor") << 0x005A0049u << false << 2 << pattern << false << int(QPainter::RasterOp_SourceXorDestination);
        QTest::newRow("pattern xor, blending") << 0x005A0049u << false << 1 << pattern << false << int(QPainter::CompositionMode_Difference);
        QTest::newRow("pattern xor, neither") << 0x005A0049u << false << 0 << none << false << over;
        QTest::newRow("destination inverted") << 0x00550009u << false << 2 << int(Input::White) << false << int(QPainter::RasterOp_NotDestination);
        QTest::newRow("not source or") << 0x00BB0226u << true << 2 << source << true << int(QPainter::RasterOp_SourceOrDestination);
        QTest::newRow("source and not destination, blending") << 0x00440328u << true << 1 << none << false << over;
        QTest::newRow("blackness") << 0x00000042u << false << 0 << int(Input::Black) << false << over;
        }
    void rasterOps() {
        QFETCH(quint32, rop);
        QFETCH(int, modes);
        QFETCH(int, input);
        QFETCH(bool, source);
        const auto op = wmf::rasterOp(rop, source, modes == 2, modes >= 1);
        QCOMPARE(op ? int(op->input) : -1, input);
        if (op) {
            QTEST(op->invert, "invert");
            QTEST(int(op->mode), "mode");
        }
    }

    void decodeText_data() {
        QTest::addColumn<QByteArray>("face");
        QTest::addColumn<int>("charset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("firstBytes"); // of each character, when not one a byte
        QTest::newRow("Symbol by name alone") << QByteArray("Symbol") << 0 << QByteArray("abg\x80") << "αβγ□" << QList<int>{};
        QTest::newRow("Greek code page") << QByteArray("Arial") << 161 << QByteArray("\xE1\xE2") << "αβ" << QList<int>{};
        QTest::newRow("Windows-1252") << QByteArray("Arial") << 0 << QByteArray("caf\xE9 \x80") << "café €" << QList<int>{};
        QTest::newRow("Chinese") << QByteArray("SimSun") << 134 << QByteArray("\xC4\xE3\xBA\xC3") << "你好" << QList<int>{0, 2};
        QTest::newRow("lead byte cut off") << QByteArray("MS Gothic") << 128 << QByteArray("a\x82") << "a\uFFFD" << QList<int>{0, 1};
        }
    void decodeText() {
        QFETCH(QByteArray, face);
        QFETCH(QByteArray, bytes);
        QFETCH(QList<int>, firstBytes);
        QFETCH(int, charset);
        const auto decoded = wmf::decodeText(bytes, charset, QString::fromLatin1(face));
        QTEST(decoded.text(), "text");
        QList<int> first;
        for (const wmf::DrawnChar& c : decoded.chars)
            first << c.firstByte;
        if (firstBytes.isEmpty()) // one character a byte, unless the row says
            for (int i = 0; i < bytes.size(); ++i)
                firstBytes << i;
        QCOMPARE(first, firstBytes);
    }

    // Pieces as (where the baseline starts, text, em, width).
    void readingOrder_data() {
        QTest::addColumn<std::vector<PlacedText>>("pieces");
        QTest::addColumn<QString>("text");
        // A heading above two columns whose lines share baselines, a row of labels below.
        const QString prose = QStringLiteral("words to fill a line");
        std::vector<PlacedText> page{{{0, 0}, "Heading over both", 10, 200}};
        for (int y = 20; y <= 50; y += 12)
            page.push_back({{0, double(y)}, "left " + prose, 10, 90}),
                page.push_back({{110, double(y + 1)}, "right " + prose, 10, 90});
        for (const auto& [x, label] :
             {std::pair{0, "born"}, {40, "wed"}, {150, "son"}, {190, "died"}})
            page.push_back({{double(x), 70}, label, 10, 20});
        QTest::newRow("lines top to bottom, pieces left to right") << std::vector<PlacedText>{{{50, 40}, "world", 10, 20}, {{10, 80}, "second", 10, 30}, {{10, 41}, "Hello", 10, 25}} << "Hello world\nsecond";
        QTest::newRow("a full stop runs on, spaces are not doubled") << std::vector<PlacedText>{{{10, 20}, "at ", 10, 15}, {{25, 20}, "84", 10, 10}, {{35, 20}, ".", 10, 3}, {{0, 5}, "  ", 10, 10}} << "at 84.";
        QTest::newRow("nothing") << std::vector<PlacedText>{} << QString();
        QTest::newRow("columns read one after the other") << page << "Heading over both\n" + ("left " + prose + '\n').repeated(3) + ("right " + prose + '\n').repeated(3) + "born wed son died";
        QTest::newRow("a table of short cells reads across") << std::vector<PlacedText>{{{0, 10}, "Trial 1", 10, 30}, {{60, 10}, "2.35 m", 10, 30}, {{0, 22}, "Trial 2", 10, 30}, {{60, 22}, "3.4 m", 10, 30}} << "Trial 1 2.35 m\nTrial 2 3.4 m";
        }
    void readingOrder() {
        QFETCH(std::vector<PlacedText>, pieces);
        QTEST(readingOrderText(pieces), "text");
    }
};

LUMORA_TEST(MetafileTest)
#include "tst_metafile.moc"
