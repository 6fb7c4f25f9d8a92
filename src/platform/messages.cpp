#include "platform/messages.h"

#include <QMessageBox>

namespace lumora {

MessageAnswer Messages::show(const QString& text, MessageButtons buttons, const QString& title,
                             QWidget* parent) {
    MessageRequest request{text, buttons, title};
    m_history.push_back(request);
    if (m_responder)
        return m_responder(request);
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    box.setStandardButtons(buttons == MessageButtons::OkCancel
                               ? QMessageBox::Ok | QMessageBox::Cancel
                               : QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

} // namespace lumora
