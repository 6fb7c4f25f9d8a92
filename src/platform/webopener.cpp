#include "platform/webopener.h"

#include <QDesktopServices>

namespace lumora {

void WebOpener::open(const QUrl& url) {
    if (m_handler)
        m_handler(url);
    else
        QDesktopServices::openUrl(url);
}

} // namespace lumora
