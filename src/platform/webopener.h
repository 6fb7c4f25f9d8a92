#pragma once
// Opens a web address in the user's browser. What the browser does with it is not
// our business: the result is not reported.

#include <QUrl>
#include <functional>

namespace lumora {

class WebOpener {
public:
    using Handler = std::function<void(const QUrl&)>;
    void open(const QUrl& url);
    // Replaces the browser (tests).
    void setHandler(Handler handler) { m_handler = std::move(handler); }

private:
    Handler m_handler;
};

} // namespace lumora
