#include "navigation/titlefrm.h"
#include "shell/app.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Lumora"));
    // Screens come and go; the program ends only when asked to.
    application.setQuitOnLastWindowClosed(false);
    lumora::App app;
    app.random.randomize();
    startProgram(app);
    return application.exec();
}
