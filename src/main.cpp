#include "navigation/titlefrm.h"
#include "platform/commandline.h"
#include "platform/places.h"
#include "shell/app.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStandardPaths>
#include <cstdio>

int main(int argc, char** argv) {
    // --help and --version answer before any window system is needed.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const auto reply = lumora::commandLineReply(arguments)) {
        std::fputs(reply->toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Lumora"));
    application.setApplicationVersion(lumora::programVersion());
    // Docks and task bars match the windows to the menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(LUMORA_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/lumora.png")));
    // Screens come and go; the program ends only when asked to.
    application.setQuitOnLastWindowClosed(false);

    const lumora::Places places = lumora::discoverPlaces(
        QDir::currentPath(), QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    lumora::prepareWorksheetFolder(places);
    lumora::setPlaces(places);

    lumora::App app;
    app.random.randomize();
    startProgram(app);
    return application.exec();
}
