// Runs every test class registered in this executable.
#include "testing.h"

#include <QApplication>
#include <QtTest>

int main(int argc, char** argv) {
    // The offscreen platform cannot stack windows and says so on every raise(); that is
    // not news to a test.
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains(QLatin1String("does not support raise()")) &&
                !message.contains(QLatin1String("XDG_RUNTIME_DIR")))
                previous(type, context, message);
        });
    // A crashing test fails at once: Qt's stack dump attaches gdb, which can hang here.
    qputenv("QTEST_DISABLE_STACK_DUMP", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    // A test that reruns part of itself in a process of its own (as another user,
    // say) names the one class to run there.
    const QByteArray only = qgetenv("LUMORA_TEST_CLASS");
    int failures = 0;
    for (const auto& make : lumora::testing::registry()) {
        auto test = make();
        if (only.isEmpty() || only == test->metaObject()->className())
            failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
