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
    void resolvingNames() {
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
            {"a quiz of the content's own", "multiple/extra.TXT", "C/multiple/Extra.txt", true},
            {"worksheet", "multiple/Fractions.txt", "W/multiple/Fractions.txt", true}};
        testing::ScratchFolder dir;
        for (const char* file :
             {"Images/corvinus2.jpg", "multiple/track.txt", "multiple/Track.txt",
              "wmf2/key Tiberana.wmf", "C/multiple/Tiberan.txt", "C/multiple/Extra.txt",
              "C/Images/corvinus2.jpg", "W/multiple/tiberan.txt", "W/multiple/track.txt"})
            dir.write(file, "x");
        auto designed = qScopeGuard([] { setPlaces({}); });
        for (const auto& r : rows) {
            setPlaces(r.installed ? Places{dir.path() + "/C", dir.path() + "/W"} : Places{});
            QVERIFY2(resourcePath(r.name).remove(dir.path() + '/') == r.path, r.tag);
            QVERIFY(!resourceExists("Images")); // a folder is not a resource
        }
    }

    // Where the content and the worksheets are, for each way of starting.
    // content and worksheets: "" none, I installed, W working folder, H home.
    void discovery() {
        const struct {
            const char* tag;
            bool contentHere, catalogueHere, installed;
            const char *content, *worksheets;
        } rows[] = {{"in a content folder", true, true, true, "", ""},
                    {"content folder, not installed", true, false, false, "", ""},
                    {"installed, from home", false, false, true, "I", "H"},
                    {"installed, class folder", false, true, true, "I", "W"},
                    {"not installed anywhere", false, false, false, "W", "H"}};
        for (const auto& [tag, contentHere, catalogueHere, installed, content, worksheets] : rows) {
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
            QVERIFY2(p.content == folders[content] && p.worksheets == folders[worksheets], tag);
            // The user's folder is made once, with the empty catalogue; a class's is
            // left as it is.
            prepareWorksheetFolder(p);
            const bool atHome = QLatin1String(worksheets) == "H";
            QCOMPARE(dir.read("home/.local/share/lumora/multiple/track.txt"),
                     QByteArray(atHome ? " 0 \r\n" : ""));
            QCOMPARE(dir.exists("home"), atHome);
        }
    }

    void productFiles() {
        for (const char* f : {"track.txt", "TRACK.TXT", "Tiberan.txt", "joris malten.txt"})
            QVERIFY2(isProductFile(f), f);
        for (const char* f : {"track2.txt", "Tiberan week 2.txt", "Joris.txt"})
            QVERIFY2(!isProductFile(f), f);
    }

    // --version answers and ends the program; anything else starts it.
    void commandLine() {
        QCOMPARE(commandLineReply({"--version"}).value_or(""), "lumora " LUMORA_VERSION "\n");
        QVERIFY(!commandLineReply({"-x", "file.txt"}));
    }
};

LUMORA_TEST(PlacesTest)
#include "tst_places.moc"
