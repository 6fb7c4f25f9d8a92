#include "shell/screens.h"
#include "testapp.h"

#include <QCloseEvent>
#include <QPointer>
#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

namespace {

// A screen that notes when its load step runs and what it saw.
class Probe : public Screen {
public:
    Probe(App& app, int* loads) : Screen(app, QStringLiteral("probe")), m_loads(loads) {}
    void load() override {
        ++*m_loads;
        seenPage = app.state.pagenum;
        caption = QStringLiteral("design");
    }
    int seenPage = -1;
    QString caption;

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
    void firstAccessLoadsBeforeReturning() {
        TestApp t;
        int loads = 0;
        t.app.state.pagenum = 3; // the opener sets the shared state first
        Probe& p = t.app.screens.get<Probe>("probe", &loads);
        QCOMPARE(loads, 1);
        QCOMPARE(p.seenPage, 3);
        QCOMPARE(p.objectName(), QStringLiteral("probe"));
        p.caption = "filled by the opener";
        QCOMPARE(&t.app.screens.get<Probe>("probe", &loads), &p); // no second load
        QCOMPARE(loads, 1);
        QVERIFY(!p.isVisible()); // touching does not show
    }

    void unloadForgetsAtOnceAndDeletesLater() {
        TestApp t;
        int loads = 0;
        QPointer<Probe> first = &t.app.screens.get<Probe>("probe", &loads);
        first->showInFront();
        t.app.screens.unload(first);
        QVERIFY(!t.app.screens.isLoaded("probe"));
        QVERIFY(first); // still there while its handler might be running
        QVERIFY(!first->isVisible());
        Probe& second = t.app.screens.get<Probe>("probe", &loads);
        QVERIFY(&second != first.data());
        QCOMPARE(second.caption, QStringLiteral("design"));
        QCOMPARE(loads, 2);
        settle();
        QVERIFY(!first); // gone once events ran
    }

    void closingFromTheFrameUnloads() {
        TestApp t;
        int loads = 0;
        QPointer<Probe> p = &t.app.screens.get<Probe>("probe", &loads);
        p->showInFront();
        QVERIFY(p->close() == false); // the registry, not the frame, removes it
        QVERIFY(!t.app.screens.isLoaded("probe"));
        settle();
        QVERIFY(!p);
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
