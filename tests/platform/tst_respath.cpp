#include "platform/respath.h"
#include "testing.h"

#include <QtTest>

using namespace lumora;

class ResourcePathTest : public QObject {
    Q_OBJECT
private slots:
    void findsFilesWhateverTheCase_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("exact, backslash") << "Images\\corvinus2.jpg"
                                          << "Images/corvinus2.jpg";
        QTest::newRow("forward slash") << "multiple/track.txt"
                                       << "multiple/track.txt";
        QTest::newRow("folder case") << "images\\corvinus2.jpg"
                                     << "Images/corvinus2.jpg";
        QTest::newRow("file case") << "wmf\\Key Tiberana.wmf"
                                   << "wmf/key Tiberana.wmf";
        QTest::newRow("both") << "WMF2\\KEY TIBERANA.WMF"
                              << "wmf2/key Tiberana.wmf";
        QTest::newRow("blank in the name") << "multiple\\Joris Malten.txt"
                                           << "multiple/Joris Malten.txt";
        QTest::newRow("missing file keeps its name") << "Images\\nothere.jpg"
                                                     << "Images/nothere.jpg";
        QTest::newRow("missing folder keeps the rest") << "Nowhere\\Else.txt"
                                                       << "Nowhere/Else.txt";
    }
    void findsFilesWhateverTheCase() {
        QFETCH(QString, name);
        QFETCH(QString, path);
        testing::ScratchFolder dir;
        dir.write("Images/corvinus2.jpg", "x");
        dir.write("multiple/track.txt", " 0 \r\n");
        dir.write("multiple/Joris Malten.txt", "x");
        dir.write("wmf/key Tiberana.wmf", "x");
        dir.write("wmf2/key Tiberana.wmf", "x");
        QCOMPARE(resourcePath(name), path);
    }

    void exactCaseWinsOverAnother() {
        testing::ScratchFolder dir;
        dir.write("multiple/Track.txt", "other");
        dir.write("multiple/track.txt", "mine");
        QCOMPARE(resourcePath("multiple\\track.txt"), QStringLiteral("multiple/track.txt"));
        QCOMPARE(resourcePath("multiple\\Track.txt"), QStringLiteral("multiple/Track.txt"));
    }

    void existsOnlyForFiles() {
        testing::ScratchFolder dir;
        dir.write("Images/a.jpg", "x");
        QVERIFY(resourceExists("IMAGES\\A.JPG"));
        QVERIFY(!resourceExists("Images"));
        QVERIFY(!resourceExists("Images\\b.jpg"));
    }
};

LUMORA_TEST(ResourcePathTest)
#include "tst_respath.moc"
