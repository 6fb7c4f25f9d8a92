// A monkey at the keyboard and mouse: thousands of random clicks, keys, drags, window
// closes and timer waits on whatever screens are up, through the real program from
// its title screen. Message boxes are answered at random by the scripted responder
// and printouts go to the recording printer, so nothing blocks. Built with the
// sanitizers (scripts/test.sh), any fault it meets ends the run with a report.
// LUMORA_MONKEY_EVENTS and LUMORA_MONKEY_SECONDS bound the run; LUMORA_MONKEY_SEED
// picks another walk.
#include "navigation/titlefrm.h"
#include "quiz/multiple.h"
#include "sampleworksheet.h"
#include "shell/buttonlabel.h"
#include "testapp.h"
#include "worksheets/wizard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QWindow>
#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

namespace {

int setting(const char* name, int fallback) {
    const int value = qEnvironmentVariableIntValue(name);
    return value > 0 ? value : fallback;
}

const int Keys[] = {Qt::Key_Tab,       Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Enter,
                    Qt::Key_Space,     Qt::Key_Escape,  Qt::Key_Left,   Qt::Key_Right,
                    Qt::Key_Up,        Qt::Key_Down,    Qt::Key_Home,   Qt::Key_End,
                    Qt::Key_Backspace, Qt::Key_Delete,  Qt::Key_PageUp, Qt::Key_PageDown};
const QString Typed = QStringLiteral("aZ09 ,&.?\"/:\u00e9\u20ac\u03c0");

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT
private slots:
    void randomUseAcrossEveryScreen() {
        const int events = setting("LUMORA_MONKEY_EVENTS", 3000);
        QDeadlineTimer deadline(setting("LUMORA_MONKEY_SECONDS", 60) * 1000);
        QRandomGenerator random(static_cast<quint32>(setting("LUMORA_MONKEY_SEED", 1207)));
        auto pick = [&](qsizetype n) {
            return int(random.bounded(quint32(std::max<qsizetype>(n, 1))));
        };
        QStringList seen;
        std::unique_ptr<TestApp> t;
        int sent = 0, starts = 0;
        for (; sent < events && !deadline.hasExpired(); ++sent, settle()) {
            if (!t || t->endings > 0) { // "Exit" on the title screen: the next pupil starts again
                t.reset();
                t = std::make_unique<TestApp>();
                t->folder.write("multiple/track.txt", " 0 \r\n");
                startProgram(t->app);
                ++starts;
            }
            // A window on show, mostly the one in front; mostly at something that
            // takes a click.
            QList<QWidget*> windows = QApplication::topLevelWidgets();
            windows.removeIf(
                [](QWidget* w) { return !w->isVisible() || w->objectName().isEmpty(); });
            if (windows.isEmpty())
                continue;
            QPointer<QWidget> window = windows[pick(windows.size())];
            if (QWidget* front = QApplication::activeWindow();
                windows.contains(front) && pick(10) < 7)
                window = front;
            if (!seen.contains(window->objectName()))
                seen << window->objectName();
            window->winId();
            QWindow* handle = window->windowHandle();
            QList<QWidget*> controls;
            for (QWidget* c : window->findChildren<QWidget*>())
                if (c->isVisibleTo(window) && c->isEnabled() &&
                    (qobject_cast<QAbstractButton*>(c) || qobject_cast<ButtonLabel*>(c) ||
                     qobject_cast<QLineEdit*>(c) || pick(4) == 0))
                    controls << c;
            auto somewhere = [&](QWidget* w) {
                return QPoint(pick(w->width()), pick(w->height()));
            };
            QPoint at = somewhere(window);
            if (!controls.isEmpty() && pick(10) < 7) {
                QWidget* c = controls[pick(controls.size())];
                // Pupils mostly stay: every ending starts the walk again at the title.
                if (c->property("text").toString() == "Exit" && pick(5))
                    c = controls[pick(controls.size())];
                at = c->mapTo(window, somewhere(c));
            }
            auto near = [&](int dx, int dy) {
                return QPoint(std::clamp(at.x() + pick(2 * dx) - dx, 0, window->width() - 1),
                              std::clamp(at.y() + pick(2 * dy) - dy, 0, window->height() - 1));
            };
            QWidget* focus = QApplication::focusWidget(); // keys go to the window's focus
            QPointer<QWidget> target = focus && focus->window() == window ? focus : window.data();
            if (t->answers.empty()) // the next message box is answered OK or Cancel
                t->answers.push_back(pick(3) ? MessageAnswer::Ok : MessageAnswer::Cancel);

            const int kind = pick(100);
            if (kind < 40) {
                QTest::mouseClick(handle, pick(8) ? Qt::LeftButton : Qt::RightButton, {}, at);
            } else if (kind < 45) {
                QTest::mouseDClick(handle, Qt::LeftButton, {}, at);
            } else if (kind < 60) {
                QTest::mouseMove(handle, at);
            } else if (kind < 70) { // a drag
                QTest::mousePress(handle, Qt::LeftButton, {}, at);
                for (int step = pick(4); step >= 0 && window; --step)
                    QTest::mouseMove(handle, near(200, 150));
                if (window)
                    QTest::mouseRelease(handle, Qt::LeftButton, {}, near(300, 200));
            } else if (kind < 78) {
                QTest::keyClick(target, Qt::Key(Keys[pick(std::size(Keys))]));
            } else if (kind < 85) { // a character as a keyboard layout delivers it
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key(0), Typed[pick(Typed.size())],
                                    Qt::NoModifier);
            } else if (kind < 93) {
                QTest::qWait(pick(60)); // timers: flashing, animation, deferred reads
            } else if (kind < 94) {
                window->close(); // the window manager's close button
            } else if (kind < 97) {
                // A whole worksheet now and then, so that saves and the catalogue
                // happen; and a pupil who answers, so that quizzes reach their results.
                if (auto* wizard = qobject_cast<Wizard*>(window.data()))
                    wizard->fill(sampleWorksheet(QStringLiteral("Monkey %1").arg(pick(30))));
                for (QPointer<Multiple> quiz = qobject_cast<Multiple*>(window.data());
                     quiz && quiz->isVisible() && pick(11);) {
                    QTest::mouseClick(quiz->Option1[1 + pick(4)], Qt::LeftButton, {}, {8, 8});
                    if (quiz)
                        QTest::mouseClick(quiz->Label3[Multiple::Forward], Qt::LeftButton);
                    settle();
                }
            }
        }
        qInfo().noquote() << sent << "actions," << starts
                          << "starts; screens met:" << seen.join(' ');
        QVERIFY(sent >= std::min(events, 1000));
        QVERIFY(seen.size() >= 6); // the walk left the title screen
    }
};

LUMORA_TEST(MonkeyTest)
#include "tst_monkey.moc"
