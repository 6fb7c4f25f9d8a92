// The screen registry: a screen whose load step fails is not kept half made.
#include "shell/screens.h"
#include "testapp.h"

#include <QtTest>

using namespace lumora;

struct Failing : Screen {
    explicit Failing(App& app) : Screen(app, QStringLiteral("failing")) {}
    void load() override { throw std::runtime_error("no"); }
};

class ScreensTest : public QObject {
    Q_OBJECT
private slots:
    void aLoadStepThatFailsLeavesNothingBehind() {
        testing::TestApp t;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, t.app.screens.get<Failing>("failing"));
        QVERIFY(!t.app.screens.isLoaded("failing"));
    }
};

LUMORA_TEST(ScreensTest)
#include "tst_screens.moc"
