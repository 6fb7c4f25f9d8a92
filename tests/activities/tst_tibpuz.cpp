#include "activitytesting.h"
#include "platform/twips.h"

using namespace lumora;
using namespace lumora::testing;
using riddle::Frame;
using riddle::Place;
using riddle::Slots;

Q_DECLARE_METATYPE(lumora::riddle::Place)

namespace {

// The pointer position that brings a dragged tile's left edge to `left` twips.
int pointerXForLeft(double left) { return static_cast<int>((left + 540) / TwipsPerPixel); }
constexpr int HomeRowY = 489; // a pointer y that leaves the tile level with the home row

} // namespace

class TibpuzTest : public QObject {
    Q_OBJECT
private slots:
    void captureBoundsAreStrict_data() {
        QTest::addColumn<Place>("tile");
        QTest::addColumn<bool>("captured");
        // The frame of "He grew his beard": left 2760, top 3780, 1080 x 735.
        QTest::newRow("540 left of it") << Place{2220, 3780} << false;
        QTest::newRow("539 left of it") << Place{2221, 3780} << true;
        QTest::newRow("exactly on it") << Place{2760, 3780} << true;
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
        QCOMPARE(
            riddle::dropPlace(letGo, riddle::designedAnswerFrames(), riddle::designedHomeFrames()),
            rest);
    }

    void aSnappedTileStaysPut() {
        // A tile in any frame lies in no other frame's region, so every later test of
        // the drop order leaves it there.
        const auto answers = riddle::designedAnswerFrames();
        const auto homes = riddle::designedHomeFrames();
        for (const auto& frames : {answers, homes}) {
            for (const Frame& f : frames)
                QCOMPARE(riddle::dropPlace(f.place, answers, homes), f.place);
        }
    }

    void opensAsDesigned() {
        Puzzle p;
        Tibpuz& s = p.screen;
        QCOMPARE(s.objectName(), QStringLiteral("tibpuz"));
        QCOMPARE(s.size(), QSize(800, 600));
        QCOMPARE(background(&s), qRgb(0, 51, 154));
        QVERIFY(!s.Label5->isVisible());
        QVERIFY(!p.checkScoreShown());
        QCOMPARE(s.Label3[Tibpuz::Exit]->text(), QStringLiteral("Exit"));
        QCOMPARE(s.Label3[Tibpuz::StartAgain]->text(), QStringLiteral("Start Again"));

        // At home the ages stand in ascending order, each tile under its home frame.
        QMap<int, QString> row;
        for (int i = 0; i < Slots; ++i) {
            row[s.Label2[i]->x()] = s.Label2[i]->text();
            QCOMPARE(s.Label4[i]->geometry(), s.Label2[i]->geometry());
            QVERIFY(s.Label1[i]->isVisible());
            QVERIFY(s.Label1[i]->text().isEmpty());
            QCOMPARE(s.Label2[i]->size(), QSize(72, 49));
            QCOMPARE(background(s.Label2[i]), qRgb(0, 0, 0));
            QCOMPARE(foreground(s.Label2[i]), qRgb(255, 255, 0));
        }
        QCOMPARE(row.values(), (QStringList{"14", "26", "33", "38", "80", "84"}));

        // The event above each answer frame is the one its tile's age belongs to.
        const QMap<QString, QString> eventOfAge = {
            {"84", "He died"},           {"38", "His son was born"}, {"14", "His boyhood ended"},
            {"33", "He grew his beard"}, {"80", "His son died"},     {"26", "He married"}};
        for (int i = 0; i < Slots; ++i) {
            const QRect frame = s.Label1[i]->geometry();
            const QLabel* above = nullptr;
            for (QLabel* text : s.Label7) {
                const QRect g = text->geometry();
                if (g.left() + 48 == frame.left() && g.bottom() + 1 + 4 == frame.top())
                    above = text;
            }
            QVERIFY2(above, qPrintable(QString::number(i)));
            QCOMPARE(above->text(), eventOfAge[s.Label2[i]->text()]);
            QCOMPARE(s.Label1[i]->accessibleName(), above->text() + ": answer frame");
        }
    }

    void scoring_data() {
        QTest::addColumn<QList<int>>("frameOfTile");
        QTest::addColumn<QString>("line");
        QTest::newRow("six right") << QList<int>{0, 1, 2, 3, 4, 5} << "6 out of 6 correct";
        QTest::newRow("two swapped") << QList<int>{0, 1, 5, 3, 4, 2} << "4 out of 6 correct";
        QTest::newRow("two in one frame") << QList<int>{0, 0, 2, 3, 4, 5} << "5 out of 6 correct";
        QTest::newRow("all wrong") << QList<int>{1, 2, 3, 4, 5, 0} << "0 out of 6 correct";
    }
    void scoring() {
        QFETCH(QList<int>, frameOfTile);
        QFETCH(QString, line);
        Puzzle p;
        // A quiz may be under way beneath the puzzle: its score and count stay.
        p.t.app.state.score = 7;
        p.t.app.state.total = 10;
        for (int i = 0; i < Slots; ++i) {
            QVERIFY(!p.checkScoreShown());
            p.dragToAnswer(i, frameOfTile[i]);
            QCOMPARE(p.tile(i), p.screen.board().answer(frameOfTile[i]).place);
            QCOMPARE(p.screen.Label2[i]->geometry(), p.screen.Label1[frameOfTile[i]]->geometry());
        }
        QVERIFY(p.checkScoreShown()); // shown by the sixth drop
        QVERIFY(!p.screen.Label5->isVisible());
        clickMouse(p.screen.Label3[Tibpuz::CheckScore]);
        QVERIFY(p.screen.Label5->isVisible());
        QCOMPARE(p.screen.Label5->text(), line);
        QCOMPARE(p.t.app.state.score, 7);
        QCOMPARE(p.t.app.state.total, 10);

        clickMouse(p.screen.Label3[Tibpuz::StartAgain]);
        QVERIFY(!p.screen.Label5->isVisible());
        QVERIFY(!p.checkScoreShown());
        for (int i = 0; i < Slots; ++i)
            QCOMPARE(p.screen.Label2[i]->geometry(), p.screen.Label4[i]->geometry());
    }

    void strictBoundUnderThePointer() {
        Puzzle p;
        // Tile 3 (33) level with the beard frame, 540 twips left of it: not captured.
        p.drag(3, {pointerXForLeft(2220), 277});
        QCOMPARE(p.tile(3).left, 2220.0f);
        QVERIFY(p.tile(3).top != 3780.0f);
        // One pixel (15 twips) further right it is captured and jumps into the frame.
        p.drag(3, {pointerXForLeft(2235), 277});
        QCOMPARE(p.tile(3), (riddle::Place{2760, 3780}));
    }

    void overlappingHomesGoToTheLowerIndex_data() {
        QTest::addColumn<double>("left");
        QTest::addColumn<int>("home");
        QTest::newRow("homes 2 and 5") << 3105.0 << 2;
        QTest::newRow("homes 2 and 5, nearer 5") << 3120.0 << 2;
        QTest::newRow("homes 5 and 3") << 4425.0 << 3;
    }
    void overlappingHomesGoToTheLowerIndex() {
        QFETCH(double, left);
        QFETCH(int, home);
        Puzzle p;
        p.drag(0, {pointerXForLeft(left), HomeRowY});
        QCOMPARE(p.tile(0), p.screen.board().home(home).place);
    }

    void onlyTheLeftButtonDrags() {
        Puzzle p;
        const QRect start = p.screen.Label2[2]->geometry();
        p.pointer.press(start.center(), Qt::RightButton);
        p.pointer.move(start.center() + QPoint(150, -200));
        QCOMPARE(p.screen.Label2[2]->geometry(), start);
        p.pointer.release(start.center() + QPoint(150, -200), Qt::RightButton);
        QCOMPARE(p.tile(2), p.screen.board().home(2).place);

        // Left and right together do not drag either, and letting go of one button
        // still drops the tile: it snaps into the frame it was brought near.
        const QPoint nearFrame = p.screen.Label1[0]->geometry().center() + QPoint(12, 8);
        p.pointer.press(start.center());
        p.pointer.move(nearFrame);
        const riddle::Place carried = p.tile(2);
        p.pointer.press(nearFrame, Qt::RightButton);
        p.pointer.move(QPoint(60, 420));
        QCOMPARE(p.tile(2), carried);
        p.pointer.release(QPoint(60, 420), Qt::RightButton);
        QCOMPARE(p.tile(2), p.screen.board().answer(0).place);
        p.pointer.release(QPoint(60, 420));
        QCOMPARE(p.tile(2), p.screen.board().answer(0).place);
    }

    void scoreLineUntilThePointerCrossesATile() {
        Puzzle p;
        for (int i = 0; i < Slots; ++i)
            p.dragToAnswer(i, i);
        clickMouse(p.screen.Label3[Tibpuz::CheckScore]);
        QVERIFY(p.screen.Label5->isVisible());
        moveMouse(&p.screen, QPoint(700, 470)); // the background
        moveMouse(p.screen.Label7[Tibpuz::Riddle]);
        QVERIFY(p.screen.Label5->isVisible());
        moveMouse(p.screen.Label2[4]);
        QVERIFY(!p.screen.Label5->isVisible());
    }

    void checkScoreStaysAfterATileLeaves() {
        Puzzle p;
        for (int i = 0; i < Slots; ++i)
            p.dragToAnswer(i, i);
        // A tile can be picked up from its frame; the frame over it does not take the
        // pointer.
        p.drag(0, p.screen.Label4[0]->geometry().center());
        QCOMPARE(p.tile(0), p.screen.board().home(0).place);
        QVERIFY(p.checkScoreShown());
        clickMouse(p.screen.Label3[Tibpuz::CheckScore]);
        QCOMPARE(p.screen.Label5->text(), QStringLiteral("5 out of 6 correct"));
    }

    void hoverHighlight() {
        Puzzle p;
        auto opaque = [&] {
            QList<int> out;
            for (int i = 0; i < Tibpuz::ButtonCount; ++i) {
                if (p.screen.Label3[i]->isOpaque())
                    out << i;
            }
            return out;
        };
        QCOMPARE(opaque(), (QList<int>{0, 1, 2}));
        moveMouse(p.screen.Label7[Tibpuz::Question]); // texts do not take the pointer
        QCOMPARE(opaque(), QList<int>{});
        moveMouse(p.screen.Label3[Tibpuz::Exit]);
        QCOMPARE(opaque(), QList<int>{Tibpuz::Exit});
        moveMouse(&p.screen, QPoint(700, 470));
        QCOMPARE(opaque(), QList<int>{});
    }

    void exitUnloads() {
        Puzzle p;
        p.dragToAnswer(1, 1);
        clickMouse(p.screen.Label3[Tibpuz::Exit]);
        QVERIFY(!p.t.app.screens.isLoaded(QStringLiteral("tibpuz")));
        Tibpuz& again = p.t.app.screens.tibpuz();
        QCOMPARE(again.board().tile(1), again.board().home(1).place);
        QVERIFY(again.Label3[Tibpuz::CheckScore]->isHidden());
    }
};

LUMORA_TEST(TibpuzTest)
#include "tst_tibpuz.moc"
