#include "platform/metafile.h"
#include "platform/seqfile.h"
#include "testing.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QtTest>

#include <initializer_list>

using namespace lumora;

Q_DECLARE_METATYPE(std::vector<PlacedText>)

namespace {

// Record functions the tests write.
enum : quint16 {
    SaveDC = 0x001E,
    CreatePalette = 0x00F7,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetPolyFillMode = 0x0106,
    RestoreDC = 0x0127,
    SelectClipRegion = 0x012C,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DeleteObject = 0x01F0,
    CreatePatternBrush = 0x01F9,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    SetViewportOrg = 0x020D,
    SetViewportExt = 0x020E,
    OffsetWindowOrg = 0x020F,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    ScaleWindowExt = 0x0410,
    ExcludeClipRect = 0x0415,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    Escape = 0x0626,
    CreateRegion = 0x06FF,
    Pie = 0x081A,
    DibBitBlt = 0x0940,
    ExtTextOut = 0x0A32,
    DibStretchBlt = 0x0B41,
    SetDibToDev = 0x0D33,
    StretchDib = 0x0F43,
};

constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb Red = qRgb(255, 0, 0);
constexpr QRgb Green = qRgb(0, 160, 0);
constexpr QRgb Blue = qRgb(0, 0, 255);

void put16(QByteArray& out, int v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}
void put32(QByteArray& out, quint32 v) {
    put16(out, static_cast<int>(v & 0xFFFF));
    put16(out, static_cast<int>(v >> 16));
}

// A metafile written record by record, as a drawing program would.
class WmfBuilder {
public:
    explicit WmfBuilder(QRect box = QRect(0, 0, 100, 100), int inch = 96, bool placeable = true)
        : m_box(box), m_inch(inch), m_placeable(placeable) {}

    WmfBuilder& rec(quint16 function, std::initializer_list<int> words) {
        QByteArray params;
        for (int w : words)
            put16(params, w);
        return raw(function, params);
    }
    WmfBuilder& raw(quint16 function, QByteArray params) {
        if (params.size() % 2)
            params.append('\0');
        track(function, params);
        put32(m_records, static_cast<quint32>(3 + params.size() / 2));
        put16(m_records, function);
        m_records += params;
        return *this;
    }
    // Bytes as they are, for damaged records.
    WmfBuilder& bytes(const QByteArray& b) {
        m_records += b;
        return *this;
    }

    // Drawing helpers, in the argument order of the drawing calls.
    static std::initializer_list<int> noWords() { return {}; }
    WmfBuilder& brush(QRgb c, int style = 0, int hatch = 0) {
        return rec(CreateBrushIndirect, {style, qRed(c) | (qGreen(c) << 8), qBlue(c), hatch});
    }
    WmfBuilder& pen(QRgb c, int width, int style = 0) {
        return rec(CreatePenIndirect, {style, width, 0, qRed(c) | (qGreen(c) << 8), qBlue(c)});
    }
    WmfBuilder& nullPen() { return pen(Black, 0, 5).select(last()); }
    WmfBuilder& font(int height, int escapement = 0) {
        QByteArray p;
        for (int v : {height, 0, escapement, escapement, 700})
            put16(p, v);
        p.append("\0\0\0\0\0\0\0\0", 8);
        p.append("Arial");
        p.append(QByteArray(32 - 5, '\0'));
        return raw(CreateFontIndirect, p);
    }
    WmfBuilder& select(int index) { return rec(SelectObject, {index}); }
    WmfBuilder& rect(int l, int t, int r, int b) { return rec(Rectangle, {b, r, t, l}); }
    WmfBuilder& colour(quint16 function, QRgb c) {
        return rec(function, {qRed(c) | (qGreen(c) << 8), qBlue(c)});
    }
    WmfBuilder& textOut(int x, int y, const QByteArray& text) {
        QByteArray p;
        put16(p, static_cast<int>(text.size()));
        p += text;
        if (text.size() % 2)
            p.append('\0');
        put16(p, y);
        put16(p, x);
        return raw(TextOut, p);
    }
    // The table slot of the object created last, as the player will number it.
    int last() const { return m_last; }

    QByteArray file(bool withEnd = true) const {
        QByteArray out;
        if (m_placeable) {
            put32(out, 0x9AC6CDD7);
            put16(out, 0);
            for (int v : {m_box.left(), m_box.top(), m_box.right() + 1, m_box.bottom() + 1, m_inch})
                put16(out, v);
            put32(out, 0);
            put16(out, 0); // checksum, which the player does not need
        }
        const QByteArray end = withEnd ? QByteArray("\x03\0\0\0\0\0", 6) : QByteArray();
        put16(out, 1);
        put16(out, 9);
        put16(out, 0x0300);
        put32(out, static_cast<quint32>((18 + m_records.size() + end.size()) / 2));
        put16(out, 16);
        put32(out, 0);
        put16(out, 0);
        return out + m_records + end;
    }

private:
    QRect m_box;
    int m_inch;
    bool m_placeable;
    QByteArray m_records;
    std::vector<bool> m_slots;
    int m_last = -1;

    void track(quint16 function, const QByteArray& params) {
        switch (function) {
        case CreatePalette:
        case CreatePatternBrush:
        case CreatePenIndirect:
        case CreateFontIndirect:
        case CreateBrushIndirect:
        case CreateRegion: {
            const auto free = std::find(m_slots.begin(), m_slots.end(), false);
            m_last = static_cast<int>(free - m_slots.begin());
            if (free == m_slots.end())
                m_slots.push_back(true);
            else
                *free = true;
            break;
        }
        case DeleteObject: {
            const auto index = static_cast<size_t>(static_cast<uchar>(params[0]) |
                                                   (static_cast<uchar>(params[1]) << 8));
            if (index < m_slots.size())
                m_slots[index] = false;
            break;
        }
        default:
            break;
        }
    }
};

// A solid black rectangle with no outline, the usual probe of where things land.
WmfBuilder& blackRect(WmfBuilder& b, int l, int t, int r, int bottom) {
    b.brush(Black).select(b.last()).nullPen();
    return b.rect(l, t, r, bottom);
}

QImage render(const QByteArray& file, QSize size = QSize(100, 100), PlayStats* stats = nullptr) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(White);
    const auto mf = Metafile::fromBytes(file);
    if (!mf)
        return {};
    QPainter painter(&image);
    const PlayStats s = mf->play(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    if (stats)
        *stats = s;
    return image;
}

QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

// Inside the rectangle is black and a band just outside it is not.
void checkBlackRect(const QImage& image, const QRect& expected) {
    QVERIFY(!image.isNull());
    QCOMPARE(at(image, expected.center().x(), expected.center().y()), Black);
    const QRect inner = expected.adjusted(2, 2, -2, -2);
    for (const QPoint p :
         {inner.topLeft(), inner.topRight(), inner.bottomLeft(), inner.bottomRight()})
        QCOMPARE(at(image, p.x(), p.y()), Black);
    const QRect outer = expected.adjusted(-3, -3, 3, 3);
    for (const QPoint p :
         {outer.topLeft(), outer.topRight(), outer.bottomLeft(), outer.bottomRight()})
        if (image.rect().contains(p))
            QCOMPARE(at(image, p.x(), p.y()), White);
}

int darkPixels(const QImage& image, const QRect& area) {
    int n = 0;
    for (int y = std::max(0, area.top()); y <= std::min(image.height() - 1, area.bottom()); ++y)
        for (int x = std::max(0, area.left()); x <= std::min(image.width() - 1, area.right()); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ++n;
    return n;
}

// A bitmap of `w` x `h` pixels at a bit depth, with a colour table below 16 bits.
QByteArray dib(int bits, int w, int h, const std::vector<QRgb>& pixels, bool topDown = false) {
    std::vector<QRgb> table;
    if (bits <= 8) {
        for (QRgb p : pixels)
            if (std::find(table.begin(), table.end(), p) == table.end())
                table.push_back(p);
        table.resize(size_t(1) << bits, 0);
    }
    const int stride = ((w * bits + 31) / 32) * 4;
    QByteArray out;
    put32(out, 40);
    put32(out, static_cast<quint32>(w));
    put32(out, static_cast<quint32>(topDown ? -h : h));
    put16(out, 1);
    put16(out, bits);
    put32(out, 0);
    put32(out, static_cast<quint32>(stride * h));
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (QRgb c : table) {
        out.append(static_cast<char>(qBlue(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qRed(c)));
        out.append('\0');
    }
    for (int row = 0; row < h; ++row) {
        const int y = topDown ? row : h - 1 - row;
        QByteArray line(stride, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb c = pixels[static_cast<size_t>(y * w + x)];
            const int index =
                static_cast<int>(std::find(table.begin(), table.end(), c) - table.begin());
            auto* p = reinterpret_cast<uchar*>(line.data());
            switch (bits) {
            case 1:
                p[x / 8] |= static_cast<uchar>(index << (7 - x % 8));
                break;
            case 4:
                p[x / 2] |= static_cast<uchar>(index << (x % 2 ? 0 : 4));
                break;
            case 8:
                p[x] = static_cast<uchar>(index);
                break;
            case 16: {
                const int v = ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3);
                p[2 * x] = static_cast<uchar>(v & 0xFF);
                p[2 * x + 1] = static_cast<uchar>(v >> 8);
                break;
            }
            case 24:
            case 32: {
                const int k = bits / 8;
                p[k * x] = static_cast<uchar>(qBlue(c));
                p[k * x + 1] = static_cast<uchar>(qGreen(c));
                p[k * x + 2] = static_cast<uchar>(qRed(c));
                break;
            }
            }
        }
        out += line;
    }
    return out;
}

// The record of a bitmap drawn to the rectangle (x, y, w, h) from all of a source
// of sw x sh pixels.
QByteArray bitmapParams(quint16 function, int sw, int sh, int x, int y, int w, int h) {
    QByteArray p;
    switch (function) {
    case StretchDib:
        put32(p, 0x00CC0020);
        put16(p, 0);
        for (int v : {sh, sw, 0, 0, h, w, y, x})
            put16(p, v);
        break;
    case DibStretchBlt:
        put32(p, 0x00CC0020);
        for (int v : {sh, sw, 0, 0, h, w, y, x})
            put16(p, v);
        break;
    case DibBitBlt:
        put32(p, 0x00CC0020);
        for (int v : {0, 0, h, w, y, x})
            put16(p, v);
        break;
    case SetDibToDev:
        for (int v : {0, sh, 0, 0, 0, h, w, y, x})
            put16(p, v);
        break;
    }
    return p;
}

// The public sample metafiles beside the checkout, or where LUMORA_WMF_CORPUS says.
QString corpusFolder() {
    const QString override = qEnvironmentVariable("LUMORA_WMF_CORPUS");
    if (!override.isEmpty())
        return override;
    return QDir::cleanPath(QStringLiteral(LUMORA_SOURCE_DATA) +
                           QStringLiteral("/../../shared/wmf-corpus"));
}

QStringList corpusFiles() {
    QStringList files;
    QDir root(corpusFolder());
    for (const QString& sub : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        for (const QString& f :
             QDir(root.filePath(sub)).entryList({QStringLiteral("*.wmf")}, QDir::Files, QDir::Name))
            files << sub + '/' + f;
    return files;
}

// Every page of the product, as the viewers name them.
const QStringList productPages = {
    QStringLiteral("guide1.wmf"),          QStringLiteral("guide2.wmf"),
    QStringLiteral("guide3.wmf"),          QStringLiteral("guide4.wmf"),
    QStringLiteral("guide5.wmf"),          QStringLiteral("key Tiberana.wmf"),
    QStringLiteral("key Tiberanb.wmf"),    QStringLiteral("key Tiberanc.wmf"),
    QStringLiteral("Tiberana.wmf"),        QStringLiteral("Tiberanb.wmf"),
    QStringLiteral("Tiberanc.wmf"),        QStringLiteral("key maltena.wmf"),
    QStringLiteral("key maltenb.wmf"),     QStringLiteral("key maltenc.wmf"),
    QStringLiteral("maltena.wmf"),         QStringLiteral("maltenb.wmf"),
    QStringLiteral("acknowledgments.wmf"),
};

// The room a page has in the viewers: the 800 x 600 screen less a margin and the
// band of page caption and buttons below the page.
constexpr double PageRoomWidth = 11400;
constexpr double PageRoomHeight = 7200;
// What both a portrait A4 sheet (the narrower) and a Letter sheet (the shorter) hold
// inside margins of a quarter inch.
constexpr double PrintableWidth = 8.27 * 1440 - 720;
constexpr double PrintableHeight = 11 * 1440 - 720;

} // namespace

class MetafileTest : public QObject {
    Q_OBJECT
private slots:
    // ------------------------------------------------------------- the file

    void size_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QSizeF>("twips");
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("96 units an inch")
            << WmfBuilder(QRect(0, 0, 96, 48), 96).file() << QSizeF(1440, 720) << QSize(96, 48);
        QTest::newRow("twips, negative origin")
            << WmfBuilder(QRect(-1500, -300, 3000, 1500), 1440).file() << QSizeF(3000, 1500)
            << QSize(200, 100);
        QTest::newRow("1000 units an inch") << WmfBuilder(QRect(0, 0, 2000, 1000), 1000).file()
                                            << QSizeF(2880, 1440) << QSize(192, 96);
        QTest::newRow("plain file sized by its window") << WmfBuilder(QRect(), 0, false)
                                                               .rec(SetWindowOrg, {0, 0})
                                                               .rec(SetWindowExt, {750, 1500})
                                                               .file()
                                                        << QSizeF(1500, 750) << QSize(100, 50);
        QTest::newRow("plain file without a window")
            << WmfBuilder(QRect(), 0, false).file() << QSizeF(9600, 7200) << QSize(640, 480);
    }
    void size() {
        QFETCH(QByteArray, file);
        QFETCH(QSizeF, twips);
        QFETCH(QSize, pixels);
        const auto mf = Metafile::fromBytes(file);
        QVERIFY(mf.has_value());
        QCOMPARE(mf->sizeTwips(), twips);
        QCOMPARE(mf->sizePixels(), pixels);
        QCOMPARE(mf->toImage().size(), pixels);
    }

    void refusesWhatIsNoMetafile_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = WmfBuilder().file();
        QByteArray wrongHeader = good;
        wrongHeader[22 + 2] = 7; // header words
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("Tiberan died at 84, so the riddle says.");
        QTest::newRow("placeable header only") << good.left(22);
        QTest::newRow("cut inside the header") << good.left(30);
        QTest::newRow("wrong header size") << wrongHeader;
        QTest::newRow("a JPEG") << QByteArray(
            "\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 20);
    }
    void refusesWhatIsNoMetafile() {
        QFETCH(QByteArray, bytes);
        QVERIFY(!Metafile::fromBytes(bytes).has_value());
    }

    void loadsResourcesAndReportsWhatIsWrong() {
        testing::ScratchFolder folder;
        folder.write(QStringLiteral("wmf/page.wmf"), WmfBuilder().file());
        folder.write(QStringLiteral("wmf/bad.wmf"), QByteArray("not a picture"));
        const Metafile mf = Metafile::load(QStringLiteral("WMF\\Page.wmf"));
        QCOMPARE(mf.sizePixels(), QSize(100, 100));
        QVERIFY_THROWS_EXCEPTION(FileError, Metafile::load(QStringLiteral("wmf\\missing.wmf")));
        QVERIFY_THROWS_EXCEPTION(FileError, Metafile::load(QStringLiteral("wmf\\bad.wmf")));

        QLabel control;
        loadMetafile(&control, QStringLiteral("wmf\\page.wmf"));
        QCOMPARE(control.size(), QSize(100, 100));
        QVERIFY(!control.pixmap().isNull());
    }

    // ------------------------------------------------------------- mapping

    void mapping_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QRect>("expected"); // in pixels of a 100 x 100 image
        {
            WmfBuilder b;
            QTest::newRow("window is the box")
                << blackRect(b, 10, 20, 50, 40).file() << QRect(10, 20, 40, 20);
        }
        {
            WmfBuilder b;
            b.rec(SetWindowOrg, {100, 100}).rec(SetWindowExt, {100, 100});
            QTest::newRow("window origin")
                << blackRect(b, 110, 120, 150, 140).file() << QRect(10, 20, 40, 20);
        }
        {
            WmfBuilder b;
            b.rec(SetWindowExt, {200, 400});
            QTest::newRow("window extent scales")
                << blackRect(b, 40, 40, 200, 120).file() << QRect(10, 20, 40, 40);
        }
        {
            WmfBuilder b;
            b.rec(SetWindowOrg, {100, 0}).rec(SetWindowExt, {-100, 100});
            QTest::newRow("y up") << blackRect(b, 10, 90, 50, 70).file() << QRect(10, 10, 40, 20);
        }
        {
            WmfBuilder b;
            b.rec(SetMapMode, {1}).rec(SetWindowOrg, {-20, -30});
            QTest::newRow("text mode, origin")
                << blackRect(b, 0, 0, 40, 20).file() << QRect(30, 20, 40, 20);
        }
        {
            WmfBuilder b;
            b.rec(SetMapMode, {1}).rec(SetWindowExt, {1000, 1000});
            QTest::newRow("text mode ignores the extent")
                << blackRect(b, 10, 20, 50, 40).file() << QRect(10, 20, 40, 20);
        }
        {
            WmfBuilder b(QRect(0, 0, 1500, 1500), 1440); // 15 twips to a pixel
            b.rec(SetMapMode, {6});
            QTest::newRow("twips, y up")
                << blackRect(b, 150, -300, 750, -600).file() << QRect(10, 20, 40, 20);
        }
        {
            WmfBuilder b(QRect(0, 0, 100, 100), 254); // a unit of the box is 0.1 mm
            b.rec(SetMapMode, {2}).rec(SetViewportOrg, {100, 0});
            QTest::newRow("0.1 mm, origin at the bottom")
                << blackRect(b, 20, 80, 60, 40).file() << QRect(20, 20, 40, 40);
        }
        {
            WmfBuilder b;
            b.rec(SetMapMode, {7}).rec(SetWindowExt, {50, 100}).rec(SetViewportExt, {100, 100});
            QTest::newRow("isotropic keeps the shape")
                << blackRect(b, 10, 10, 50, 30).file() << QRect(10, 10, 40, 20);
        }
        {
            WmfBuilder b;
            b.rec(SetMapMode, {8}).rec(SetWindowExt, {50, 100}).rec(SetViewportExt, {100, 100});
            QTest::newRow("anisotropic stretches")
                << blackRect(b, 10, 10, 50, 30).file() << QRect(10, 20, 40, 40);
        }
        {
            WmfBuilder b;
            b.rec(SetWindowExt, {100, 100})
                .rec(SetViewportOrg, {50, 50})
                .rec(SetViewportExt, {50, 50});
            QTest::newRow("viewport quarter")
                << blackRect(b, 20, 20, 80, 60).file() << QRect(60, 60, 30, 20);
        }
        {
            WmfBuilder b;
            b.rec(OffsetWindowOrg, {-10, -20}).rec(ScaleWindowExt, {2, 1, 2, 1});
            QTest::newRow("offset and scale")
                << blackRect(b, -10, 0, 30, 20).file() << QRect(20, 20, 80, 40);
        }
        {
            WmfBuilder b;
            b.rec(SaveDC, {})
                .rec(SetWindowOrg, {50, 50})
                .rec(SetWindowExt, {10, 10})
                .rec(RestoreDC, {-1});
            QTest::newRow("restore brings the mapping back")
                << blackRect(b, 10, 20, 50, 40).file() << QRect(10, 20, 40, 20);
        }
        {
            WmfBuilder b;
            b.rec(SaveDC, {})
                .rec(SaveDC, {})
                .rec(SetWindowOrg, {50, 50})
                .rec(SaveDC, {})
                .rec(RestoreDC, {1});
            QTest::newRow("restore to the first save")
                << blackRect(b, 10, 20, 50, 40).file() << QRect(10, 20, 40, 20);
        }
    }
    void mapping() {
        QFETCH(QByteArray, file);
        QFETCH(QRect, expected);
        PlayStats stats;
        const QImage image = render(file, QSize(100, 100), &stats);
        QVERIFY2(!stats.endedEarly, qPrintable(stats.endReason));
        QCOMPARE(stats.skippedCount(), 0);
        checkBlackRect(image, expected);
    }

    void drawsIntoTheTargetOnly() {
        WmfBuilder b;
        const QByteArray file = blackRect(b, -500, -500, 500, 500).file();
        QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
        image.fill(White);
        QPainter painter(&image);
        painter.setPen(QPen(QColor(Red), 3));
        const QTransform before = painter.transform();
        Metafile::fromBytes(file)->play(painter, QRectF(50, 50, 100, 100));
        QCOMPARE(painter.transform(), before);
        QCOMPARE(painter.pen().color().rgb(), Red);
        QVERIFY(!painter.hasClipping());
        painter.end();
        QCOMPARE(at(image, 100, 100), Black);
        QCOMPARE(at(image, 52, 52), Black);
        QCOMPARE(at(image, 45, 100), White);
        QCOMPARE(at(image, 155, 155), White);
    }

    void aScaledPainterDrawsTheSamePicture() {
        WmfBuilder b(QRect(0, 0, 1000, 1000), 1000);
        const QByteArray file = blackRect(b, 100, 200, 500, 400).file();
        QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
        image.fill(White);
        QPainter painter(&image);
        painter.scale(0.1, 0.1); // a printer's painter works in its own fine units
        Metafile::fromBytes(file)->play(painter, QRectF(0, 0, 1000, 1000));
        painter.end();
        checkBlackRect(image, QRect(10, 20, 40, 20));
    }

    // ------------------------------------------------------------- objects

    void objectTable_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QRgb>("fill");
        {
            // red in 0, green in 1; 0 deleted; blue takes 0, the lowest free slot
            WmfBuilder b;
            b.brush(Red).brush(Green).rec(DeleteObject, {0}).brush(Blue).select(0).nullPen();
            QTest::newRow("lowest free slot") << b.rect(0, 0, 100, 100).file() << Blue;
        }
        {
            // a pattern brush that is not drawn still holds slot 0
            WmfBuilder b;
            b.raw(CreatePatternBrush, QByteArray(40, '\0')).brush(Green).select(1).nullPen();
            QTest::newRow("placeholder keeps indexes") << b.rect(0, 0, 100, 100).file() << Green;
        }
        {
            WmfBuilder b;
            b.rec(CreatePalette, {0x300, 2, 0, 0, 0, 0}).brush(Red).select(1).nullPen();
            QTest::newRow("palette takes a slot") << b.rect(0, 0, 100, 100).file() << Red;
        }
        {
            WmfBuilder b;
            b.brush(Red).select(0).rec(DeleteObject, {0}).nullPen();
            QTest::newRow("deleted brush stays selected") << b.rect(0, 0, 100, 100).file() << Red;
        }
        {
            WmfBuilder b;
            b.brush(Red).select(0).select(7).rec(DeleteObject, {9}).nullPen();
            QTest::newRow("unknown index changes nothing") << b.rect(0, 0, 100, 100).file() << Red;
        }
        {
            WmfBuilder b;
            b.rec(SetBkColor, {0xFF, 0}).nullPen();
            QTest::newRow("default brush is white") << b.rect(0, 0, 100, 100).file() << White;
        }
        {
            // a palette-index colour names an entry of the selected palette
            WmfBuilder b;
            // entry 1 is (0, 255, 0); the brush's colour is "palette entry 1"
            b.rec(CreatePalette, {0x300, 2, 0, 0, 0xFF00, 0}).rec(0x0234, {0});
            b.rec(CreateBrushIndirect, {0, 1, 0x0100, 0}).select(1).nullPen();
            QTest::newRow("palette index") << b.rect(0, 0, 100, 100).file() << qRgb(0, 255, 0);
        }
    }
    void objectTable() {
        QFETCH(QByteArray, file);
        QFETCH(QRgb, fill);
        const QImage image = render(file);
        QCOMPARE(at(image, 50, 50), fill);
    }

    void pens_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("minDark"); // dark pixels across the line's column
        QTest::addColumn<int>("maxDark");
        QTest::newRow("width 0 is one pixel") << 0 << 0 << 1 << 2;
        QTest::newRow("wide") << 0 << 10 << 9 << 12;
        QTest::newRow("null") << 5 << 10 << 0 << 0;
        QTest::newRow("null with end cap bits") << 0x0205 << 10 << 0 << 0;
        QTest::newRow("flat cap solid") << 0x0200 << 6 << 5 << 8;
    }
    void pens() {
        QFETCH(int, style);
        QFETCH(int, width);
        QFETCH(int, minDark);
        QFETCH(int, maxDark);
        WmfBuilder b;
        b.pen(Black, width, style).select(0).rec(MoveTo, {10, 50}).rec(LineTo, {90, 50});
        const QImage image = render(b.file());
        const int dark = darkPixels(image, QRect(0, 50, 100, 1));
        QVERIFY2(dark >= minDark && dark <= maxDark, qPrintable(QString::number(dark)));
    }

    // ------------------------------------------------------------- shapes

    void shapes_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QPoint>("filled");
        QTest::addColumn<QPoint>("empty");
        auto start = [] {
            WmfBuilder b;
            b.brush(Black).select(0).pen(Black, 0, 5).select(1);
            return b;
        };
        QTest::newRow("ellipse") << start().rec(Ellipse, {90, 90, 10, 10}).file() << QPoint(50, 50)
                                 << QPoint(15, 15);
        QTest::newRow("round rectangle") << start().rec(RoundRect, {40, 40, 90, 90, 10, 10}).file()
                                         << QPoint(50, 15) << QPoint(11, 11);
        // a pie of the upper right quarter, counter-clockwise from 3 o'clock to 12
        QTest::newRow("pie") << start().rec(Pie, {10, 50, 50, 90, 90, 90, 10, 10}).file()
                             << QPoint(70, 30) << QPoint(30, 70);
        QTest::newRow("polygon") << start().rec(Polygon, {3, 10, 90, 90, 90, 50, 10}).file()
                                 << QPoint(50, 70) << QPoint(15, 20);
        // two squares, the inner one a hole when the fill alternates
        const std::initializer_list<int> nested = {2,  4,  4,  10, 10, 90, 10, 90, 90, 10,
                                                   90, 30, 30, 70, 30, 70, 70, 30, 70};
        QTest::newRow("polypolygon alternate")
            << start().rec(SetPolyFillMode, {1}).rec(PolyPolygon, nested).file() << QPoint(20, 20)
            << QPoint(50, 50);
        QTest::newRow("polypolygon winding")
            << start().rec(SetPolyFillMode, {2}).rec(PolyPolygon, nested).file() << QPoint(50, 50)
            << QPoint(5, 5);
        QTest::newRow("clip rectangle")
            << start().rec(IntersectClipRect, {60, 60, 20, 20}).rect(0, 0, 100, 100).file()
            << QPoint(40, 40) << QPoint(10, 10);
        QTest::newRow("excluded rectangle")
            << start().rec(ExcludeClipRect, {60, 60, 20, 20}).rect(0, 0, 100, 100).file()
            << QPoint(10, 10) << QPoint(40, 40);
        QTest::newRow("clip restored") << start()
                                              .rec(SaveDC, {})
                                              .rec(IntersectClipRect, {60, 60, 20, 20})
                                              .rec(RestoreDC, {-1})
                                              .rect(0, 0, 100, 100)
                                              .file()
                                       << QPoint(10, 10) << QPoint(200, 200);
        // a region of one band from x 0 to 30, selected as the clip
        QTest::newRow("clip region")
            << start()
                   .rec(CreateRegion, {0, 6, 0, 0, 0, 1, 0, 0, 0, 30, 100, 2, 0, 100, 0, 30, 2})
                   .rec(SelectClipRegion, {2})
                   .rect(0, 0, 100, 100)
                   .file()
            << QPoint(15, 50) << QPoint(60, 50);
    }
    void shapes() {
        QFETCH(QByteArray, file);
        QFETCH(QPoint, filled);
        QFETCH(QPoint, empty);
        PlayStats stats;
        const QImage image = render(file, QSize(100, 100), &stats);
        QVERIFY2(!stats.endedEarly, qPrintable(stats.endReason));
        QCOMPARE(stats.ignored, 0);
        QCOMPARE(at(image, filled.x(), filled.y()), Black);
        if (image.rect().contains(empty))
            QCOMPARE(at(image, empty.x(), empty.y()), White);
    }

    void hatchedBrushLeavesGaps_data() {
        QTest::addColumn<int>("bkMode");
        QTest::addColumn<QRgb>("gaps");
        QTest::newRow("transparent") << 1 << White;
        QTest::newRow("opaque background") << 2 << Red;
    }
    void hatchedBrushLeavesGaps() {
        QFETCH(int, bkMode);
        QFETCH(QRgb, gaps);
        WmfBuilder b;
        b.brush(Black, 2, 4).select(0).nullPen().rec(SetBkMode, {bkMode}).colour(SetBkColor, Red);
        const QImage image = render(b.rect(0, 0, 100, 100).file());
        int lines = 0, gapPixels = 0;
        for (int y = 10; y < 90; ++y)
            for (int x = 10; x < 90; ++x) {
                lines += at(image, x, y) == Black;
                gapPixels += at(image, x, y) == gaps;
            }
        QVERIFY2(lines > 6400 / 10 && lines < 6400 / 2, qPrintable(QString::number(lines)));
        QCOMPARE(lines + gapPixels, 6400);
    }

    // ------------------------------------------------------------- text

    void text_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QRect>("inked"); // where the letters are
        QTest::addColumn<QRect>("blank"); // where they must not be
        auto start = [](int align, int escapement = 0) {
            WmfBuilder b(QRect(0, 0, 200, 100));
            b.font(-40, escapement).select(0).rec(SetBkMode, {1}).rec(SetTextAlign, {align});
            return b;
        };
        QTest::newRow("top left") << start(0).textOut(100, 50, "HH").file()
                                  << QRect(100, 50, 60, 30) << QRect(0, 0, 98, 100);
        QTest::newRow("right, baseline") << start(2 | 24).textOut(100, 50, "HH").file()
                                         << QRect(40, 20, 60, 30) << QRect(102, 0, 98, 100);
        QTest::newRow("centre, bottom") << start(6 | 8).textOut(100, 90, "HH").file()
                                        << QRect(70, 50, 60, 40) << QRect(0, 0, 60, 100);
        QTest::newRow("turned a quarter") << start(0, 900).textOut(100, 90, "HH").file()
                                          << QRect(100, 30, 40, 60) << QRect(150, 0, 50, 100);
        {
            WmfBuilder b = start(1);
            b.rec(MoveTo, {10, 10}).textOut(0, 0, "HH").textOut(0, 0, "HH");
            QTest::newRow("update position")
                << b.file() << QRect(10, 10, 110, 35) << QRect(140, 0, 60, 100);
        }
        {
            // Spacing of 100 units puts the second letter at the far right.
            WmfBuilder b = start(0);
            QByteArray p;
            for (int v : {10, 10, 2, 0})
                put16(p, v);
            p.append("HH");
            put16(p, 150);
            put16(p, 0);
            b.raw(ExtTextOut, p);
            QTest::newRow("spacing array")
                << b.file() << QRect(160, 10, 35, 35) << QRect(50, 0, 100, 100);
        }
        {
            // The opaque rectangle is filled with the background colour, the text is
            // clipped to it.
            WmfBuilder b = start(0);
            b.colour(SetBkColor, Black);
            QByteArray p;
            for (int v : {10, 10, 4, 0x0006, 0, 0, 40, 100})
                put16(p, v);
            p.append("HHHH");
            b.raw(ExtTextOut, p);
            QTest::newRow("opaque, clipped")
                << b.file() << QRect(2, 2, 36, 96) << QRect(42, 0, 158, 100);
        }
        {
            WmfBuilder b = start(0);
            b.textOut(10, 10, "H");
            QTest::newRow("odd length, padded")
                << b.file() << QRect(10, 10, 30, 30) << QRect(45, 0, 155, 100);
        }
    }
    void text() {
        QFETCH(QByteArray, file);
        QFETCH(QRect, inked);
        QFETCH(QRect, blank);
        PlayStats stats;
        const QImage image = render(file, QSize(200, 100), &stats);
        QVERIFY2(!stats.endedEarly, qPrintable(stats.endReason));
        QVERIFY2(darkPixels(image, inked) > inked.width() * inked.height() / 8,
                 qPrintable(QString::number(darkPixels(image, inked))));
        QCOMPARE(darkPixels(image, blank), 0);
    }

    void opaqueTextHasItsBackground() {
        WmfBuilder b(QRect(0, 0, 200, 100));
        b.font(-40)
            .select(0)
            .colour(SetBkColor, Blue)
            .colour(SetTextColor, White)
            .textOut(10, 10, "..");
        const QImage image = render(b.file(), QSize(200, 100));
        QCOMPARE(at(image, 14, 14), Blue);
        QCOMPARE(at(image, 5, 5), White);
    }

    // ------------------------------------------------------------- bitmaps

    void bitmaps_data() {
        QTest::addColumn<quint16>("function");
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("topDown");
        const std::pair<quint16, const char*> records[] = {{StretchDib, "StretchDIB"},
                                                           {DibStretchBlt, "DIBStretchBlt"},
                                                           {DibBitBlt, "DIBBitBlt"},
                                                           {SetDibToDev, "SetDIBToDev"}};
        for (const auto& [function, name] : records)
            for (int bits : {1, 4, 8, 16, 24, 32})
                QTest::addRow("%s %d bits", name, bits) << function << bits << false;
        QTest::newRow("top down") << quint16(StretchDib) << 24 << true;
    }
    void bitmaps() {
        QFETCH(quint16, function);
        QFETCH(int, bits);
        QFETCH(bool, topDown);
        // 2 x 2: black, white over white, black; a one-bit bitmap has no third colour.
        const QRgb other = bits == 1 ? White : Red;
        const std::vector<QRgb> pixels = {Black, White, other, Black};
        const bool stretches = function == StretchDib || function == DibStretchBlt;
        const int w = stretches ? 80 : 2, h = stretches ? 80 : 2;
        WmfBuilder b;
        if (!stretches)
            b.rec(SetWindowExt, {2, 2}); // the bitmap's two pixels fill the picture
        b.raw(function,
              bitmapParams(function, 2, 2, 0, 0, w, h) + dib(bits, 2, 2, pixels, topDown));
        PlayStats stats;
        const QImage image = render(b.file(), QSize(100, 100), &stats);
        QVERIFY2(!stats.endedEarly, qPrintable(stats.endReason));
        QCOMPARE(stats.skippedCount(), 0);
        const int q = stretches ? 20 : 25, f = stretches ? 60 : 75;
        QCOMPARE(at(image, q, q), Black);
        QCOMPARE(at(image, f, q), White);
        QCOMPARE(at(image, q, f), other);
        QCOMPARE(at(image, f, f), Black);
    }

    // ------------------------------------------------------------- hostile input

    void damagedFilesEndCleanly_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("endsEarly");
        QTest::addColumn<int>("skipped");
        QTest::addColumn<bool>("drawsAfter"); // the black rectangle that follows is drawn

        auto withRect = [](WmfBuilder b) { return blackRect(b, 10, 10, 90, 90).file(); };
        auto record = [](quint32 words, quint16 function, const QByteArray& rest = {}) {
            QByteArray r;
            put32(r, words);
            put16(r, function);
            return r + rest;
        };
        QTest::newRow("size past the end")
            << WmfBuilder().bytes(record(5000, Rectangle, QByteArray(8, '\0'))).file(false) << true
            << 0 << false;
        QTest::newRow("zero size")
            << withRect(WmfBuilder().bytes(record(0, Rectangle))) << true << 0 << false;
        QTest::newRow("size two") << withRect(WmfBuilder().bytes(record(2, 0x0102))) << true << 0
                                  << false;
        QTest::newRow("header cut short")
            << WmfBuilder().bytes(QByteArray("\x05\0\0", 3)).file(false) << true << 0 << false;
        QTest::newRow("polygon count past the record")
            << withRect(WmfBuilder().rec(Polygon, {30000, 1, 2})) << true << 0 << false;
        QTest::newRow("polygon negative count")
            << withRect(WmfBuilder().rec(Polygon, {-3, 1, 2})) << true << 0 << false;
        QTest::newRow("polypolygon counts past the record")
            << withRect(WmfBuilder().rec(PolyPolygon, {2, 60000, 60000, 1, 2})) << true << 0
            << false;
        QTest::newRow("text longer than its record")
            << withRect(WmfBuilder().rec(TextOut, {200, 0x4141, 0, 0})) << true << 0 << false;
        QTest::newRow("extended text longer than its record")
            << withRect(WmfBuilder().rec(ExtTextOut, {0, 0, 9000, 0, 0x4141})) << true << 0
            << false;
        QTest::newRow("font record cut short")
            << withRect(WmfBuilder().rec(CreateFontIndirect, {-20, 0})) << true << 0 << false;
        QTest::newRow("palette count past the record")
            << withRect(WmfBuilder().rec(CreatePalette, {0x300, 40000, 0, 0})) << true << 0
            << false;
        QTest::newRow("region scans past the record")
            << withRect(WmfBuilder().rec(CreateRegion, {0, 6, 0, 0, 0, 500, 0, 0, 0, 9, 9})) << true
            << 0 << false;
        {
            QByteArray truncated = dib(24, 8, 8, std::vector<QRgb>(64, Red));
            truncated.chop(100);
            QTest::newRow("truncated bitmap")
                << withRect(WmfBuilder().raw(
                       StretchDib, bitmapParams(StretchDib, 8, 8, 0, 0, 50, 50) + truncated))
                << true << 0 << false;
        }
        {
            QByteArray huge = dib(1, 2, 2, {Black, White, White, Black});
            huge[4] = '\0', huge[5] = '\0', huge[6] = '\0', huge[7] = '\x10';   // 268 million wide
            huge[8] = '\0', huge[9] = '\0', huge[10] = '\0', huge[11] = '\x10'; // and high
            QTest::newRow("huge bitmap")
                << withRect(WmfBuilder().raw(StretchDib,
                                             bitmapParams(StretchDib, 2, 2, 0, 0, 50, 50) + huge))
                << false << 1 << true;
        }
        {
            QByteArray manyColours = dib(8, 2, 2, {Black, White, White, Black});
            manyColours[32] = '\xFF', manyColours[33] = '\xFF', manyColours[34] = '\xFF',
            manyColours[35] = '\x7F';
            QTest::newRow("colour table past the record")
                << withRect(WmfBuilder().raw(
                       StretchDib, bitmapParams(StretchDib, 2, 2, 0, 0, 50, 50) + manyColours))
                << true << 0 << false;
        }
        {
            QByteArray rle = dib(8, 2, 2, {Black, White, White, Black});
            rle[16] = '\x01'; // run-length coded
            QTest::newRow("run-length bitmap is skipped")
                << withRect(WmfBuilder().raw(StretchDib,
                                             bitmapParams(StretchDib, 2, 2, 0, 0, 50, 50) + rle))
                << false << 1 << true;
        }
        QTest::newRow("bitmap with an odd header")
            << withRect(WmfBuilder().raw(StretchDib, bitmapParams(StretchDib, 2, 2, 0, 0, 50, 50) +
                                                         QByteArray("\x14\0\0\0", 4) +
                                                         QByteArray(16, '\0')))
            << false << 1 << true;
        QTest::newRow("escape is skipped")
            << withRect(WmfBuilder().rec(Escape, {15, 4, 0x4241, 0x4443})) << false << 1 << true;
        QTest::newRow("unknown record is skipped")
            << withRect(WmfBuilder().rec(0x0999, {1, 2, 3})) << false << 1 << true;
        QTest::newRow("restore without a save")
            << withRect(WmfBuilder().rec(RestoreDC, {-1}).rec(RestoreDC, {5})) << false << 0
            << true;
        QTest::newRow("zero extent")
            << withRect(WmfBuilder().rec(SetWindowExt, {0, 0})) << false << 0 << true;
        QTest::newRow("no end record") << withRect(WmfBuilder()).chopped(6) << false << 0 << true;
        {
            WmfBuilder b;
            for (int i = 0; i < 3000; ++i)
                b.rec(SaveDC, {});
            QTest::newRow("saves beyond the stack") << withRect(b) << false << 0 << true;
        }
    }
    void damagedFilesEndCleanly() {
        QFETCH(QByteArray, file);
        QFETCH(bool, endsEarly);
        QFETCH(int, skipped);
        QFETCH(bool, drawsAfter);
        PlayStats stats;
        const QImage image = render(file, QSize(100, 100), &stats);
        QVERIFY(!image.isNull());
        QCOMPARE(stats.endedEarly, endsEarly);
        QCOMPARE(stats.endReason.isEmpty(), !endsEarly);
        QCOMPARE(stats.skippedCount(), skipped);
        QCOMPARE(at(image, 50, 50) == Black, drawsAfter);
    }

    void capsEndEndlessFiles() {
        // More records than any picture has: the cap ends the play.
        WmfBuilder many;
        QByteArray moves;
        for (int i = 0; i <= Metafile::MaxRecords; ++i) {
            put32(moves, 5);
            put16(moves, MoveTo);
            put32(moves, 0);
        }
        PlayStats stats;
        render(many.bytes(moves).file(), QSize(10, 10), &stats);
        QVERIFY(stats.endedEarly);
        QCOMPARE(stats.played, Metafile::MaxRecords);

        // Drawing work is capped too, whatever the record count.
        WmfBuilder heavy;
        blackRect(heavy, 0, 0, 1, 1);
        QByteArray rects;
        for (int i = 0; i < 500'000; ++i) {
            put32(rects, 7);
            put16(rects, Rectangle);
            for (int v : {90, 90, 10, 10})
                put16(rects, v);
        }
        render(heavy.bytes(rects).file(), QSize(10, 10), &stats);
        QVERIFY(stats.endedEarly);
        QVERIFY(stats.played < 500'000);
    }

    void shapesFarLargerThanThePictureDrawWhatShows_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QRgb>("colour");
        // A unit of 100 pixels: the shapes reach millions of pixels past the picture.
        auto start = [](int penWidth, int fillMode = 1, int extent = 1) {
            WmfBuilder b;
            b.rec(SetWindowExt, {extent, extent})
                .rec(SetPolyFillMode, {fillMode})
                .brush(Black)
                .select(b.last());
            b.pen(Black, penWidth, penWidth ? 0 : 5).select(b.last());
            return b;
        };
        // Its long side runs through the middle of the picture.
        const std::initializer_list<int> triangle = {3,      -30000, -30000, 30001,
                                                     -30000, -30000, 30001};
        QTest::newRow("triangle, inside")
            << start(0).rec(Polygon, triangle).file() << QPoint(10, 10) << Black;
        QTest::newRow("triangle, outside")
            << start(0).rec(Polygon, triangle).file() << QPoint(90, 90) << White;
        // A five-pointed star around the picture, whose middle is a hole when the fill
        // alternates.
        const std::initializer_list<int> star = {1,      5,     0,     -20000, 12000,  16000,
                                                 -19000, -6000, 19000, -6000,  -12000, 16000};
        QTest::newRow("star, alternate")
            << start(0, 1).rec(PolyPolygon, star).file() << QPoint(50, 50) << White;
        QTest::newRow("star, winding")
            << start(0, 2).rec(PolyPolygon, star).file() << QPoint(50, 50) << Black;
        // The edge of an ellipse three million pixels wide runs down the middle.
        const std::initializer_list<int> ellipse = {20000, 1, -20000, -30000};
        QTest::newRow("ellipse, inside")
            << start(0, 1, 2).rec(Ellipse, ellipse).file() << QPoint(40, 50) << Black;
        QTest::newRow("ellipse, outside")
            << start(0, 1, 2).rec(Ellipse, ellipse).file() << QPoint(60, 50) << White;
        QTest::newRow("wide line, on it")
            << start(1).rec(MoveTo, {-30000, 0}).rec(LineTo, {30000, 0}).file() << QPoint(30, 50)
            << Black;
        QTest::newRow("wide line, beside it")
            << start(1).rec(MoveTo, {-30000, 0}).rec(LineTo, {30000, 0}).file() << QPoint(70, 50)
            << White;
    }
    void shapesFarLargerThanThePictureDrawWhatShows() {
        QFETCH(QByteArray, file);
        QFETCH(QPoint, point);
        QFETCH(QRgb, colour);
        PlayStats stats;
        const QImage image = render(file, QSize(100, 100), &stats);
        QVERIFY2(!stats.endedEarly, qPrintable(stats.endReason));
        QCOMPARE(at(image, point.x(), point.y()), colour);
    }

    void everyCutOfAFileEndsCleanly() {
        WmfBuilder b(QRect(0, 0, 200, 100));
        b.font(-30)
            .select(0)
            .brush(Red)
            .select(1)
            .rec(Ellipse, {90, 190, 10, 10})
            .textOut(20, 20, "Tiberan");
        b.raw(StretchDib, bitmapParams(StretchDib, 2, 2, 0, 0, 50, 50) +
                              dib(24, 2, 2, {Black, White, Red, Blue}));
        const QByteArray file = b.file();
        for (qsizetype n = 0; n <= file.size(); ++n) {
            const auto mf = Metafile::fromBytes(file.left(n));
            if (!mf)
                continue;
            QImage image(50, 25, QImage::Format_ARGB32_Premultiplied);
            QPainter painter(&image);
            const PlayStats stats = mf->play(painter, image.rect());
            QVERIFY(stats.played <= 12);
        }
    }

    // ------------------------------------------------------------- real files

    void corpus_data() {
        QTest::addColumn<QString>("name");
        const QStringList files = corpusFiles();
        if (files.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no sample metafiles in %1").arg(corpusFolder())));
        for (const QString& f : files)
            QTest::newRow(qPrintable(f)) << f;
    }
    void corpus() {
        QFETCH(QString, name);
        QFile file(corpusFolder() + '/' + name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const auto mf = Metafile::fromBytes(bytes);
        QVERIFY(mf.has_value());
        PlayStats stats;
        const QImage image = mf->toImage(Qt::white, &stats);
        QVERIFY(!image.isNull());
        QVERIFY(stats.played > 0);
        // Bounded: never more records than the file can hold.
        QVERIFY(stats.played + stats.skippedCount() + stats.ignored <= bytes.size() / 6);
        grab(image, QStringLiteral("corpus-") + QString(name).replace('/', '-'));

        // What some of them are known to show, at a fraction of their size.
        struct Known {
            const char* file;
            double x, y;
            QRgb colour;
        };
        static const Known known[] = {
            {"libwmf-examples/fulltest.wmf", 0.572, 0.312, Black},
            {"libwmf-examples/fulltest.wmf", 0.735, 0.312, qRgb(255, 0, 0)},
            {"libwmf-examples/fulltest.wmf", 0.792, 0.312, qRgb(0, 128, 0)},
            {"libwmf-examples/fulltest.wmf", 0.847, 0.312, qRgb(0, 0, 255)},
            {"libwmf-examples/fulltest.wmf", 0.902, 0.312, qRgb(255, 255, 0)},
            {"libwmf-examples/fulltest.wmf", 0.625, 0.312, White},
            {"wmf2canvas-tests/tests_1.wmf", 0.5, 0.5, qRgb(255, 0, 0)},
            {"wmf2canvas-tests/tests_1.wmf", 0.03, 0.05, White},
            {"libwmf-examples/sample2.wmf", 0.07, 0.16, White},
        };
        for (const Known& k : known)
            if (name == QLatin1String(k.file))
                QCOMPARE(at(image, int(k.x * image.width()), int(k.y * image.height())), k.colour);
        if (name.endsWith(QLatin1String("fulltest.wmf")) ||
            name.endsWith(QLatin1String("tiger2.wmf")))
            QCOMPARE(stats.skippedCount(), 0);
    }

    // ------------------------------------------------------------- page text

    void readingOrder_data() {
        QTest::addColumn<std::vector<PlacedText>>("pieces");
        QTest::addColumn<QString>("text");
        QTest::newRow("lines top to bottom, pieces left to right")
            << std::vector<PlacedText>{{{50, 40}, "world", 10, 20},
                                       {{10, 80}, "second", 10, 30},
                                       {{10, 41}, "Hello", 10, 25}}
            << "Hello world\nsecond";
        QTest::newRow("a full stop runs on, spaces are not doubled")
            << std::vector<PlacedText>{{{10, 20}, "at ", 10, 15},
                                       {{25, 20}, "84", 10, 10},
                                       {{35, 20}, ".", 10, 3},
                                       {{0, 5}, "  ", 10, 10}}
            << "at 84.";
        QTest::newRow("nothing") << std::vector<PlacedText>{} << QString();
    }
    void readingOrder() {
        QFETCH(std::vector<PlacedText>, pieces);
        QFETCH(QString, text);
        QCOMPARE(readingOrderText(pieces), text);
    }

    void pageText_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("inOrder");
        QTest::newRow("guide") << "guide1.wmf"
                               << QStringList{"Welcome to Lumora", "\nLumora brings two",
                                              "Tiberan and Joris Malten open the two topics.",
                                              "Exit asks you to confirm, then closes Lumora."};
        QTest::newRow("key facts")
            << "key Tiberana.wmf"
            << QStringList{"The riddle of Tiberan's life", "\nHis boyhood lasted 14 years.\n",
                           "He married at 26.", "Tiberan died at 84."};
    }
    void pageText() {
        QFETCH(QString, name);
        QFETCH(QStringList, inOrder);
        QFile file(testing::dataFolder() + QStringLiteral("/wmf/") + name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = Metafile::fromBytes(file.readAll())->pageText();
        qsizetype from = 0;
        for (const QString& part : inOrder) {
            const qsizetype found = text.indexOf(part, from);
            QVERIFY2(found >= 0, qPrintable(part + QStringLiteral(" in\n") + text));
            from = found + part.size();
        }
    }

    void sharpAtTwiceThePixels() {
        WmfBuilder b(QRect(0, 0, 60, 40));
        const auto mf = Metafile::fromBytes(blackRect(b, 10, 10, 50, 30).file());
        const QPixmap one = mf->toPixmap(), two = mf->toPixmap(Qt::white, 2);
        QCOMPARE(two.size(), one.size() * 2);
        QCOMPARE(two.deviceIndependentSize(), QSizeF(one.size()));
        QCOMPARE(two.toImage().pixel(60, 40) | 0xFF000000u, Black);
        QCOMPARE(two.toImage().pixel(10, 10) | 0xFF000000u, White);

        // A control draws at its own ratio and keeps its size in pixels of the screen.
        testing::ScratchFolder folder;
        folder.write(QStringLiteral("wmf/page.wmf"), b.file());
        QLabel control;
        loadMetafile(&control, QStringLiteral("wmf\\page.wmf"));
        QCOMPARE(control.size(), QSize(60, 40));
        QCOMPARE(control.pixmap().devicePixelRatio(), control.devicePixelRatioF());
        QCOMPARE(control.pixmap().size(), QSize(60, 40) * control.devicePixelRatioF());
    }

    // ------------------------------------------------------------- the product's pages

    void pages_data() {
        QTest::addColumn<QString>("name");
        for (const QString& page : productPages)
            QTest::newRow(qPrintable(page)) << page;
    }
    void pages() {
        QFETCH(QString, name);
        const QString data = testing::dataFolder();
        std::optional<Metafile> copies[2];
        for (int i = 0; i < 2; ++i) {
            const QString folder = i == 0 ? QStringLiteral("/wmf/") : QStringLiteral("/wmf2/");
            QFile file(data + folder + name);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            copies[i] = Metafile::fromBytes(file.readAll());
            QVERIFY(copies[i].has_value());
            QVERIFY(copies[i]->isPlaceable());
            const bool ack = name == QLatin1String("acknowledgments.wmf");
            const QColor background =
                i == 1 ? QColor(Qt::white) : QColor(ack ? qRgb(49, 130, 212) : qRgb(39, 63, 137));
            PlayStats stats;
            const QImage image = copies[i]->toImage(background, &stats);
            QVERIFY2(!stats.endedEarly, qPrintable(stats.endReason));
            QVERIFY2(stats.skipped.empty(), qPrintable(stats.skippedSummary()));
            QCOMPARE(stats.ignored, 0);
            QVERIFY(stats.played > 50);
            grab(image,
                 QString(name).replace(QLatin1String(".wmf"), i == 0 ? "-screen" : "-print"));
        }
        QVERIFY(copies[0]->sizeTwips().width() <= PageRoomWidth);
        QVERIFY(copies[0]->sizeTwips().height() <= PageRoomHeight);
        // Printed at its own size 1000 twips in, the print copy stays on the paper.
        const QSizeF printed = copies[1]->sizeTwips();
        QVERIFY2(1000 + printed.width() <= PrintableWidth,
                 qPrintable(QString::number(printed.width())));
        QVERIFY(1000 + printed.height() <= PrintableHeight);
    }

private:
    // With LUMORA_GRAB_DIR set, the pictures are kept there to be looked at.
    static void grab(const QImage& image, const QString& name) {
        const QString dir = qEnvironmentVariable("LUMORA_GRAB_DIR");
        if (dir.isEmpty())
            return;
        QDir().mkpath(dir);
        image.save(dir + '/' + name + QStringLiteral(".png"));
    }
};

LUMORA_TEST(MetafileTest)
#include "tst_metafile.moc"
