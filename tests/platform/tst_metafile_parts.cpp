// The metafile player's pure parts, each on its own: raster operations, text and
// symbol fonts, reading order, clipping, the DIB decoder and the object table.
#include "platform/metafile/clip.h"
#include "platform/metafile/dc.h"
#include "platform/metafile/dib.h"
#include "platform/metafile/rasterop.h"
#include "platform/metafile/text.h"
#include "testing.h"
#include "wmfbuilder.h"

#include <QtTest>

using namespace wmftest;
using Input = wmf::RasterOp::Input;
using Mode = QPainter::CompositionMode;
Q_DECLARE_METATYPE(std::vector<lumora::PlacedText>)

class MetafilePartsTest : public QObject {
    Q_OBJECT
private slots:
    void rasterOps_data() {
        QTest::addColumn<quint32>("rop");
        QTest::addColumn<bool>("source"); // the record has a bitmap
        QTest::addColumn<int>("modes");   // 2 raster modes, 1 blend modes only, 0 neither
        QTest::addColumn<int>("input");   // -1: not drawn
        QTest::addColumn<bool>("invert");
        QTest::addColumn<int>("mode");
        auto row = [](const char* name, quint32 rop, bool source, int modes, int input,
                      bool invert = false, Mode mode = QPainter::CompositionMode_SourceOver) {
            QTest::newRow(name) << rop << source << modes << input << invert << int(mode);
        };
        row("D leaves the destination", 0x00AA0029, false, 2, int(Input::Nothing));
        row("pattern copy", 0x00F00021, false, 0, int(Input::Pattern));
        row("source copy", 0x00CC0020, true, 0, int(Input::Source));
        row("source copy without a source", 0x00CC0020, false, 2, -1);
        row("inverted source", 0x00330008, true, 0, int(Input::Source), true);
        row("pattern xor", 0x005A0049, false, 2, int(Input::Pattern), false,
            QPainter::RasterOp_SourceXorDestination);
        row("pattern xor, blending", 0x005A0049, false, 1, int(Input::Pattern), false,
            QPainter::CompositionMode_Difference);
        row("pattern xor, neither", 0x005A0049, false, 0, -1);
        row("destination inverted", 0x00550009, false, 2, int(Input::White), false,
            QPainter::RasterOp_NotDestination);
        row("source and", 0x008800C6, true, 1, int(Input::Source), false,
            QPainter::CompositionMode_Multiply);
        row("not source or", 0x00BB0226, true, 2, int(Input::Source), true,
            QPainter::RasterOp_SourceOrDestination);
        row("source and not destination", 0x00440328, true, 2, int(Input::Source), false,
            QPainter::RasterOp_SourceAndNotDestination);
        row("source and not destination, blending", 0x00440328, true, 1, -1);
        row("blackness", 0x00000042, false, 0, int(Input::Black));
        row("whiteness", 0x00FF0062, true, 0, int(Input::White));
        row("pattern and source", 0x00C000CA, true, 2, -1);
        row("all three", 0x00B8074A, true, 2, -1);
    }
    void rasterOps() {
        QFETCH(quint32, rop);
        QFETCH(bool, source);
        QFETCH(int, modes);
        QFETCH(int, input);
        const auto op = wmf::rasterOp(rop, source, modes == 2, modes >= 1);
        QCOMPARE(op.has_value(), input >= 0);
        if (op) {
            QCOMPARE(int(op->input), input);
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
        auto row = [](const char* face, int charset, const QByteArray& bytes, const char* text,
                      QList<int> first = {}) {
            QTest::addRow("%s %d", face, charset)
                << QByteArray(face) << charset << bytes << QString::fromUtf8(text) << first;
        };
        row("Euclid Symbol", 0, "\xB9\xEC\xED\xEE", "≠⎧⎨⎩");
        row("MT Extra", 0, "\x4C\x6C\xA1\x26\x31", "⋯ℓℝ˙□");
        row("Euclid Math One", 0, "LAb", "ℒ𝒜□");
        row("Euclid Math Two", 0, "RZ", "ℝℤ");
        row("Wingdings", 2, "!\"J\xFC", "✏✂☺✓");
        row("Webdings", 2, "4", "▶");
        row("Marlett", 2, "r", "✕");
        row("Symbol", 0, "abg\x80", "αβγ□");
        row("Nonesuch Dingbats", 2, "ab", "ab");
        row("Arial", 161, "\xE1\xE2", "αβ");
        row("Arial", 0, "caf\xE9 \x80", "café €");
        row("MS Mincho", 128,
            "\x82\xA0"
            "a\x82\xA2",
            "あaい", {0, 2, 3});
        row("SimSun", 134, "\xC4\xE3\xBA\xC3", "你好", {0, 2});
        row("MS Gothic", 128, "a\x82", "a\uFFFD", {0, 1}); // a lead byte with nothing after it
    }
    void decodeText() {
        QFETCH(QByteArray, face);
        QFETCH(int, charset);
        QFETCH(QByteArray, bytes);
        QFETCH(QList<int>, firstBytes);
        const wmf::DecodedText decoded = wmf::decodeText(bytes, charset, QString::fromLatin1(face));
        QTEST(decoded.text(), "text");
        QCOMPARE(decoded.faceOwnLayout, face == "Nonesuch Dingbats");
        QList<int> first;
        for (const wmf::DrawnChar& c : decoded.chars)
            first << c.firstByte;
        if (firstBytes.isEmpty()) // one character a byte, unless the row says
            for (int i = 0; i < bytes.size(); ++i)
                firstBytes.append(i);
        QCOMPARE(first, firstBytes);
    }

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
        QTEST(readingOrderText(pieces), "text");
    }

    void clipping() {
        const QRectF box(0, 0, 100, 100);
        QCOMPARE(wmf::clipPolygon(QPolygonF(QRectF(-50, -50, 100, 100)), box).boundingRect(),
                 QRectF(0, 0, 50, 50));
        QVERIFY(wmf::clipPolygon(QPolygonF({{200, 0}, {300, 0}, {250, 50}}), box).isEmpty());
        const auto runs =
            wmf::clipPolyline({{-10, 50}, {50, 50}, {50, 150}, {60, 150}, {60, 50}}, box);
        QCOMPARE(runs.size(), size_t(2));
        QCOMPARE(runs[0].first(), QPointF(0, 50));
        QCOMPARE(runs[1].last(), QPointF(60, 50));
        QCOMPARE(wmf::pixelRect(QRectF(0.4, 0.4, 2.2, 2.2)), QRect(0, 0, 3, 3));
        QVERIFY(wmf::pixelRect(QRectF(0.6, 0.6, 0.2, 0.2)).isEmpty());
    }

    void bitmaps_data() {
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("topDown");
        for (int bits : {1, 4, 8, 16, 24, 32})
            QTest::addRow("%d bits", bits) << bits << false;
        QTest::newRow("top down") << 24 << true;
    }
    void bitmaps() {
        QFETCH(int, bits);
        QFETCH(bool, topDown);
        const QRgb other = bits == 1 ? White : Red; // a one-bit bitmap has two colours
        const QByteArray data = dib(bits, 2, 2, {Black, White, other, Black}, topDown);
        QImage image;
        bool down = false;
        QCOMPARE(wmf::decodeDib(reinterpret_cast<const uchar*>(data.constData()), data.size(), 0,
                                {}, image, down),
                 wmf::Decode::Ok);
        QCOMPARE(down, topDown);
        QCOMPARE(at(image, 0, 0), Black);
        QCOMPARE(at(image, 1, 0), White);
        QCOMPARE(at(image, 0, 1), other);
    }

    void objectTable() {
        wmf::ObjectTable table;
        for (int i = 0; i < 3; ++i)
            QVERIFY(table.add(wmf::PenObj{i}));
        QVERIFY(table.remove(1) && !table.remove(1) && !table.remove(7) && !table.at(-1));
        QVERIFY(table.remove(0));
        QVERIFY(table.add(wmf::BrushObj{})); // the lowest free slot
        QVERIFY(std::holds_alternative<wmf::BrushObj>(*table.at(0)));
        QVERIFY(!table.at(1));
        QCOMPARE(std::get<wmf::PenObj>(*table.at(2)).style, 2);
    }
};

LUMORA_TEST(MetafilePartsTest)
#include "tst_metafile_parts.moc"
