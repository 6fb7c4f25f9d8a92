// Grabs the screens to PNG files for the README and for looking at them:
//   lumora_screenshots <data folder> <output folder>
// or draws one page straight at a scale, on the viewers' blue, as the tests compare a
// screen's grab with it:
//   lumora_screenshots --page <metafile> <scale> <output file>
// Runs on any Qt platform; the offscreen one needs no display.
#include "activities/decimals.h"
#include "activities/decmult.h"
#include "activities/tibpuz.h"
#include "activities/triangular.h"
#include "navigation/hub.h"
#include "navigation/intro0.h"
#include "navigation/titlefrm.h"
#include "pages/guide.h"
#include "pages/teacher.h"
#include "platform/metafile.h"
#include "platform/twips.h"
#include "quiz/multiple.h"
#include "quiz/welldone.h"
#include "quiz/wrong.h"
#include "shell/app.h"
#include "shell/buttonlabel.h"
#include "testapp.h"
#include "worksheets/wizard.h"
#include "worksheets/worksheets.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <cstdlib>

using lumora::testing::settle;

namespace {

// Lets a screen's timers run for a while: the results screen's late picture, the
// logo's animation.
void runTimers(int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 10) {
        QThread::msleep(10);
        settle();
    }
}

bool save(QWidget& w, const QString& folder, const QString& name) {
    settle();
    return w.grab().save(folder + '/' + name);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    if (argc == 5 && QLatin1String(argv[1]) == QLatin1String("--page")) {
        const lumora::Metafile page = lumora::Metafile::load(QString::fromLocal8Bit(argv[2]));
        const QPixmap drawn = page.toPixmap(lumora::colours::ScreenBlue, std::atof(argv[3]));
        return drawn.save(QString::fromLocal8Bit(argv[4])) ? 0 : 1;
    }
    if (argc < 3) {
        qWarning("usage: lumora_screenshots <data folder> <output folder>");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(out);
    // Work on a copy of the content: the grabs save worksheets of their own.
    const QDir data(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    if (!data.exists()) {
        qWarning("no data folder %s", argv[1]);
        return 2;
    }
    qputenv("LUMORA_DATA", QFile::encodeName(data.absolutePath()));
    const lumora::testing::ScratchFolder scratch;
    for (const QString& folder : data.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        scratch.copyFromData(folder);
    lumora::App app;
    app.setOnEnd([] {});
    startProgram(app);
    bool ok = save(app.screens.titlefrm(), out, QStringLiteral("title.png"));
    app.screens.titlefrm().Command1->click();
    settle();
    ok = save(app.screens.intro0(), out, QStringLiteral("menu.png")) && ok;

    // The road of a quiz: a hub, question 4 with a choice made, then the results
    // of three wrong answers and the review.
    lumora::Hub& hub = app.screens.tiberan();
    hub.showInFront();
    ok = save(hub, out, QStringLiteral("hub-tiberan.png")) && ok;
    lumora::Hub& malten = app.screens.malten();
    malten.showInFront();
    ok = save(malten, out, QStringLiteral("hub-malten.png")) && ok;
    app.screens.unload(&malten);
    emit hub.Label3[lumora::Hub::MultipleChoice]->clicked();
    settle();
    auto& quiz = app.screens.multiple();
    auto& state = app.state;
    auto next = [&](bool right) {
        const int k = lumora::testing::rightChoice(state);
        quiz.Option1[right ? k : k % 4 + 1]->setChecked(true);
        emit quiz.Label3[lumora::Multiple::Forward]->clicked();
        settle();
    };
    for (int q = 1; q <= 3; ++q)
        next(q != 2);
    quiz.Option1[2]->setChecked(true);
    ok = save(quiz, out, QStringLiteral("quiz.png")) && ok;
    for (int q = 4; q <= 10; ++q)
        next(q != 5 && q != 9);
    auto& results = app.screens.welldone();
    runTimers(100);
    ok = save(results, out, QStringLiteral("results.png")) && ok;
    emit results.Label3[lumora::Welldone::FirstButton]->clicked();
    ok = save(app.screens.wrong(), out, QStringLiteral("review.png")) && ok;
    emit app.screens.wrong().Label3[lumora::Wrong::ExitButton]->clicked();
    app.screens.unload(&hub);
    settle();

    // The activities.
    for (lumora::Screen* s :
         std::initializer_list<lumora::Screen*>{&app.screens.tibpuz(), &app.screens.triangular(),
                                                &app.screens.decmult(), &app.screens.decimals()}) {
        s->showInFront();
        ok = save(*s, out, s->objectName() + QStringLiteral(".png")) && ok;
        app.screens.unload(s);
    }
    // The riddle from the keyboard: a tile carried to a frame, the keys shown.
    auto& riddle = app.screens.tibpuz();
    riddle.showInFront();
    settle();
    riddle.Label2[2]->setFocus(Qt::TabFocusReason);
    lumora::testing::keys({Qt::Key_Space, Qt::Key_Up, Qt::Key_Right});
    ok = save(riddle, out, QStringLiteral("tibpuz-keys.png")) && ok;
    app.screens.unload(&riddle);

    // The reference pages: the guide, Tiberan's Key Facts, the acknowledgments.
    emit app.screens.intro0().Label2[lumora::Intro0::Guide]->clicked();
    ok = save(app.screens.guide(), out, QStringLiteral("guide.png")) && ok;
    app.screens.unload(&app.screens.guide());
    lumora::Hub& facts = app.screens.tiberan();
    emit facts.Label3[lumora::Hub::KeyFacts]->clicked();
    ok = save(app.screens.teacher(), out, QStringLiteral("keyfacts.png")) && ok;
    app.screens.unload(&app.screens.teacher());
    app.screens.unload(&facts);
    emit app.screens.intro0().Label2[lumora::Intro0::Acknowledgments]->clicked();
    runTimers(100);
    ok = save(app.screens.teacher(), out, QStringLiteral("acknowledgments.png")) && ok;
    app.screens.unload(&app.screens.teacher());

    // A teacher's worksheet in the wizard, and a catalogue with a full first page.
    lumora::worksheet::Entries sheet;
    sheet.title = QStringLiteral("Decimals, week 3");
    const char* questions[] = {"Which is larger, 0.5 or 0.45?",
                               "Write 3/10 as a decimal.",
                               "What is 0.2 x 0.4?",
                               "Write seven hundredths as a decimal.",
                               "Which digit is in the tenths place of 4.62?",
                               "What is 1.5 + 0.25?",
                               "Write 1/4 as a decimal.",
                               "What is 0.3 x 3?",
                               "Which is smallest?",
                               "What is 0.06 x 10?"};
    const char* choices[][4] = {{"0.5", "0.45", "They are equal", "0.405"},
                                {"0.3", "3.10", "0.03", "3.0"},
                                {"0.8", "0.08", "8.0", "0.6"},
                                {"0.7", "0.07", "7.100", "0.007"},
                                {"4", "6", "2", "0"},
                                {"1.75", "1.525", "1.3", "17.5"},
                                {"0.25", "0.4", "1.4", "0.14"},
                                {"0.9", "9.0", "0.09", "0.33"},
                                {"0.3", "0.33", "0.303", "0.033"},
                                {"0.6", "6.0", "0.06", "60"}};
    const int answers[] = {0, 0, 1, 1, 1, 0, 0, 0, 3, 0};
    for (int q = 0; q < 10; ++q) {
        sheet.question[q] = QString::fromLatin1(questions[q]);
        for (int c = 0; c < 4; ++c)
            sheet.choice[4 * q + c] = QString::fromLatin1(choices[q][c]);
        sheet.ticked[4 * q + answers[q]] = true;
    }
    auto& wizard = app.screens.wizard();
    wizard.fill(sheet);
    wizard.showInFront();
    ok = save(wizard, out, QStringLiteral("wizard.png")) && ok;
    const char* topics[] = {"Decimals",           "Fractions",
                            "Place value",        "Tenths and hundredths",
                            "Triangular numbers", "Tiberan's riddle"};
    for (int i = 1; i <= 26; ++i) {
        sheet.title = QStringLiteral("%1, set %2").arg(QLatin1String(topics[i % 6])).arg(i);
        lumora::worksheet::saveworksheet(app.state, sheet);
    }
    app.screens.unload(&wizard);
    emit app.screens.intro0().Label2[lumora::Intro0::Catalogue]->clicked();
    settle();
    ok = save(app.screens.worksheets(), out, QStringLiteral("catalogue.png")) && ok;
    return ok ? 0 : 1;
}
