#include "navigation/titlefrm.h"
#include "platform/commandline.h"
#include "platform/places.h"
#include "platform/product.h"
#include "shell/app.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QScreen>
#include <QStandardPaths>
#include <cstdio>
#include <vector>

namespace {

// Sets an environment variable for Qt's start only: the programs Lumora starts (the
// browser) get the user's own.
class StartingEnvironment {
public:
    void set(const char* name, const QByteArray& value) {
        m_saved.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
        qputenv(name, value);
    }
    void restore() {
        for (const Saved& s : m_saved)
            s.wasSet ? qputenv(s.name, s.value) : qunsetenv(s.name);
        m_saved.clear();
    }

private:
    struct Saved {
        const char* name;
        bool wasSet;
        QByteArray value;
    };
    std::vector<Saved> m_saved;
};

// The display's free area in logical pixels, asked of the window system before the
// program's own application exists.
QSizeF availableArea(int& argc, char** argv) {
    QGuiApplication probe(argc, argv);
    const QScreen* display = QGuiApplication::primaryScreen();
    return display ? QSizeF(display->availableGeometry().size()) : QSizeF(800, 640);
}

} // namespace

int main(int argc, char** argv) {
    // --help and --version answer before any window system is needed.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const auto reply = lumora::commandLineReply(arguments)) {
        std::fputs(reply->toLocal8Bit().constData(), stdout);
        return 0;
    }

    StartingEnvironment starting;
    if (const auto platform =
            lumora::preferredPlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                                      qgetenv("XDG_SESSION_TYPE"), qgetenv("DISPLAY")))
        starting.set("QT_QPA_PLATFORM", *platform);
    if (lumora::fillRequested(arguments)) {
        // Qt draws every screen at this scale; inside, the geometry stays the
        // design's, and text, pages and pictures are drawn for the display's pixels.
        bool given = false;
        const double own = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&given);
        const double scale = lumora::fillScale(availableArea(argc, argv));
        starting.set("QT_SCALE_FACTOR", QByteArray::number((given && own > 0 ? own : 1) * scale));
    }
    QApplication application(argc, argv);
    starting.restore();
    application.setApplicationName(lumora::ProductName);
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
