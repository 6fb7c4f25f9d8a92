#include "testapp.h"

#include "navigation/titlefrm.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

namespace lumora::testing {

namespace {

// A recording printer that hands what it printed to its test when it is done with.
struct KeptPrinter : RecordingPrinter {
    KeptPrinter(TestApp& owner, bool jammed)
        : RecordingPrinter(11520, 15840), owner(owner), jammed(jammed) {}
    ~KeptPrinter() override { owner.printouts.push_back(operations()); }
    void finish() override {
        if (jammed)
            throw PrintError("paper jam");
        RecordingPrinter::finish();
    }
    TestApp& owner;
    bool jammed;
};

} // namespace

TestApp::TestApp(const QStringList& dataFiles) {
    for (const QString& f : dataFiles)
        folder.copyFromData(f);
    offerMenu(app);
    app.setOnEnd([this] { ++endings; });
    app.printers.setOpener([this](const QString&) { return keptPrinter(); });
    app.web.setHandler([this](const QUrl& u) { opened.push_back(u); });
    app.messages.setResponder([this](const MessageRequest&) {
        if (answers.empty())
            return MessageAnswer::Ok;
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    });
}

std::unique_ptr<Printer> TestApp::keptPrinter(bool jammed) {
    return std::make_unique<KeptPrinter>(*this, jammed);
}

QString TestApp::lastMessage() const {
    return app.messages.history().empty() ? QString() : app.messages.history().back().text;
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

void keys(std::initializer_list<int> ks) {
    for (int k : ks) {
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key(k));
        settle();
    }
}

void type(const QString& text) {
    for (QChar c : text)
        QTest::keyClick(QGuiApplication::focusWindow(), c.toLatin1());
    settle();
}

// Sends the event to the window at a point of the widget (its centre by default): the
// window delivers it to whatever control lies under the point, as the platform does.
void clickMouse(QWidget* widget, Qt::MouseButton button, QPoint pos) {
    QWidget* top = widget->window();
    top->winId();
    const QPoint at = widget->mapTo(top, pos == QPoint(-1, -1) ? widget->rect().center() : pos);
    if (button == Qt::NoButton)
        QTest::mouseMove(top->windowHandle(), at);
    else
        QTest::mouseClick(top->windowHandle(), button, Qt::NoModifier, at);
    settle();
}

void moveMouse(QWidget* widget, QPoint pos) { clickMouse(widget, Qt::NoButton, pos); }

std::unique_ptr<TestApp> withPages() {
    auto t = std::make_unique<TestApp>();
    for (const char* folder : {"wmf", "wmf2", "logo"})
        t->folder.copyFromData(QString::fromLatin1(folder));
    return t;
}

Intro0& openMenu(TestApp& t, MenuWay way) {
    startProgram(t.app);
    settle();
    if (way == ByKeys)
        key(Qt::Key_Return);
    else
        QTest::mouseClick(t.app.screens.titlefrm().Command1, Qt::LeftButton);
    settle();
    return t.app.screens.intro0();
}

} // namespace lumora::testing
