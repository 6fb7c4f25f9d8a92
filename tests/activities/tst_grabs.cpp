// Saves pictures of the activity screens for looking at them: set LUMORA_GRAB_DIR
// to a folder and run the tests; without it this class does nothing.
#include "activitytesting.h"

#include <QDir>

using namespace lumora;
using namespace lumora::testing;

class GrabsTest : public QObject {
    Q_OBJECT
    QString m_folder;

    void save(QWidget& screen, const QString& name) {
        settle();
        QVERIFY(screen.grab().save(m_folder + '/' + name));
    }

private slots:
    void initTestCase() {
        m_folder = qEnvironmentVariable("LUMORA_GRAB_DIR");
        if (m_folder.isEmpty())
            QSKIP("LUMORA_GRAB_DIR is not set");
        m_folder = QDir(m_folder).absolutePath();
        QDir().mkpath(m_folder);
    }

    void drills() {
        // The triangular drill after a wrong click, the decimal drills after a right
        // one, caught before the first flash.
        TestApp t({"Images/triangular.jpg"});
        for (const QString name : {"triangular", "decmult", "decimals"}) {
            DrillFrame& d = openDrill(t, name);
            clickMouse(d.Label3[*boxWhere(d, name != "triangular")]);
            d.Timer1.stop();
            save(d, name + ".png");
        }
    }

    void riddle() {
        // In play: every tile placed, two of them swapped, and the score asked for.
        Puzzle p;
        const int frameOfTile[riddle::Slots] = {0, 1, 5, 3, 4, 2};
        for (int i = 0; i < riddle::Slots; ++i)
            p.dragToAnswer(i, frameOfTile[i]);
        clickMouse(p.screen.Label3[Tibpuz::CheckScore]);
        save(p.screen, "tibpuz.png");
    }
};

LUMORA_TEST(GrabsTest)
#include "tst_grabs.moc"
