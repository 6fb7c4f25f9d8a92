#include "testapp.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>
#include <QtTest>

namespace lumora::testing {

QStringList TestApp::defaultFiles() {
    return {"Images/corvinus2.jpg", "Images/logo2.jpg", "multiple/track.txt",
            "multiple/Tiberan.txt", "multiple/Joris Malten.txt"};
}

TestApp::TestApp(const QStringList& dataFiles) {
    for (const QString& f : dataFiles)
        folder.copyFromData(f);
    app.setOnEnd([this] { ++endings; });
    app.web.setHandler([this](const QUrl& u) { opened.push_back(u); });
    app.messages.setResponder([this](const MessageRequest&) {
        if (answers.empty())
            return MessageAnswer::Ok;
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    });
}

TestApp::~TestApp() {
    app.screens.unloadAll();
    settle();
}

void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

namespace {

// The window and the point in it: events sent to the window are delivered to the
// control under the point, as the platform delivers them.
std::pair<QWindow*, QPoint> windowPoint(QWidget* widget, QPoint pos) {
    if (pos == QPoint(-1, -1))
        pos = widget->rect().center();
    QWidget* top = widget->window();
    if (!top->windowHandle())
        top->winId();
    return {top->windowHandle(), widget->mapTo(top, pos)};
}

} // namespace

void moveMouse(QWidget* widget, QPoint pos) {
    const auto [window, at] = windowPoint(widget, pos);
    QTest::mouseMove(window, at);
    settle();
}

void clickMouse(QWidget* widget, Qt::MouseButton button, QPoint pos) {
    const auto [window, at] = windowPoint(widget, pos);
    QTest::mouseClick(window, button, Qt::NoModifier, at);
    settle();
}

} // namespace lumora::testing
