#include "pages/pagenames.h"

#include "platform/numtext.h"

namespace lumora::pages {

namespace {
QString folder(Copy copy) {
    return copy == Copy::Screen ? QStringLiteral("wmf\\") : QStringLiteral("wmf2\\");
}
} // namespace

QString guidePage(Copy copy, int page) {
    return folder(copy) + QStringLiteral("guide") + QString::number(page) + QStringLiteral(".wmf");
}

QString setPage(Copy copy, const QString& pageset, int page) {
    if (page < 1 || page > MaxSetPages)
        return {};
    return folder(copy) + pageset + QChar('a' + page - 1) + QStringLiteral(".wmf");
}

QString caption(int page, int count) {
    return QStringLiteral("Page") + signedText(page) + QStringLiteral(" of") + signedText(count);
}

QString logoFrame(int frame) {
    return QStringLiteral("logo\\bren%1.gif").arg(frame, 4, 10, QChar('0'));
}

int nextLogoFrame(int frame) { return frame + 1 >= LogoFrames ? 0 : frame + 1; }

} // namespace lumora::pages
