// Where files live: designed names resolved in the working folder whatever their
// case, and the places of an installed program.
#include "platform/commandline.h"
#include "platform/places.h"
#include "platform/respath.h"
#include "testing.h"

#include <QtTest>

using namespace lumora;

namespace {

// Sets the places for one test and puts the designed ones back afterwards.
struct UsePlaces {
    explicit UsePlaces(const Places& p) { setPlaces(p); }
    ~UsePlaces() { setPlaces({}); }
};

} // namespace

class PlacesTest : public QObject {
    Q_OBJECT
private slots:
    void findsFilesWhateverTheCase_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("backslash") << "Images\\corvinus2.jpg" << "Images/corvinus2.jpg";
        QTest::newRow("folder case") << "images\\corvinus2.jpg" << "Images/corvinus2.jpg";
        QTest::newRow("both cases") << "WMF2\\KEY TIBERANA.WMF" << "wmf2/key Tiberana.wmf";
        QTest::newRow("exact case wins") << "multiple\\Track.txt" << "multiple/Track.txt";
        QTest::newRow("missing file keeps its name") << "Images\\no.jpg" << "Images/no.jpg";
        QTest::newRow("missing folder") << "Nowhere\\Else.txt" << "Nowhere/Else.txt";
    }
    void findsFilesWhateverTheCase() {
        QFETCH(QString, name);
        QFETCH(QString, path);
        testing::ScratchFolder dir;
        dir.write("Images/corvinus2.jpg", "x");
        dir.write("multiple/track.txt", "mine");
        dir.write("multiple/Track.txt", "other");
        dir.write("wmf2/key Tiberana.wmf", "x");
        QCOMPARE(resourcePath(name), path);
        QVERIFY(!resourceExists("Images")); // a folder is not a resource
    }

    // Where the content and the worksheets are, for each way of starting.
    void discovery_data() {
        QTest::addColumn<bool>("contentHere");
        QTest::addColumn<bool>("catalogueHere");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("worksheets");
        QTest::newRow("in a content folder") << true << true << true << "" << "";
        QTest::newRow("content folder, not installed") << true << false << false << "" << "";
        QTest::newRow("installed, from home") << false << false << true << "I" << "H";
        QTest::newRow("installed, class folder") << false << true << true << "I" << "W";
        QTest::newRow("not installed anywhere") << false << false << false << "W" << "H";
    }
    void discovery() {
        QFETCH(bool, contentHere);
        QFETCH(bool, catalogueHere);
        QFETCH(bool, installed);
        QFETCH(QString, content);
        QFETCH(QString, worksheets);
        testing::ScratchFolder dir;
        const QString work = dir.path() + "/work", prefix = dir.path() + "/opt/lumora";
        const QString home = dir.path() + "/home/.local/share";
        QDir().mkpath(work);
        QDir().mkpath(prefix + "/bin");
        auto addContent = [&](const QString& folder) {
            dir.write(folder + "/WMF/guide1.wmf", "x");
            dir.write(folder + "/Images/corvinus2.jpg", "x");
        };
        if (contentHere)
            addContent("work");
        if (catalogueHere)
            dir.write("work/multiple/track.txt", " 0 \r\n");
        if (installed)
            addContent("opt/lumora/share/lumora");
        const QMap<QString, QString> folders{{"", ""},
                                             {"I", prefix + "/share/lumora"},
                                             {"W", work},
                                             {"H", home + "/lumora"}};
        const Places p = discoverPlaces(work, prefix + "/bin", home);
        QCOMPARE(p.content, folders[content]);
        QCOMPARE(p.worksheets, folders[worksheets]);

        // The user's folder is made once, with the empty catalogue; a class's is
        // left as it is.
        prepareWorksheetFolder(p);
        if (worksheets == "H")
            QCOMPARE(dir.read("home/.local/share/lumora/multiple/track.txt"), QByteArray(" 0 \r\n"));
        QCOMPARE(dir.exists("home"), worksheets == "H");
    }

    // Installed: the content is read from share/lumora, the worksheets from the
    // user's folder; a topic quiz is never taken from the worksheets.
    void installedNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("picture") << "Images\\corvinus2.jpg" << "C/Images/corvinus2.jpg";
        QTest::newRow("topic quiz") << "multiple\\Tiberan.txt" << "C/multiple/Tiberan.txt";
        QTest::newRow("topic quiz, other case") << "MULTIPLE/tiberan.txt" << "C/multiple/Tiberan.txt";
        QTest::newRow("catalogue") << "multiple\\track.txt" << "W/multiple/track.txt";
        QTest::newRow("worksheet") << "multiple/Fractions.txt" << "W/multiple/Fractions.txt";
    }
    void installedNames() {
        QFETCH(QString, name);
        QFETCH(QString, path);
        testing::ScratchFolder dir;
        dir.write("C/multiple/Tiberan.txt", "x");
        dir.write("C/Images/corvinus2.jpg", "x");
        dir.write("W/multiple/tiberan.txt", "a teacher's copy");
        dir.write("W/multiple/track.txt", " 0 \r\n");
        UsePlaces use({dir.path() + "/C", dir.path() + "/W"});
        QCOMPARE(resourcePath(name), dir.path() + '/' + path);
    }

    void productFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("product");
        for (const char* f : {"track.txt", "TRACK.TXT", "Tiberan.txt", "joris malten.txt"})
            QTest::newRow(f) << QString::fromLatin1(f) << true;
        for (const char* f : {"track2.txt", "Tiberan week 2.txt", "Joris.txt"})
            QTest::newRow(f) << QString::fromLatin1(f) << false;
    }
    void productFiles() {
        QFETCH(QString, file);
        QFETCH(bool, product);
        QCOMPARE(isProductFile(file), product);
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("starts"); // what the reply starts with; empty: the program starts
        QTest::newRow("none") << QStringList{} << "";
        QTest::newRow("others ignored") << QStringList{"-x", "file.txt"} << "";
        QTest::newRow("version") << QStringList{"--version"} << "lumora " LUMORA_VERSION "\n";
        QTest::newRow("help") << QStringList{"--help"} << "Usage: lumora";
        QTest::newRow("short help among others") << QStringList{"x", "-h"} << "Usage: lumora";
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, starts);
        const auto reply = commandLineReply(arguments);
        QCOMPARE(reply.has_value(), !starts.isEmpty());
        if (reply)
            QVERIFY2(reply->startsWith(starts), qPrintable(*reply));
    }
};

LUMORA_TEST(PlacesTest)
#include "tst_places.moc"
