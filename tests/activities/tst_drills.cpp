#include "activitytesting.h"
#include "platform/twips.h"

#include <QFrame>

using namespace lumora;
using namespace lumora::testing;

namespace {

QRgb ink(const DrillFrame& d, int box) { return foreground(d.Label3[box]); }

bool allBlack(const DrillFrame& d) {
    for (int i = 0; i < drills::Choices; ++i) {
        if (ink(d, i) != DrillFrame::InkBlack)
            return false;
    }
    return true;
}

} // namespace

class DrillsTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithAProblem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRgb>("colour");
        QTest::addColumn<QString>("boxFamily");
        QTest::addColumn<int>("boxPixels");
        QTest::addColumn<int>("feedbackPixels");
        QTest::newRow("triangular") << "triangular" << qRgb(40, 65, 136) << "Symbol" << 48 << 32;
        QTest::newRow("decmult") << "decmult" << qRgb(41, 65, 137) << "Arial" << 43 << 48;
        QTest::newRow("decimals") << "decimals" << qRgb(41, 65, 137) << "Arial" << 37 << 48;
    }
    void opensWithAProblem() {
        QFETCH(QString, name);
        QFETCH(QRgb, colour);
        QFETCH(QString, boxFamily);
        QFETCH(int, boxPixels);
        QFETCH(int, feedbackPixels);
        TestApp t({"Images/triangular.jpg"});
        DrillFrame& d = openDrill(t, name);
        QCOMPARE(d.objectName(), name);
        QCOMPARE(d.size(), QSize(800, 600));
        QCOMPARE(background(&d), colour);
        QVERIFY(!d.Label1->isVisible());
        QVERIFY(!d.Timer1.isActive());
        QCOMPARE(d.Label1->font().pixelSize(), feedbackPixels);
        QVERIFY(!d.Label1->font().bold());
        for (int i = 0; i < drills::Choices; ++i) {
            ButtonLabel* box = d.Label3[i];
            QVERIFY(!box->text().isEmpty());
            QCOMPARE(background(box), qRgb(255, 255, 0));
            QCOMPARE(ink(d, i), DrillFrame::InkBlack);
            QCOMPARE(box->font().family(), boxFamily);
            QCOMPARE(box->font().pixelSize(), boxPixels);
            QVERIFY(box->font().bold());
            if (i > 0) // one row, left to right, above the feedback line
                QVERIFY(box->x() > d.Label3[i - 1]->geometry().right() &&
                        box->y() == d.Label3[0]->y());
        }
        QVERIFY(boxWhere(d, true));
        QVERIFY(d.Label1->y() > d.Label3[0]->geometry().bottom());
        // "New Problem" left, "Show Answer" in the middle, "Exit" right, at the bottom.
        QCOMPARE(d.cmdgo->text(), QStringLiteral("New Problem"));
        QCOMPARE(d.cmdsoln->text(), QStringLiteral("Show Answer"));
        QCOMPARE(d.cmdexit->text(), QStringLiteral("Exit"));
        QVERIFY(d.cmdgo->geometry().right() < d.cmdsoln->x());
        QVERIFY(d.cmdsoln->geometry().right() < d.cmdexit->x());
        QCOMPARE(d.cmdsoln->x() + d.cmdsoln->width() / 2, 400);
        QVERIFY(d.cmdgo->y() > d.Label1->geometry().bottom());
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
        TestApp t({"Images/triangular.jpg"});
        DrillFrame& d = openDrill(t, name);
        // A product of 0 puts the answer in every box; take the next problem then.
        for (int tries = 0; tries < 100 && !boxWhere(d, false); ++tries)
            clickMouse(d.cmdgo);
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
        QVERIFY(!d.Timer1.isActive());
        QVERIFY(allBlack(d));
        QVERIFY(d.Label1->isVisible());
        QCOMPARE(d.Label1->text(), DrillFrame::WrongText);

        // "Show Answer" after the wrong click: only the triangular drill keeps the line.
        clickMouse(d.cmdsoln);
        QVERIFY(d.Timer1.isActive());
        QCOMPARE(d.Label1->isVisible(), showAnswerKeepsFeedback);
        QCOMPARE(d.Label1->text(), DrillFrame::WrongText);

        // Two right clicks: the praise both times and the flash goes on, on the real
        // timer, every 250 ms; pressing "Show Answer" again does not put it back.
        for (int n = 0; n < 2; ++n) {
            clickMouse(d.Label3[right]);
            QVERIFY(d.Label1->isVisible());
            QCOMPARE(d.Label1->text(), DrillFrame::RightText);
            QVERIFY(d.Timer1.isActive());
        }
        QCOMPARE(d.Timer1.interval(), DrillFrame::FlashInterval);
        const int phase = d.blinkPhase();
        QTRY_VERIFY_WITH_TIMEOUT(d.blinkPhase() != phase, 400);
        QTest::qWait(60);
        const int remaining = d.Timer1.remainingTime();
        clickMouse(d.cmdsoln);
        QVERIFY(d.Timer1.remainingTime() <= remaining);

        // "New Problem" while flashing.
        if (d.blinkPhase() == 1)
            d.tick(); // into the white phase
        QVERIFY(!allBlack(d));
        clickMouse(d.cmdgo);
        QVERIFY(!d.Timer1.isActive());
        QVERIFY(allBlack(d));
        QVERIFY(!d.Label1->isVisible());
        QCOMPARE(d.blinkPhase(), 0);
        QVERIFY(boxWhere(d, true));

        QPointer<DrillFrame> screen = &d;
        clickMouse(d.cmdexit);
        QVERIFY(!t.app.screens.isLoaded(name));
        QVERIFY(!screen);
    }

    void theFirstFlashComesAtOnce() {
        TestApp t(QStringList{});
        DrillFrame& d = openDrill(t, "decimals");
        QCOMPARE(d.Timer1.interval(), DrillFrame::FirstInterval);
        clickMouse(d.cmdsoln);
        QTRY_COMPARE_WITH_TIMEOUT(d.blinkPhase(), 1, 200);
        QCOMPARE(d.Timer1.interval(), DrillFrame::FlashInterval);
    }

    void triangularPicture_data() {
        QTest::addColumn<bool>("present");
        QTest::newRow("with its picture") << true;
        QTest::newRow("picture missing") << false;
    }
    void triangularPicture() {
        QFETCH(bool, present);
        TestApp t(present ? QStringList{"Images/triangular.jpg"} : QStringList{});
        Triangular& d = t.app.screens.triangular();
        QCOMPARE(d.Image1->pixmap().size(), present ? QSize(256, 192) : QSize(0, 0));
        // Top right, beside the worked example and above the general rule.
        QVERIFY(d.Image1->x() > d.Label6->geometry().right());
        QVERIFY(d.Image1->x() + 256 < 800 && d.Image1->y() + 192 < d.Label4->y());
        QVERIFY(t.app.messages.history().empty()); // the drill works without it
        QCOMPARE(d.Label2->text(), d.problem().question);
        clickMouse(d.Label3[*boxWhere(d, true)]);
        QCOMPARE(d.Label1->text(), DrillFrame::RightText);
    }

    void decimalDrillsShowTheirProblem() {
        TestApp t(QStringList{});
        Decmult& m = t.app.screens.decmult();
        QCOMPARE(m.Label2->text(), m.problem().sum);

        Decimals& d = t.app.screens.decimals();
        // The bar lies between the two numbers, centred under the numerator and
        // narrower than both.
        const QRect bar = d.Shape1->geometry(), top = d.Label2[0]->geometry(),
                    bottom = d.Label2[1]->geometry();
        QCOMPARE(background(d.Shape1), qRgb(255, 255, 0));
        QVERIFY(bar.top() > top.bottom() - 2 && bar.bottom() < bottom.top());
        QCOMPARE(bar.center().x(), top.center().x());
        QVERIFY(bar.width() < top.width() && bar.width() < bottom.width());
        for (int n = 0; n < 3; ++n) {
            clickMouse(d.cmdgo);
            QCOMPARE(d.Label2[Decimals::Numerator]->text(), d.problem().numeratorText);
            QCOMPARE(d.Label2[Decimals::Denominator]->text(), d.problem().denominatorText);
            for (int i = 0; i < drills::Choices; ++i)
                QCOMPARE(d.Label3[i]->text(), d.problem().choices[i]);
        }
    }
};

LUMORA_TEST(DrillsTest)
#include "tst_drills.moc"
