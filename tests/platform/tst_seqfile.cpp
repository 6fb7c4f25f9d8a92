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
        QTest::newRow("nothing") << QByteArray() << QStringList{};
        QTest::newRow("comma inside a line")
            << QByteArray("Tiberan, Malten\r\nx\r\n") << QStringList{"Tiberan", "Malten", "x"};
        QTest::newRow("leading blanks skipped")
            << QByteArray("   a b \r\n\tc\r\n") << QStringList{"a b ", "c"};
        QTest::newRow("single blank line is empty")
            << QByteArray("a\r\n \r\nb\r\n") << QStringList{"a", "", "b"};
        QTest::newRow("blank line") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
        QTest::newRow("quoted field keeps its comma")
            << QByteArray("\"one, two\"\r\nthree\r\n") << QStringList{"one, two", "three"};
        QTest::newRow("after the closing quote is dropped")
            << QByteArray("\"ab\"cd,e\r\n") << QStringList{"ab", "e"};
        QTest::newRow("quote runs over a line end")
            << QByteArray("\"a\r\nb\"\r\nc\r\n") << QStringList{"a\r\nb", "c"};
        QTest::newRow("unclosed quote runs to the end")
            << QByteArray("\"abc\r\n") << QStringList{"abc\r\n"};
        QTest::newRow("last line without an end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("bare LF and CR end lines")
            << QByteArray("a\nb\rc\r\n") << QStringList{"a", "b", "c"};
        QTest::newRow("code page decoded")
            << QByteArray("\x80 5\r\n") << QStringList{QStringLiteral("€ 5")};
        QTest::newRow("another program's UTF-8")
            << QByteArray("Caf\xc3\xa9\n\xc5\x81\n") << QStringList{QStringLiteral("Café"), "Ł"};
        QTest::newRow("UTF-8 marked") << QByteArray("\xef\xbb\xbf\x61,b") << QStringList{"a", "b"};
        QTest::newRow("a second mark is text")
            << QByteArray("\xef\xbb\xbf\xef\xbb\xbf\x61") << QStringList{QStringLiteral("\ufeffa")};
        QTest::newRow("UTF-16 marked")
            << QByteArray("\xff\xfe\x61\0,\0\x41\x01", 8) << QStringList{"a", "Ł"};
        QTest::newRow("code page that is no UTF-8")
            << QByteArray("Caf\xe9\xc3\r\n") << QStringList{QStringLiteral("CaféÃ")};
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

    void integers_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("value"); // -1: no number
        QTest::newRow("count line") << QByteArray(" 3 \r\n") << 3;
        QTest::newRow("no blanks") << QByteArray("12\r\n") << 12;
        QTest::newRow("words") << QByteArray("three\r\n") << -1;
        QTest::newRow("empty") << QByteArray("\r\n") << -1;
        QTest::newRow("decimal") << QByteArray("2.5\r\n") << -1;
    }
    void integers() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, value);
        FieldReader r(bytes);
        if (value >= 0)
            QCOMPARE(r.readInteger(), value);
        else
            QVERIFY_THROWS_EXCEPTION(FileError, r.readInteger());
    }

    void refusesWhatIsNoTextFile_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("missing") << 0;
        QTest::newRow("a folder") << 1;
        QTest::newRow("a pipe, which would hang a reader") << 2;
        QTest::newRow("larger than the limit") << 3;
    }
    void refusesWhatIsNoTextFile() {
        QFETCH(int, kind);
        testing::ScratchFolder dir;
        if (kind == 1)
            QVERIFY(QDir().mkpath("multiple/x.txt"));
        if (kind == 2)
            QVERIFY(QDir().mkpath("multiple") && ::mkfifo("multiple/x.txt", 0644) == 0);
        if (kind == 3)
            dir.write("multiple/x.txt", QByteArray(101, 'a'));
        QVERIFY_THROWS_EXCEPTION(FileError, readResourceFile("multiple\\x.txt", 100));
    }

    void writesTheCodePageUnlessItWouldReadBackOtherwise_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("code page")
            << QStringLiteral("Caf\u00e9 \u20ac") << QByteArray("Caf\xe9 \x80\r\n");
        QTest::newRow("beyond it") << QStringLiteral("\u0141\u00f3d\u017a")
                                   << QByteArray("\xef\xbb\xbf\xc5\x81\xc3\xb3"
                                                 "d\xc5\xba\r\n");
        QTest::newRow("would read as UTF-8")
            << QStringLiteral("\u00c3\u00a9") << QByteArray("\xef\xbb\xbf\xc3\x83\xc2\xa9\r\n");
    }
    void writesTheCodePageUnlessItWouldReadBackOtherwise() {
        QFETCH(QString, line);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encodeLines({line}), bytes);
        QCOMPARE(decodeText(bytes), line + "\r\n");
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
