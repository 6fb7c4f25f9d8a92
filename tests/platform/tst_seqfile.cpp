#include "platform/seqfile.h"
#include "testing.h"

#include <QtTest>
#include <sys/stat.h>

using namespace lumora;

class SequentialFileTest : public QObject {
    Q_OBJECT
private slots:
    void fields_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("fields");
        auto row = [](const char* tag, const QByteArray& bytes, const QStringList& fields) {
            QTest::newRow(tag) << bytes << fields;
        };
        row("nothing", "", {});
        row("comma inside a line", "Tiberan, Malten\r\nx\r\n", {"Tiberan", "Malten", "x"});
        row("leading blanks skipped", "   a b \r\n\tc\r\n", {"a b ", "c"});
        row("single blank line is empty", "a\r\n \r\nb\r\n", {"a", "", "b"});
        row("blank line", "a\r\n\r\nb\r\n", {"a", "", "b"});
        row("quoted field keeps its comma", "\"one, two\"\r\nthree\r\n", {"one, two", "three"});
        row("after the closing quote is dropped", "\"ab\"cd,e\r\n", {"ab", "e"});
        row("quote runs over a line end", "\"a\r\nb\"\r\nc\r\n", {"a\r\nb", "c"});
        row("unclosed quote runs to the end", "\"abc\r\n", {"abc\r\n"});
        row("last line without an end", "a\r\nb", {"a", "b"});
        row("bare LF and CR end lines", "a\nb\rc\r\n", {"a", "b", "c"});
        row("code page decoded", "\x80 5\r\n", {QStringLiteral("€ 5")});
        row("another program's UTF-8", "Caf\xc3\xa9\n\xc5\x81\n", {QStringLiteral("Café"), "Ł"});
        row("UTF-8 marked", "\xef\xbb\xbf\x61,b", {"a", "b"});
        row("a second mark is text", "\xef\xbb\xbf\xef\xbb\xbf\x61", {QStringLiteral("\ufeffa")});
        row("UTF-16 marked", QByteArray("\xff\xfe\x61\0,\0\x41\x01", 8), {"a", "Ł"});
        row("code page that is no UTF-8", "Caf\xe9\xc3\r\n", {QStringLiteral("CaféÃ")});
    }
    void fields() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, fields);
        FieldReader r(bytes);
        QStringList read;
        while (!r.atEnd())
            read << r.readField();
        QCOMPARE(read, fields);
        QVERIFY_THROWS_EXCEPTION(FileError, r.readField()); // reading past the end fails
    }

    void integers() { // -1: no number
        const std::pair<QByteArray, int> rows[] = {
            {" 3 \r\n", 3}, {"12\r\n", 12}, {"three\r\n", -1}, {"\r\n", -1}, {"2.5\r\n", -1}};
        for (const auto& [bytes, value] : rows) {
            FieldReader r(bytes);
            if (value >= 0)
                QCOMPARE(r.readInteger(), value);
            else
                QVERIFY_THROWS_EXCEPTION(FileError, r.readInteger());
        }
    }

    // Missing, a folder, a pipe (which would hang a reader), larger than the limit.
    void refusesWhatIsNoTextFile() {
        for (int kind = 0; kind < 4; ++kind) {
            testing::ScratchFolder dir;
            QVERIFY(kind != 1 || QDir().mkpath("multiple/x.txt"));
            QVERIFY(kind != 2 ||
                    (QDir().mkpath("multiple") && ::mkfifo("multiple/x.txt", 0644) == 0));
            if (kind == 3)
                dir.write("multiple/x.txt", QByteArray(101, 'a'));
            QVERIFY_THROWS_EXCEPTION(FileError, readResourceFile("multiple\\x.txt", 100));
        }
    }

    // The code page, beyond it, and text that would read back as UTF-8.
    void writesTheCodePageUnlessItWouldReadBackOtherwise() {
        const std::pair<QString, QByteArray> rows[] = {
            {QStringLiteral("Caf\u00e9 \u20ac"), "Caf\xe9 \x80\r\n"},
            {QStringLiteral("\u0141\u00f3d\u017a"), "\xef\xbb\xbf\xc5\x81\xc3\xb3"
                                                    "d\xc5\xba\r\n"},
            {QStringLiteral("\u00c3\u00a9"), "\xef\xbb\xbf\xc3\x83\xc2\xa9\r\n"}};
        for (const auto& [line, bytes] : rows) {
            QCOMPARE(encodeLines({line}), bytes);
            QCOMPARE(decodeText(bytes), line + "\r\n");
        }
    }

    void writerReplacesTheFileAndRefusesWhatTheCodePageCannotHold() {
        testing::ScratchFolder dir;
        dir.write("multiple/track.txt", "old");
        LineWriter w("multiple\\track.txt");
        w.writeLine(" 1 ");
        QVERIFY_THROWS_EXCEPTION(FileError, w.writeLine(QStringLiteral("\u03c0")));
        w.writeLine(QStringLiteral("Caf\u00e9"));
        w.commit();
        QCOMPARE(dir.read("multiple/track.txt"), QByteArray(" 1 \r\nCaf\xe9\r\n"));
        QCOMPARE(dir.list("multiple"), QStringList{"track.txt"}); // no temporary left
    }

    void removesOnlyItsOwnStaleTemporaries() {
        testing::ScratchFolder dir;
        for (const char* name : {".track.txt.lumora-Ab12Cd", ".Week 3.txt.lumora-000000",
                                 "Week 3.txt", ".lumora-lock", "a.lumora-Ab12Cd", ".notes"})
            dir.write(QStringLiteral("multiple/") + name, "x");
        removeStaleTemporaries("multiple");
        QCOMPARE(QDir("multiple").entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{".lumora-lock", ".notes", "Week 3.txt", "a.lumora-Ab12Cd"}));
    }
};

LUMORA_TEST(SequentialFileTest)
#include "tst_seqfile.moc"
