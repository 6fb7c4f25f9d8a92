#pragma once
// Whether the keyboard is in use: from a key press until the mouse is next moved or
// pressed. Focus marks and key hints show only while it is, so the screens look to a
// mouse user exactly as designed.

#include <QObject>

namespace lumora {

class KeyboardUse : public QObject {
    Q_OBJECT
public:
    // Watches every input event of the application.
    KeyboardUse();
    ~KeyboardUse() override;

    bool inUse() const { return m_inUse; }

signals:
    void changed(bool inUse);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void set(bool inUse);

    bool m_inUse = false;
};

} // namespace lumora
