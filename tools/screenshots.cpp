// Grabs the screens to PNG files for the README and for looking at them:
//   lumora_screenshots <data folder> <output folder>
// Runs on any Qt platform; the offscreen one needs no display.
#include "shell/app.h"
#include "shell/intro0.h"
#include "shell/titlefrm.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTimer>

namespace {

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

bool save(QWidget& w, const QString& folder, const QString& name) {
    settle();
    return w.grab().save(folder + '/' + name);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    if (argc < 3) {
        qWarning("usage: lumora_screenshots <data folder> <output folder>");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(out);
    if (!QDir::setCurrent(QString::fromLocal8Bit(argv[1]))) {
        qWarning("no data folder %s", argv[1]);
        return 2;
    }
    lumora::App app;
    app.setOnEnd([] {});
    app.start();
    bool ok = save(app.screens.titlefrm(), out, QStringLiteral("title.png"));
    app.screens.titlefrm().Command1->click();
    settle();
    ok = save(app.screens.intro0(), out, QStringLiteral("menu.png")) && ok;
    return ok ? 0 : 1;
}
