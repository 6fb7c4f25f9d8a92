// Where files live: designed names resolved in the working folder whatever their
// case, and the places of an installed program.
#include "platform/commandline.h"
#include "platform/places.h"
#include "platform/respath.h"
#include "testing.h"

#include <QScopeGuard>
#include <QtTest>

using namespace lumora;

class PlacesTest : public QObject {
    Q_OBJECT
private slots:
    // Designed names resolved whatever their case, in the working folder or, installed,
    // with the content in C and the worksheets in W: a topic quiz is never taken
    // from the worksheets.
    void resolvingNames_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        const struct {
            const char *tag, *name, *path;
            bool installed;
        } rows[] = {
            {"backslash", "Images\\corvinus2.jpg", "Images/corvinus2.jpg", false},
            {"folder case", "images\\corvinus2.jpg", "Images/corvinus2.jpg", false},
            {"both cases", "WMF2\\KEY TIBERANA.WMF", "wmf2/key Tiberana.wmf", false},
            {"exact case wins", "multiple\\Track.txt", "multiple/Track.txt", false},
            {"missing file keeps its name", "Images\\no.jpg", "Images/no.jpg", false},
            {"missing folder", "Nowhere\\Else.txt", "Nowhere/Else.txt", false},
            {"installed picture", "Images\\corvinus2.jpg", "C/Images/corvinus2.jpg", true},
            {"topic quiz", "multiple\\Tiberan.txt", "C/multiple/Tiberan.txt", true},
            {"topic quiz, other case", "MULTIPLE/tiberan.txt", "C/multiple/Tiberan.txt", true},
            {"catalogue", "multiple\\track.txt", "W/multiple/track.txt", true},
            {"worksheet", "multiple/Fractions.txt", "W/multiple/Fractions.txt", true}};
        for (const auto& r : rows)
            QTest::newRow(r.tag) << r.installed << QString(r.name) << QString(r.path);
    }
    void resolvingNames() {
        QFETCH(bool, installed);
        QFETCH(QString, name);
        QFETCH(QString, path);
        testing::ScratchFolder dir;
        for (const char* file :
             {"Images/corvinus2.jpg", "multiple/track.txt", "multiple/Track.txt",
              "wmf2/key Tiberana.wmf", "C/multiple/Tiberan.txt", "C/Images/corvinus2.jpg",
              "W/multiple/tiberan.txt", "W/multiple/track.txt"})
            dir.write(file, "x");
        if (installed)
            setPlaces({dir.path() + "/C", dir.path() + "/W"});
        auto designed = qScopeGuard([] { setPlaces({}); });
        QCOMPARE(resourcePath(name).remove(dir.path() + '/'), path);
        QVERIFY(!resourceExists("Images")); // a folder is not a resource
    }

    // Where the content and the worksheets are, for each way of starting.
    void discovery_data() {
        QTest::addColumn<bool>("contentHere");
        QTest::addColumn<bool>("catalogueHere");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("worksheets");
        QTest::newRow("in a content folder") << true << true << true << QString() << QString();
        QTest::newRow("content folder, not installed") << true << false << false << "" << QString();
        QTest::newRow("installed, from home") << false << false << true << "I" << QString("H");
        QTest::newRow("installed, class folder") << false << true << true << "I" << QString("W");
        QTest::newRow("not installed anywhere") << false << false << false << "W" << QString("H");
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
        for (const char* folder :
             {contentHere ? "work" : "", installed ? "opt/lumora/share/lumora" : ""})
            for (const char* file : {"/WMF/guide1.wmf", "/Images/corvinus2.jpg"})
                if (*folder)
                    dir.write(folder + QString(file), "x");
        if (catalogueHere)
            dir.write("work/multiple/track.txt", " 0 \r\n");
        const QMap<QString, QString> folders{
            {"", ""}, {"I", prefix + "/share/lumora"}, {"W", work}, {"H", home + "/lumora"}};
        const Places p = discoverPlaces(work, prefix + "/bin", home);
        QCOMPARE(p.content, folders[content]);
        QCOMPARE(p.worksheets, folders[worksheets]);
        // The user's folder is made once, with the empty catalogue; a class's is
        // left as it is.
        prepareWorksheetFolder(p);
        const QByteArray made = worksheets == "H" ? " 0 \r\n" : "";
        QCOMPARE(dir.read("home/.local/share/lumora/multiple/track.txt"), made);
        QCOMPARE(dir.exists("home"), worksheets == "H");
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
        QTest::addColumn<QString>("starts"); // empty: the program starts
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
