#include "shell/screens.h"
#include "testapp.h"

#include <QGuiApplication>
#include <QPointer>
#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

namespace {

// A screen that counts its loads and notes what the shared state held then.
class Probe : public Screen {
public:
    Probe(App& app, int* loads) : Screen(app, QStringLiteral("probe")), m_loads(loads) {}
    void load() override {
        ++*m_loads;
        seenPage = app.state.pagenum;
    }
    int seenPage = -1;

private:
    int* m_loads;
};

class Failing : public Screen {
public:
    explicit Failing(App& app) : Screen(app, QStringLiteral("failing")) {}
    void load() override { throw std::runtime_error("no"); }
};

} // namespace

class ScreensTest : public QObject {
    Q_OBJECT
private slots:
    // The first access loads once, before it returns; later ones find the same screen.
    void loadsOnFirstAccessAndUnloadsByExitOrFrame_data() {
        QTest::addColumn<bool>("byFrame");
        QTest::newRow("unloaded") << false;
        QTest::newRow("closed from its frame") << true;
    }
    void loadsOnFirstAccessAndUnloadsByExitOrFrame() {
        QFETCH(bool, byFrame);
        TestApp t;
        int loads = 0;
        t.app.state.pagenum = 3; // the opener sets the shared state first
        QPointer<Probe> first = &t.app.screens.get<Probe>("probe", &loads);
        QCOMPARE(first->seenPage, 3);
        QCOMPARE(&t.app.screens.get<Probe>("probe", &loads), first.data());
        QCOMPARE(loads, 1);
        QVERIFY(!first->isVisible()); // touching does not show
        first->showInFront();
        if (byFrame)
            QVERIFY(!first->close()); // the registry, not the frame, removes it
        else
            t.app.screens.unload(first);
        QVERIFY(!t.app.screens.isLoaded("probe"));
        QVERIFY(first); // still there while its handler might be running
        QVERIFY(!first->isVisible());
        QVERIFY(&t.app.screens.get<Probe>("probe", &loads) != first.data());
        QCOMPARE(loads, 2);
        settle();
        QVERIFY(!first); // gone once events ran
        QCOMPARE(t.endings, 0);
    }

    void aLoadStepThatFailsLeavesNothingBehind() {
        TestApp t;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, t.app.screens.get<Failing>("failing"));
        QVERIFY(!t.app.screens.isLoaded("failing"));
    }
};

LUMORA_TEST(ScreensTest)
#include "tst_screens.moc"
