// The wizard and the catalogue screen through the real widgets.
#include "navigation/intro0.h"
#include "navigation/titlefrm.h"
#include "quiz/multiple.h"
#include "quiz/welldone.h"
#include "shell/buttonlabel.h"
#include "testapp.h"
#include "worksheets/wizard.h"
#include "worksheets/worksheets.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace lumora;
using namespace lumora::testing;

namespace {

void type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

// Types a whole worksheet; question 1 and its choice B hold commas.
void writeWorksheet(Wizard& w, const QString& title) {
    type(w.Text1, title);
    for (int q = 0; q < 10; ++q) {
        w.Text2[q]->setText(q == 0 ? QStringLiteral("Which is larger, 0.5 or 0.45?")
                                   : QStringLiteral("What is %1 tenths as a decimal?").arg(q + 1));
        for (int c = 0; c < 4; ++c)
            w.Text3[4 * q + c]->setText(QStringLiteral("0.%1%2").arg(q + 1).arg(c));
    }
    type(w.Text3[1], QStringLiteral("0.5, it has more tenths"));
    for (int q = 0; q < 10; ++q)
        QTest::mouseClick(w.Check1[4 * q + 1], Qt::LeftButton, {}, QPoint(8, 8));
}

Worksheets& openCatalogue(TestApp& t) {
    Intro0& menu = openMenu(t);
    clickMouse(menu.Label2[Intro0::Catalogue]);
    return t.app.screens.worksheets();
}

QStringList shownEntries(Worksheets& ws) {
    QStringList out;
    for (int k = 1; k <= 24; ++k) {
        if (ws.Label2[k]->isVisibleTo(&ws))
            out << ws.Label2[k]->text();
    }
    return out;
}

QByteArray numbered(int n) {
    QByteArray b = " " + QByteArray::number(n) + " \r\n";
    for (int i = 1; i <= n; ++i)
        b += "Sheet " + QByteArray::number(i) + "\r\n";
    return b;
}

} // namespace

class WizardTest : public QObject {
    Q_OBJECT
private slots:
    void aTeachersWorksheetFromStartToEnd() {
        TestApp t;
        Intro0& menu = openMenu(t);
        clickMouse(menu.Label2[Intro0::Wizard]);
        Wizard& w = t.app.screens.wizard();
        QVERIFY(w.isVisible());
        writeWorksheet(w, "Decimals, week 3");
        clickMouse(w.Label3[Wizard::SaveButton]);
        QCOMPARE(t.app.messages.history().back().text,
                 QStringLiteral("Your worksheet has been saved."));
        QVERIFY(t.folder.exists("multiple/Decimals& week 3.txt"));
        QCOMPARE(t.folder.read("multiple/track.txt"), QByteArray(" 1 \r\nDecimals& week 3\r\n"));
        clickMouse(w.Label3[Wizard::ExitButton]);
        QVERIFY(!t.app.screens.isLoaded("wizard"));

        // The catalogue lists it with its comma.
        clickMouse(menu.Label2[Intro0::Catalogue]);
        QVERIFY(!t.app.screens.isLoaded("intro0"));
        Worksheets& ws = t.app.screens.worksheets();
        QCOMPARE(shownEntries(ws), QStringList{"Decimals, week 3"});

        // Run it as a quiz, to the results screen.
        clickMouse(ws.Label2[1]);
        Multiple& quiz = t.app.screens.multiple();
        QVERIFY(quiz.isVisible());
        QCOMPARE(quiz.Label6->text(), QStringLiteral("Decimals, week 3"));
        QCOMPARE(quiz.Label5->text(), t.app.screens.intro0().Label1->text());
        QVERIFY(!t.app.screens.intro0().isVisible());
        QVERIFY(!quiz.Picture1->pixmap().isNull());
        QVERIFY(quiz.Label3[Multiple::PrintButton]->isVisible());
        clickMouse(quiz.Label3[Multiple::PrintButton]);
        QCOMPARE(t.app.messages.history().back().text,
                 QStringLiteral("Your worksheet is now printing."));
        QCOMPARE(t.printouts.size(), std::size_t(1));
        bool sawQuestion = false;
        for (const auto& op : t.printouts[0])
            sawQuestion = sawQuestion || op.text.endsWith("Which is larger, 0.5 or 0.45?");
        QVERIFY(sawQuestion);
        QCOMPARE(t.app.state.questnum, 1); // printing leaves the quiz where it was
        QCOMPARE(quiz.Label2->text(), QStringLiteral("Which is larger, 0.5 or 0.45?"));
        QCOMPARE(quiz.Option1[2]->text(), QStringLiteral("0.5, it has more tenths"));
        for (int q = 1; q <= 10; ++q) {
            QTest::mouseClick(quiz.Option1[2], Qt::LeftButton, {}, QPoint(8, 10));
            clickMouse(quiz.Label3[Multiple::Forward]);
        }
        Welldone& results = t.app.screens.welldone();
        QCOMPARE(results.Label1->text(),
                 QStringLiteral("Excellent work. You have scored 10 out of 10."));
        clickMouse(results.Label3[Welldone::ExitButton]);
        QVERIFY(ws.isVisible());

        // Reopen it in the wizard: every box and tick as saved.
        QTest::mouseClick(ws.Check1, Qt::LeftButton, {}, QPoint(8, 10));
        QVERIFY(ws.Check1->isChecked());
        clickMouse(ws.Label2[1]);
        Wizard& edit = t.app.screens.wizard();
        QVERIFY(edit.isVisible());
        QCOMPARE(edit.Text1->text(), QStringLiteral("Decimals, week 3"));
        QCOMPARE(edit.Text2[0]->text(), QStringLiteral("Which is larger, 0.5 or 0.45?"));
        QCOMPARE(edit.Text3[1]->text(), QStringLiteral("0.5, it has more tenths"));
        QCOMPARE(edit.Text3[39]->text(), QStringLiteral("0.103"));
        for (int i = 0; i < 40; ++i)
            QCOMPARE(edit.Check1[i]->isChecked(), i % 4 == 1);

        // Change a choice and save under the same title: one entry, the new file.
        type(edit.Text3[38], QStringLiteral("0.99"));
        clickMouse(edit.Label3[Wizard::SaveButton]);
        QCOMPARE(t.app.messages.history().back().text,
                 QStringLiteral("Your worksheet has been saved."));
        QCOMPARE(t.folder.read("multiple/track.txt"), QByteArray(" 1 \r\nDecimals& week 3\r\n"));
        QVERIFY(t.folder.read("multiple/Decimals& week 3.txt").contains("\r\n0.99\r\n"));
        clickMouse(edit.Label3[Wizard::ExitButton]);

        // Delete it: the entry goes, the file stays.
        QTest::mouseClick(ws.Check2, Qt::LeftButton, {}, QPoint(8, 10));
        QVERIFY(ws.Check2->isChecked());
        QVERIFY(!ws.Check1->isChecked()); // ticking one unticks the other
        t.answers = {MessageAnswer::Ok};
        clickMouse(ws.Label2[1]);
        const MessageRequest& asked = t.app.messages.history().back();
        QCOMPARE(
            asked.text,
            QStringLiteral("Are you sure that you want to delete the worksheet Decimals, week 3?"));
        QCOMPARE(asked.title, QString());
        QCOMPARE(asked.buttons, MessageButtons::OkCancel);
        QCOMPARE(t.folder.read("multiple/track.txt"), QByteArray(" 0 \r\n"));
        QVERIFY(t.folder.exists("multiple/Decimals& week 3.txt"));
        QCOMPARE(shownEntries(ws), QStringList{});

        clickMouse(ws.Label2[Worksheets::ExitButton]);
        QVERIFY(!t.app.screens.isLoaded("worksheets"));
        QVERIFY(t.app.screens.intro0().isVisible());
    }

    // A title whose file would be one the program depends on is refused before
    // anything is written, in any letter case.
    void productTitlesAreRefused_data() {
        QTest::addColumn<QString>("title");
        for (const char* t : {"track", "Track", "TRACK", "Tiberan", "tiberan", "TIBERAN",
                              "Joris Malten", "joris malten", "JORIS MALTEN"})
            QTest::newRow(t) << QString::fromLatin1(t);
    }
    void productTitlesAreRefused() {
        QFETCH(QString, title);
        TestApp t;
        const QStringList before = t.folder.list("multiple");
        QByteArray files[3];
        const char* names[3] = {"multiple/track.txt", "multiple/Tiberan.txt", "multiple/Joris Malten.txt"};
        for (int i = 0; i < 3; ++i)
            files[i] = t.folder.read(names[i]);
        clickMouse(openMenu(t).Label2[Intro0::Wizard]);
        Wizard& w = t.app.screens.wizard();
        writeWorksheet(w, title);
        clickMouse(w.Label3[Wizard::SaveButton]);
        QCOMPARE(t.app.messages.history().back().text,
                 QStringLiteral("There was a problem saving your worksheet"));
        QCOMPARE(t.folder.list("multiple"), before);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(t.folder.read(names[i]), files[i]);
    }

    void enterMovesTheFocusAsDesigned() {
        TestApp t;
        Wizard& w = t.app.screens.wizard();
        w.showInFront();
        QApplication::setActiveWindow(&w);
        struct Step {
            QLineEdit* from;
            QLineEdit* to;
        };
        const Step steps[] = {{w.Text1, w.Text2[0]},     {w.Text2[0], w.Text3[0]},
                              {w.Text3[0], w.Text3[1]},  {w.Text3[2], w.Text3[3]},
                              {w.Text3[3], w.Text2[1]},  {w.Text3[19], w.Text2[5]},
                              {w.Text2[9], w.Text3[36]}, {w.Text3[39], w.Text3[39]}};
        for (const Step& s : steps) {
            s.from->setFocus();
            QTest::keyClick(s.from, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), s.to);
        }
        // The tab order runs title, question 1, its choices, question 2 ... ticks last.
        const std::pair<QWidget*, QWidget*> tabs[] = {{w.Text1, w.Text2[0]},
                                                      {w.Text2[0], w.Text3[0]},
                                                      {w.Text3[3], w.Text2[1]},
                                                      {w.Text3[39], w.Check1[0]}};
        for (const auto& [from, to] : tabs) {
            from->setFocus();
            QTest::keyClick(from, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), to);
        }
    }

    void boxesStopAtTheirLimitsAndRefuseWhatCannotBeSaved() {
        TestApp t;
        Wizard& w = t.app.screens.wizard();
        w.showInFront();
        QTest::keyClicks(w.Text1, QString(40, 'T'));
        QCOMPARE(w.Text1->text().size(), 25);
        QTest::keyClicks(w.Text2[3], QString(70, 'q'));
        QCOMPARE(w.Text2[3]->text().size(), 60);
        QTest::keyClicks(w.Text3[7], QString(35, 'c'));
        QCOMPARE(w.Text3[7]->text().size(), 30);
        for (QChar c : QStringLiteral("2\u03c0r and \u20ac5")) { // typed, key by key
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w.Text3[0], &press);
        }
        QCOMPARE(w.Text3[0]->text(), QStringLiteral("2r and \u20ac5")); // π refused, € kept
        QVERIFY(t.app.messages.history().empty());
    }

    void validationLeavesEveryBoxAsItWas() {
        TestApp t;
        Wizard& w = t.app.screens.wizard();
        w.showInFront();
        writeWorksheet(w, "Checks");
        QTest::mouseClick(w.Check1[4 * 6 + 2], Qt::LeftButton, {}, QPoint(8, 8)); // two on 7
        clickMouse(w.Label3[Wizard::SaveButton]);
        QCOMPARE(t.app.messages.history().back().text,
                 QStringLiteral("You have ticked more than one correct answer for Question 7"));
        QVERIFY(!t.folder.exists("multiple/Checks.txt"));
        QCOMPARE(w.Text1->text(), QStringLiteral("Checks"));
        QVERIFY(w.Check1[26]->isChecked() && w.Check1[25]->isChecked());
        type(w.Text1, "Why?");
        QTest::mouseClick(w.Check1[26], Qt::LeftButton, {}, QPoint(8, 8));
        clickMouse(w.Label3[Wizard::SaveButton]);
        QCOMPARE(t.app.messages.history().back().text,
                 QStringLiteral("There was a problem saving your worksheet"));
        QCOMPARE(t.folder.list("multiple"),
                 (QStringList{"Joris Malten.txt", "Tiberan.txt", "track.txt"}));
    }

    void paging_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("firstPage");
        QTest::addColumn<bool>("next");
        QTest::addColumn<int>("secondPage"); // -1: no second page
        QTest::newRow("empty") << 0 << 0 << false << -1;
        QTest::newRow("24") << 24 << 24 << false << -1;
        QTest::newRow("25") << 25 << 24 << true << 1;
        QTest::newRow("30") << 30 << 24 << true << 6;
    }
    void paging() {
        QFETCH(int, count);
        QFETCH(int, firstPage);
        QFETCH(bool, next);
        QFETCH(int, secondPage);
        TestApp t;
        t.folder.write("multiple/track.txt", numbered(count));
        Worksheets& ws = openCatalogue(t);
        QCOMPARE(shownEntries(ws).size(), firstPage);
        QCOMPARE(ws.Label4->text(), QStringLiteral("Page 1"));
        QVERIFY(!ws.Label3[Worksheets::PreviousPage]->isVisibleTo(&ws));
        QCOMPARE(ws.Label3[Worksheets::NextPage]->isVisibleTo(&ws), next);
        if (secondPage < 0)
            return;
        clickMouse(ws.Label3[Worksheets::NextPage]);
        QCOMPARE(ws.Label4->text(), QStringLiteral("Page 2"));
        QCOMPARE(shownEntries(ws).size(), secondPage);
        QCOMPARE(shownEntries(ws).front(), QStringLiteral("Sheet 25"));
        QVERIFY(ws.Label3[Worksheets::PreviousPage]->isVisibleTo(&ws));
        QVERIFY(!ws.Label3[Worksheets::NextPage]->isVisibleTo(&ws));
        clickMouse(ws.Label3[Worksheets::PreviousPage]);
        QCOMPARE(shownEntries(ws).size(), 24);
    }

    void deletingOnPageOneOfThirty() {
        TestApp t;
        t.folder.write("multiple/track.txt", numbered(30));
        t.folder.write("multiple/Sheet 3.txt", t.folder.read("multiple/Tiberan.txt"));
        Worksheets& ws = openCatalogue(t);
        QTest::mouseClick(ws.Check2, Qt::LeftButton, {}, QPoint(8, 10));
        t.answers = {MessageAnswer::Cancel};
        clickMouse(ws.Label2[3]);
        QCOMPARE(t.folder.read("multiple/track.txt"), numbered(30)); // Cancel changes nothing
        QCOMPARE(shownEntries(ws).size(), 24);
        t.answers = {MessageAnswer::Ok};
        clickMouse(ws.Label2[3]);
        QCOMPARE(t.app.state.numworksheets, 29);
        const QStringList page1 = shownEntries(ws);
        QCOMPARE(page1.size(), 24);
        QVERIFY(!page1.contains("Sheet 3"));
        QCOMPARE(page1[2], QStringLiteral("Sheet 4"));
        QCOMPARE(page1[23], QStringLiteral("Sheet 25"));
        QVERIFY(ws.Label3[Worksheets::NextPage]->isVisibleTo(&ws));
        clickMouse(ws.Label3[Worksheets::NextPage]);
        QCOMPARE(shownEntries(ws).size(), 5);
        QVERIFY(t.folder.exists("multiple/Sheet 3.txt"));
    }

    void aMissingWorksheetIsCorruptedInEveryMode_data() {
        QTest::addColumn<int>("box"); // 0 quiz, 1 edit, 2 delete
        QTest::newRow("quiz") << 0;
        QTest::newRow("edit") << 1;
        QTest::newRow("delete") << 2;
    }
    void aMissingWorksheetIsCorruptedInEveryMode() {
        QFETCH(int, box);
        TestApp t;
        t.folder.write("multiple/track.txt", numbered(2));
        Worksheets& ws = openCatalogue(t);
        if (box)
            QTest::mouseClick(box == 1 ? ws.Check1 : ws.Check2, Qt::LeftButton, {}, QPoint(8, 10));
        clickMouse(ws.Label2[2]);
        QCOMPARE(t.app.messages.history().back().text,
                 QStringLiteral("This worksheet seems to be corrupted."));
        QCOMPARE(t.app.messages.history().size(), std::size_t(1)); // no deletion question
        QVERIFY(!t.app.screens.isLoaded("multiple"));
        QVERIFY(!t.app.screens.isLoaded("wizard"));
        QCOMPARE(t.folder.read("multiple/track.txt"), numbered(2));
    }

    void anUnreadableCatalogueOpensAnEmptyList_data() {
        QTest::addColumn<QByteArray>("file"); // empty: none at all
        QTest::addColumn<int>("counted");     // by the menu's quiet read
        QTest::newRow("missing") << QByteArray() << 0;
        QTest::newRow("count above its titles") << QByteArray(" 30 \r\nA\r\nB\r\n") << 2;
        QTest::newRow("count not a number") << QByteArray("many\r\nA\r\n") << 0;
    }
    void anUnreadableCatalogueOpensAnEmptyList() {
        QFETCH(QByteArray, file);
        QFETCH(int, counted);
        TestApp t;
        t.folder.write("multiple/track.txt", numbered(30));
        Intro0& menu = openMenu(t);
        QTest::qWait(20); // the menu's one-shot read
        QCOMPARE(t.app.state.numworksheets, 30);
        if (file.isEmpty())
            QVERIFY(QFile::remove("multiple/track.txt"));
        else
            t.folder.write("multiple/track.txt", file);
        clickMouse(menu.Label2[Intro0::Catalogue]);
        Worksheets& ws = t.app.screens.worksheets();
        QCOMPARE(shownEntries(ws), QStringList());
        QVERIFY(!ws.Label3[Worksheets::NextPage]->isVisibleTo(&ws));
        // The menu's read keeps what it read and counts no title it did not read.
        t.app.screens.intro0();
        QTest::qWait(20);
        QCOMPARE(t.app.state.numworksheets, counted);
        QVERIFY(t.app.messages.history().empty());
    }

    void theLastEntriesOfAFullCatalogueCannotBeReached() {
        TestApp t;
        t.folder.write("multiple/track.txt", numbered(1000));
        Worksheets& ws = openCatalogue(t);
        for (int page = 1; page <= 40; ++page) {
            QVERIFY(ws.Label3[Worksheets::NextPage]->isVisibleTo(&ws));
            clickMouse(ws.Label3[Worksheets::NextPage]);
        }
        QCOMPARE(ws.Label4->text(), QStringLiteral("Page 41"));
        QVERIFY(!ws.Label3[Worksheets::NextPage]->isVisibleTo(&ws));
        const QStringList last = shownEntries(ws);
        QCOMPARE(last.front(), QStringLiteral("Sheet 961"));
        QCOMPARE(last.back(), QStringLiteral("Sheet 984"));
    }

    void modeRules() {
        using catalogue_page::Mode;
        QCOMPARE(catalogue_page::mode(false, false), Mode::Quiz);
        QCOMPARE(catalogue_page::mode(true, false), Mode::Edit);
        QCOMPARE(catalogue_page::mode(true, true), Mode::Edit);
        QCOMPARE(catalogue_page::mode(false, true), Mode::Delete);
        QVERIFY(enterTarget({WizardBox::Choice, 9, 3}) == std::nullopt);
    }
};

LUMORA_TEST(WizardTest)
#include "tst_wizard.moc"
