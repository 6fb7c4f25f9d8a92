#pragma once
// The one way the screens ask the user something or tell them something. The
// program shows a QMessageBox; tests install a responder, so no test ever blocks.

#include "platform/product.h"

#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace lumora {

enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

struct MessageRequest {
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
    QString title;
};

class Messages {
public:
    static inline const QString& DefaultTitle = ProductName;

    using Responder = std::function<MessageAnswer(const MessageRequest&)>;

    MessageAnswer show(const QString& text, MessageButtons buttons = MessageButtons::Ok,
                       const QString& title = DefaultTitle, QWidget* parent = nullptr);
    // The common case: a message with OK under the program's title, over `parent`.
    void tell(const QString& text, QWidget* parent) {
        show(text, MessageButtons::Ok, DefaultTitle, parent);
    }

    // Replaces the dialog (tests); an empty responder brings the dialog back.
    void setResponder(Responder responder) { m_responder = std::move(responder); }

    // Everything asked so far, oldest first.
    const std::vector<MessageRequest>& history() const { return m_history; }
    void clearHistory() { m_history.clear(); }

private:
    Responder m_responder;
    std::vector<MessageRequest> m_history;
};

} // namespace lumora
