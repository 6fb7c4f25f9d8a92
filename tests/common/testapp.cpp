#include "testapp.h"

#include "navigation/intro0.h"
#include "navigation/titlefrm.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QWidget>
#include <QWindow>
#include <QtTest>

namespace lumora::testing {

namespace {

// A recording printer that hands what it printed to its test when it is done with.
class KeptPrinter : public RecordingPrinter {
public:
    explicit KeptPrinter(TestApp& owner) : RecordingPrinter(11520, 15840), m_owner(owner) {}
    ~KeptPrinter() override { m_owner.printouts.push_back(operations()); }

private:
    TestApp& m_owner;
};

} // namespace

QStringList TestApp::defaultFiles() {
    return {"Images/corvinus2.jpg",     "Images/logo2.jpg",        "Images/pharos.jpg",
            "Images/arithmetica4.jpg",  "Images/sailchariot4.jpg", "Images/pharossm.jpg",
            "Images/sailchariotsm.jpg", "multiple/track.txt",      "multiple/Tiberan.txt",
            "multiple/Joris Malten.txt"};
}

TestApp::TestApp(const QStringList& dataFiles) {
    for (const QString& f : dataFiles)
        folder.copyFromData(f);
    app.setOnEnd([this] { ++endings; });
    // Printouts go to a recording printer unless a test chooses another.
    keepPrintouts(*this);
    app.web.setHandler([this](const QUrl& u) { opened.push_back(u); });
    app.messages.setResponder([this](const MessageRequest&) {
        if (answers.empty())
            return MessageAnswer::Ok;
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    });
}

void TestApp::keepPrintouts(TestApp& t) {
    t.app.printers.setOpener([&t](const QString& document) -> std::unique_ptr<Printer> {
        t.printedDocuments << document;
        return std::make_unique<KeptPrinter>(t);
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

Intro0& openMenu(TestApp& t) {
    startProgram(t.app);
    QTest::mouseClick(t.app.screens.titlefrm().Command1, Qt::LeftButton);
    settle();
    return t.app.screens.intro0();
}

} // namespace lumora::testing
