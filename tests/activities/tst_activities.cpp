// The activities. The three answer-choice drills: their problems from scripted draws,
// then the screens' marking and flashing under the mouse. The age riddle: its snap
// rules on the bare board, then under a real pointer through its window. The keyboard
// play of both is walked in tests/navigation.
#include "activities/decimals.h"
#include "activities/decmult.h"
#include "activities/generators.h"
#include "activities/tibpuz.h"
#include "activities/triangular.h"
#include "platform/twips.h"
#include "shell/buttonlabel.h"
#include "testapp.h"

#include <QtTest>

using namespace lumora;
using namespace lumora::drills;
using namespace lumora::testing;
using riddle::Frame;
using riddle::Place;
using riddle::Slots;

Q_DECLARE_METATYPE(lumora::riddle::Place)

namespace {

using Draws = QList<QPoint>; // (k, n) for Int(Rnd * n) = k

QStringList words(const char* s) { return QString::fromLatin1(s).split(' '); }

DrillFrame& openDrill(TestApp& t, const QString& name) {
    DrillFrame* d = name == "triangular" ? static_cast<DrillFrame*>(&t.app.screens.triangular())
                    : name == "decmult"  ? static_cast<DrillFrame*>(&t.app.screens.decmult())
                                         : &t.app.screens.decimals();
    return shown(*d);
}

// The first box whose caption is (or is not) the answer.
std::optional<int> boxWhere(const DrillFrame& d, bool right) {
    for (int i = 0; i < Choices; ++i)
        if (d.matchesKey(d.Label3[i]->text()) == right)
            return i;
    return std::nullopt;
}

QRgb ink(const DrillFrame& d, int box) { return foreground(d.Label3[box]); }
bool allBlack(const DrillFrame& d) {
    return std::all_of(d.Label3.begin(), d.Label3.end(),
                       [](auto* b) { return foreground(b) == DrillFrame::InkBlack; });
}

} // namespace

class DrillsTest : public QObject {
    Q_OBJECT
private slots:
    void shuffleSwapsInDrawOrder() {
        // First pass: 0 swaps with 3, 1 with 2, then 2 and 3 with themselves.
        ScriptedRandom r;
        for (int i = 0; i < ShufflePasses * Choices; ++i)
            r.push(drawFor(i < 4 ? std::array{3, 2, 2, 3}[i] : i % Choices, Choices));
        std::array<int, Choices> a{10, 11, 12, 13};
        shuffleChoices(a, r);
        QCOMPARE(a, (std::array<int, Choices>{13, 12, 11, 10}));
        QCOMPARE(r.remaining(), std::size_t(0));
    }

    void problems_data() {
        QTest::addColumn<QString>("drill");
        QTest::addColumn<Draws>("draws");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("entries"); // the answer first, before the shuffle
        // The triangular entries: the answer, the triangle before, n², (n-1)²; always "th".
        auto tri = [](int n, const char* entries) {
            QTest::addRow("triangular %d", n)
                << "triangular" << Draws{{n - 7, 94}}
                << QStringLiteral("What is the %1th triangular number?").arg(n) << words(entries);
        };
        // The draws: the places of each operand, then the digits of each in turn.
        auto mult = [](const char* row, QList<int> d, const char* sum, const char* entries) {
            Draws draws{{d[0] - 1, 3}, {d[1] - 1, 2}};
            for (int k : d.mid(2))
                draws << QPoint(k - 1, 99);
            QTest::newRow(row) << "decmult" << draws << sum << words(entries);
        };
        auto frac = [](int numerator, int power, const char* entries) {
            QTest::addRow("%d over 10^%d", numerator, power)
                << "decimals" << Draws{{power - 1, 5}, {numerator - 1, 999}}
                << QStringLiteral("%1/1%2").arg(numerator).arg(QString(power, '0'))
                << words(entries);
        };
        tri(7, "28 21 49 36");
        tri(100, "5050 4950 10000 9801");
        mult("s = 3", {2, 1, 25, 4}, "0.25 x 0.4", "0.1 0.01 0.001 1");
        mult("s = 4", {2, 2, 25, 12}, "0.25 x 0.12", "0.03 0.003 3 0.3");
        mult("whole product", {1, 1, 20, 35}, "2.0 x 3.5", "7 0.7 0.07 0.007");
        mult("s = 5, shown rounded", {3, 2, 57, 25}, "0.06 x 0.25", "0.015 15 1.5 0.15");
        mult("half a hundredth up", {3, 1, 5, 2}, "0.01 x 0.2", "0.002 0.0002 0.2 0.02");
        mult("4 thousandths drawn again", {3, 2, 4, 40, 25}, "0.04 x 0.25", "0.01 10 1 0.1");
        mult("no exponent form", {1, 1, 1, 1}, "0.1 x 0.1", "0.01 0.001 0.0001 0.00001");
        frac(7, 3, "0.007 0.7 0.07 0.0007");
        frac(5, 5, "0.00005 0.05 0.005 0.0005");
        frac(10, 1, "1.0 0.1 0.01 0.001");
        frac(400, 2, "4.0 40 0.4 0.04");
    }
    void problems() {
        QFETCH(QString, drill);
        QFETCH(Draws, draws);
        QFETCH(QString, question);
        QFETCH(QStringList, entries);
        ScriptedRandom r = scriptedDraws(draws);
        QString shown, key = entries[0]; // the triangular key is a number: matched below
        ChoiceTexts boxes;
        if (drill == "triangular") {
            const TriangularProblem p = triangularProblem(r);
            shown = p.question;
            boxes = p.boxTexts();
            for (int i = 0; i < Choices; ++i)
                QCOMPARE(matchesTriangular(entries[i], p.key), i == 0);
            QVERIFY(matchesTriangular(entries[0] + ".0", p.key)); // read as a number
        } else if (drill == "decmult") {
            const DecmultProblem p = decmultProblem(r);
            std::tie(shown, boxes, key) = std::tie(p.sum, p.choices, p.key);
        } else {
            const DecimalsProblem p = decimalsProblem(r);
            shown = p.numeratorText + '/' + p.denominatorText;
            std::tie(boxes, key) = std::tie(p.choices, p.key);
        }
        QCOMPARE(key, entries[0]);
        QCOMPARE(r.reseeds(), 1);
        QCOMPARE(r.remaining(), std::size_t(0));
        QCOMPARE(shown, question);
        QCOMPARE(QStringList(boxes.begin(), boxes.end()), entries);
    }

    void judgingAndFlashing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("showAnswerKeepsFeedback");
        QTest::newRow("triangular") << "triangular" << true;
        QTest::newRow("decmult") << "decmult" << false;
        QTest::newRow("decimals") << "decimals" << false;
    }
    void judgingAndFlashing() {
        QFETCH(QString, name);
        QFETCH(bool, showAnswerKeepsFeedback);
        TestApp t(QStringList{});
        DrillFrame& d = openDrill(t, name);
        QCOMPARE(d.Timer1.interval(), DrillFrame::FirstInterval); // the first flash at once
        QVERIFY(boxWhere(d, true) && boxWhere(d, false));         // never the answer in every box
        const int right = *boxWhere(d, true), wrong = *boxWhere(d, false);

        // "Show Answer", then a wrong click in the white phase: the flash stops and
        // every box is black again.
        clickMouse(d.cmdsoln);
        QVERIFY(d.Timer1.isActive());
        d.tick();
        d.tick();
        QCOMPARE(ink(d, right), DrillFrame::InkWhite);
        QCOMPARE(ink(d, wrong), DrillFrame::InkBlack);
        clickMouse(d.Label3[wrong]);
        QVERIFY(!d.Timer1.isActive() && allBlack(d) && d.Label1->isVisible());
        QCOMPARE(d.Label1->text(), DrillFrame::WrongText);

        // "Show Answer" after the wrong click: only the triangular drill keeps the line.
        clickMouse(d.cmdsoln);
        QVERIFY(d.Timer1.isActive());
        QCOMPARE(d.Label1->isVisible(), showAnswerKeepsFeedback);
        QCOMPARE(d.Label1->text(), DrillFrame::WrongText);

        // Two right clicks: the praise both times and the flash goes on, on the real
        // timer, every 250 ms.
        for (int n = 0; n < 2; ++n) {
            clickMouse(d.Label3[right]);
            QVERIFY(d.Label1->isVisible() && d.Timer1.isActive());
            QCOMPARE(d.Label1->text(), DrillFrame::RightText);
        }
        const int phase = d.blinkPhase();
        QTRY_VERIFY_WITH_TIMEOUT(d.blinkPhase() != phase, 400);

        // "New Problem" while flashing.
        if (d.blinkPhase() == 1)
            d.tick(); // into the white phase
        QVERIFY(!allBlack(d));
        clickMouse(d.cmdgo);
        QVERIFY(!d.Timer1.isActive() && allBlack(d) && !d.Label1->isVisible());
        QCOMPARE(d.blinkPhase(), 0);

        QVERIFY(t.app.messages.history().empty()); // a missing picture is not news
    }
};

LUMORA_TEST(DrillsTest)

class TibpuzTest : public QObject {
    Q_OBJECT
private slots:
    void captureBoundsAreStrict_data() {
        QTest::addColumn<Place>("tile");
        QTest::addColumn<bool>("captured");
        // The frame of "He grew his beard": left 2760, top 3780, 1080 x 735.
        QTest::newRow("540 left of it") << Place{2220, 3780} << false;
        QTest::newRow("539 left of it") << Place{2221, 3780} << true;
        QTest::newRow("one frame width right") << Place{3840, 3780} << false;
        QTest::newRow("just inside the right") << Place{3839, 3780} << true;
        QTest::newRow("half a height above") << Place{2760, 3412.5f} << false;
        QTest::newRow("just inside the top") << Place{2760, 3413} << true;
        QTest::newRow("one height below") << Place{2760, 4515} << false;
        QTest::newRow("just inside the bottom") << Place{2760, 4514} << true;
    }
    void captureBoundsAreStrict() {
        QFETCH(Place, tile);
        QFETCH(bool, captured);
        QCOMPARE(riddle::captures(Frame{{2760, 3780}}, tile), captured);
    }

    void dropOrder_data() {
        QTest::addColumn<Place>("letGo");
        QTest::addColumn<Place>("rest");
        QTest::newRow("overlap of homes 2 and 5: the lower index")
            << Place{3110, 6960} << Place{2160, 6960};
        QTest::newRow("overlap of homes 5 and 3: the lower index")
            << Place{4430, 6960} << Place{4800, 6960};
        QTest::newRow("near an answer frame") << Place{2221, 3500} << Place{2760, 3780};
        QTest::newRow("nowhere") << Place{2220, 3780} << Place{2220, 3780};
        QTest::newRow("off the board") << Place{-5000, 20000} << Place{-5000, 20000};
    }
    void dropOrder() {
        QFETCH(Place, letGo);
        QFETCH(Place, rest);
        const auto answers = riddle::designedAnswerFrames();
        const auto homes = riddle::designedHomeFrames();
        QCOMPARE(riddle::dropPlace(letGo, answers, homes), rest);
        // A tile in any frame lies in no other frame's region: it stays put.
        for (int i = 0; i < Slots; ++i)
            for (Place at : {answers[i].place, homes[i].place})
                QCOMPARE(riddle::dropPlace(at, answers, homes), at);
    }

    void scoring_data() {
        QTest::addColumn<QList<int>>("frameOfTile");
        QTest::addColumn<QString>("line");
        QTest::newRow("two in one frame") << QList<int>{0, 0, 2, 3, 4, 5} << "5 out of 6 correct";
        QTest::newRow("all wrong") << QList<int>{1, 2, 3, 4, 5, 0} << "0 out of 6 correct";
    }
    void scoring() {
        QFETCH(QList<int>, frameOfTile);
        QFETCH(QString, line);
        TestApp t{QStringList{}};
        Tibpuz& s = shown(t.app.screens.tibpuz());
        // Picks tile i up at its centre and lets it go with the pointer at `to`.
        auto drag = [&](int i, QPoint to) {
            const QPoint from = s.Label2[i]->geometry().center();
            QTest::mousePress(s.windowHandle(), Qt::LeftButton, {}, from);
            QTest::mouseMove(s.windowHandle(), to);
            QTest::mouseRelease(s.windowHandle(), Qt::LeftButton, {}, to);
            settle();
        };
        auto checkScoreShown = [&] { return s.Label3[Tibpuz::CheckScore]->isVisible(); };
        // A quiz may be under way beneath the puzzle: its score and count stay.
        t.app.state.score = 7;
        t.app.state.total = 10;
        for (int i = 0; i < Slots; ++i) {
            QVERIFY(!checkScoreShown()); // shown by the sixth drop
            drag(i, s.Label1[frameOfTile[i]]->geometry().center());
            QCOMPARE(s.board().tile(i), s.board().answer(frameOfTile[i]).place);
        }
        QVERIFY(checkScoreShown());
        clickMouse(s.Label3[Tibpuz::CheckScore]);
        QCOMPARE(s.Label5->text(), line);
        QCOMPARE(std::pair(t.app.state.score, t.app.state.total), std::pair(7, 10));
        // The line stays until the pointer crosses a tile.
        moveMouse(&s, QPoint(700, 470));
        moveMouse(s.Label7[Tibpuz::Riddle]);
        QVERIFY(s.Label5->isVisible());
        moveMouse(s.Label2[4]);
        QVERIFY(!s.Label5->isVisible());
        // A tile is picked up from under its frame; Check Score stays.
        drag(5, s.Label4[5]->geometry().center());
        QCOMPARE(s.board().tile(5), s.board().home(5).place);
        QVERIFY(checkScoreShown());

        clickMouse(s.Label3[Tibpuz::StartAgain]);
        QVERIFY(!s.Label5->isVisible());
        QVERIFY(!checkScoreShown());
        for (int i = 0; i < Slots; ++i)
            QCOMPARE(s.Label2[i]->geometry(), s.Label4[i]->geometry());
    }
};

LUMORA_TEST(TibpuzTest)
#include "tst_activities.moc"
