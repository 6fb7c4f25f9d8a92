// The metafile player's pure parts, each on its own: raster operations, text and
// symbol fonts, reading order and the DIB decoder.
#include "platform/metafile/dib.h"
#include "platform/metafile/rasterop.h"
#include "platform/metafile/text.h"
#include "testing.h"
#include "wmfbuilder.h"

#include <QtTest>

using namespace wmftest;
using Input = wmf::RasterOp::Input;
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
        const int none = -1, nothing = int(Input::Nothing), pattern = int(Input::Pattern),
                  source = int(Input::Source), over = QPainter::CompositionMode_SourceOver;
        // clang-format off
        QTest::newRow("D leaves the destination") << 0x00AA0029u << false << 2 << nothing << false << over;
        QTest::newRow("pattern copy") << 0x00F00021u << false << 0 << pattern << false << over;
        QTest::newRow("source copy") << 0x00CC0020u << true << 0 << source << false << over;
        QTest::newRow("source copy without a source") << 0x00CC0020u << false << 2 << none << false << over;
        QTest::newRow("inverted source") << 0x00330008u << true << 0 << source << true << over;
        QTest::newRow("pattern xor") << 0x005A0049u << false << 2 << pattern << false << int(QPainter::RasterOp_SourceXorDestination);
        QTest::newRow("pattern xor, blending") << 0x005A0049u << false << 1 << pattern << false << int(QPainter::CompositionMode_Difference);
        QTest::newRow("pattern xor, neither") << 0x005A0049u << false << 0 << none << false << over;
        QTest::newRow("destination inverted") << 0x00550009u << false << 2 << int(Input::White) << false << int(QPainter::RasterOp_NotDestination);
        QTest::newRow("source and, blending") << 0x008800C6u << true << 1 << source << false << int(QPainter::CompositionMode_Multiply);
        QTest::newRow("not source or") << 0x00BB0226u << true << 2 << source << true << int(QPainter::RasterOp_SourceOrDestination);
        QTest::newRow("source and not destination") << 0x00440328u << true << 2 << source << false << int(QPainter::RasterOp_SourceAndNotDestination);
        QTest::newRow("source and not destination, blending") << 0x00440328u << true << 1 << none << false << over;
        QTest::newRow("blackness") << 0x00000042u << false << 0 << int(Input::Black) << false << over;
        QTest::newRow("pattern and source") << 0x00C000CAu << true << 2 << none << false << over;
        QTest::newRow("all three") << 0x00B8074Au << true << 2 << none << false << over;
        // clang-format on
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
        // clang-format off
        QTest::newRow("equation extras") << QByteArray("MT Extra") << 0 << QByteArray("\x4C\x6C\xA1\x26\x31") << "⋯ℓℝ˙□" << QList<int>{};
        QTest::newRow("script letters") << QByteArray("Euclid Math One") << 0 << QByteArray("LAb") << "ℒ𝒜□" << QList<int>{};
        QTest::newRow("media controls") << QByteArray("Webdings") << 2 << QByteArray("4;") << "▶⏸" << QList<int>{};
        QTest::newRow("window controls") << QByteArray("Marlett") << 2 << QByteArray("r0") << "✕🗕" << QList<int>{};
        QTest::newRow("Symbol by name alone") << QByteArray("Symbol") << 0 << QByteArray("abg\x80") << "αβγ□" << QList<int>{};
        QTest::newRow("Greek code page") << QByteArray("Arial") << 161 << QByteArray("\xE1\xE2") << "αβ" << QList<int>{};
        QTest::newRow("Windows-1252") << QByteArray("Arial") << 0 << QByteArray("caf\xE9 \x80") << "café €" << QList<int>{};
        QTest::newRow("Japanese") << QByteArray("MS Mincho") << 128 << QByteArray("\x82\xA0" "a\x82\xA2") << "あaい" << QList<int>{0, 2, 3};
        QTest::newRow("Chinese") << QByteArray("SimSun") << 134 << QByteArray("\xC4\xE3\xBA\xC3") << "你好" << QList<int>{0, 2};
        QTest::newRow("lead byte cut off") << QByteArray("MS Gothic") << 128 << QByteArray("a\x82") << "a\uFFFD" << QList<int>{0, 1};
        // clang-format on
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
        // clang-format off
        QTest::newRow("lines top to bottom, pieces left to right") << std::vector<PlacedText>{{{50, 40}, "world", 10, 20}, {{10, 80}, "second", 10, 30}, {{10, 41}, "Hello", 10, 25}} << "Hello world\nsecond";
        QTest::newRow("a full stop runs on, spaces are not doubled") << std::vector<PlacedText>{{{10, 20}, "at ", 10, 15}, {{25, 20}, "84", 10, 10}, {{35, 20}, ".", 10, 3}, {{0, 5}, "  ", 10, 10}} << "at 84.";
        QTest::newRow("nothing") << std::vector<PlacedText>{} << QString();
        QTest::newRow("columns read one after the other") << page << "Heading over both\n" + ("left " + prose + '\n').repeated(3) + ("right " + prose + '\n').repeated(3) + "born wed son died";
        QTest::newRow("a table of short cells reads across") << std::vector<PlacedText>{{{0, 10}, "Trial 1", 10, 30}, {{60, 10}, "2.35 m", 10, 30}, {{0, 22}, "Trial 2", 10, 30}, {{60, 22}, "3.4 m", 10, 30}} << "Trial 1 2.35 m\nTrial 2 3.4 m";
        // clang-format on
    }
    void readingOrder() {
        QFETCH(std::vector<PlacedText>, pieces);
        QTEST(readingOrderText(pieces), "text");
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
        QCOMPARE(QList<QRgb>({at(image, 0, 0), at(image, 1, 0), at(image, 0, 1)}),
                 QList<QRgb>({Black, White, other}));
    }
};

LUMORA_TEST(MetafilePartsTest)
#include "tst_metafile_parts.moc"
