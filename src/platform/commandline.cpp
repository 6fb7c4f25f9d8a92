#include "platform/commandline.h"

#include <algorithm>

namespace lumora {

QString programVersion() { return QStringLiteral(LUMORA_VERSION); }

std::optional<QString> commandLineReply(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--version"))
            return QStringLiteral("lumora %1\n").arg(programVersion());
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return QStringLiteral(
                "Usage: lumora [--fill] [--help] [--version]\n"
                "\n"
                "Lumora, mathematics for the classroom: Key Facts pages, quizzes,\n"
                "drills and a riddle for pupils, and a worksheet wizard for teachers.\n"
                "\n"
                "Started in a folder that holds multiple/track.txt, Lumora keeps its\n"
                "worksheets there (a class's shared worksheet folder); otherwise in\n"
                "$XDG_DATA_HOME/lumora (by default ~/.local/share/lumora).\n"
                "\n"
                "      --fill     draw the screens as large as the display allows, for\n"
                "                 a projector or an interactive whiteboard\n"
                "  -h, --help     print this help and exit\n"
                "      --version  print the version and exit\n");
    }
    return std::nullopt;
}

bool fillRequested(const QStringList& arguments) {
    return arguments.contains(QLatin1String("--fill"));
}

double fillScale(QSizeF available) {
    return std::min(available.width() / 800, available.height() / (600 + FrameAllowance));
}

std::optional<QByteArray> preferredPlatform(const QByteArray& chosenPlatform,
                                            const QByteArray& waylandDisplay,
                                            const QByteArray& sessionType,
                                            const QByteArray& x11Display) {
    const bool wayland = !waylandDisplay.isEmpty() || sessionType == "wayland";
    if (!chosenPlatform.isEmpty() || !wayland || x11Display.isEmpty())
        return std::nullopt;
    return QByteArray("xcb;wayland");
}

} // namespace lumora
