#include "platform/seqfile.h"
#include "testing.h"

#include <QtTest>
#include <csignal>
#include <sys/resource.h>

using namespace lumora;

namespace {

QStringList allFields(const QByteArray& bytes) {
    FieldReader r(bytes);
    QStringList out;
    while (!r.atEnd())
        out << r.readField();
    return out;
}

// Limits the size of any file this process writes, so that a write fails as on a
// full disk (a limit binds root too, where folder permissions do not).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim = m_old;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_old{};
    void (*m_handler)(int);
};

} // namespace

class SequentialFileTest : public QObject {
    Q_OBJECT
private slots:
    void fields_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("one a line") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
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
    }
    void fields() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, fields);
        QCOMPARE(allFields(bytes), fields);
    }

    void readingPastTheEndFails() {
        FieldReader r("only\r\n");
        QCOMPARE(r.readField(), QStringLiteral("only"));
        QVERIFY_THROWS_EXCEPTION(FileError, r.readField());
        FieldReader empty{QByteArray()};
        QVERIFY_THROWS_EXCEPTION(FileError, empty.readField());
    }

    void integers_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("count line") << QByteArray(" 3 \r\n") << true << 3;
        QTest::newRow("no blanks") << QByteArray("12\r\n") << true << 12;
        QTest::newRow("words") << QByteArray("three\r\n") << false << 0;
        QTest::newRow("empty") << QByteArray("\r\n") << false << 0;
        QTest::newRow("decimal") << QByteArray("2.5\r\n") << false << 0;
    }
    void integers() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, ok);
        QFETCH(int, value);
        FieldReader r(bytes);
        if (ok)
            QCOMPARE(r.readInteger(), value);
        else
            QVERIFY_THROWS_EXCEPTION(FileError, r.readInteger());
    }

    void openingAMissingFileFails() {
        testing::ScratchFolder dir;
        QVERIFY_THROWS_EXCEPTION(FileError, FieldReader::open("multiple\\none.txt"));
    }

    void writerEndsEveryLineWithCrLfInTheCodePage() {
        testing::ScratchFolder dir;
        dir.write("multiple/track.txt", "old");
        LineWriter w("multiple\\track.txt");
        w.writeLine(" 1 ");
        w.writeLine(QStringLiteral("Caf\u00e9 \u20ac"));
        w.commit();
        QCOMPARE(dir.read("multiple/track.txt"), QByteArray(" 1 \r\nCaf\xe9 \x80\r\n"));
        QCOMPARE(dir.list("multiple"), QStringList{"track.txt"}); // no temporary left
    }

    void writerRefusesTextTheCodePageCannotHold() {
        testing::ScratchFolder dir;
        LineWriter w("out.txt");
        w.writeLine("fine");
        QVERIFY_THROWS_EXCEPTION(FileError, w.writeLine(QStringLiteral("\u03c0")));
        QCOMPARE(w.bytes(), QByteArray("fine\r\n"));
    }

    void failedWriteLeavesTheOldFileWhole() {
        testing::ScratchFolder dir;
        const QByteArray before = " 2 \r\nFirst\r\nSecond\r\n";
        dir.write("multiple/track.txt", before);
        LineWriter w("multiple/track.txt");
        for (int i = 0; i < 200; ++i)
            w.writeLine(QStringLiteral("A long title to make the file large %1").arg(i));
        {
            FileSizeLimit limit(64);
            QVERIFY_THROWS_EXCEPTION(FileError, w.commit());
        }
        QCOMPARE(dir.read("multiple/track.txt"), before);
        QCOMPARE(dir.list("multiple"), QStringList{"track.txt"});
    }

    void writingIntoAMissingFolderFails() {
        testing::ScratchFolder dir;
        LineWriter w("nofolder/x.txt");
        w.writeLine("x");
        QVERIFY_THROWS_EXCEPTION(FileError, w.commit());
    }
};

LUMORA_TEST(SequentialFileTest)
#include "tst_seqfile.moc"
