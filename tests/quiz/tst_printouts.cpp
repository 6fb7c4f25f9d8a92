// The quiz's two printouts, on a recording printer whose every place can be worked
// out by hand, and what the pupil is told when printing goes wrong.
#include "quiz/printouts.h"
#include "testapp.h"

#include <QPrinterInfo>
#include <QScopeGuard>
#include <QtTest>

using namespace lumora;
using Kind = RecordingPrinter::Kind;
using Operation = RecordingPrinter::Operation;

namespace {

// Fixed pitch: a character is size x 10 twips wide, a line size x 24 twips high.
constexpr double W = 11000;
constexpr double H = 16000;

const QRgb Black = qRgb(0, 0, 0), DarkBlue = qRgb(0, 0, 128), Blue = qRgb(0, 0, 255);
const QRgb Red = qRgb(255, 0, 0);
const QString Problem = QStringLiteral("There was a problem printing to your printer.");

void compareText(const Operation& op, const QString& text, QPointF at, double size, QRgb colour) {
    QCOMPARE(op.kind, Kind::Text);
    QCOMPARE(op.text, text);
    QCOMPARE(op.at, at);
    QCOMPARE(op.font, (PrintFont{"Times New Roman", size}));
    QCOMPARE(op.colour, colour);
}

} // namespace

class PrintoutsTest : public QObject {
    Q_OBJECT
private slots:
    void certificate_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("wide");
        QTest::newRow("named pupil") << "Ada Brook" << false;
        QTest::newRow("wide heading") << "Ada Brook" << true;
        QTest::newRow("empty name box") << "" << false;
    }
    void certificate() {
        QFETCH(QString, name);
        QFETCH(bool, wide);
        RecordingPrinter p(W, H);
        printouts::printCertificate(p, "Tiberan Quiz", 10, 10, name, wide);
        const auto t = p.all(Kind::Text);
        QCOMPARE(t.size(), std::size_t(22));
        const QString band = printouts::Band + printouts::Band;
        // The blank lines between show only in where the next texts land.
        compareText(t[1], band, {0, 600}, 25, Blue);
        compareText(t[5], "Lumora", {4420, 2400}, 36, Red);
        const double hs = wide ? 28 : 36; // heading size
        compareText(t[7], "Tiberan Quiz", {(W - 12 * hs * 10) / 2, 4128}, hs, Blue);
        // From here on a wide heading has moved everything up by two 8-point steps.
        const double up = wide ? 2 * 8 * 24 : 0;
        compareText(t[12], "Excellent Work", {3540, 8448 - up}, 28, DarkBlue);
        compareText(t[14], name, {(W - name.size() * 280) / 2, 9792 - up}, 28, DarkBlue);
        compareText(t[16], "You have scored 10 out of 10.", {1440, 11136 - up}, 28, DarkBlue);
        compareText(t[21], band, {0, 14808 - up}, 25, Black);

        // The border, drawn over the finished text: eight frames of four sides, the
        // first round the page and the second round the score.
        const auto lines = p.all(Kind::Line);
        QCOMPARE(lines.size(), std::size_t(32));
        const double rects[2][4] = {{45, 270, 10955, 15730}, {645, 7320, 10355, 11980}};
        for (std::size_t r = 0; r < 2; ++r) {
            const auto [l, t, rt, b] = rects[r];
            const QLineF expected[4] = {{l, t, rt, t}, {l, t, l, b}, {rt, t, rt, b}, {l, b, rt, b}};
            for (std::size_t side = 0; side < 4; ++side) {
                const Operation& op = lines[4 * r + side];
                QCOMPARE(QLineF(op.at, op.to), expected[side]);
                QVERIFY(op.lineWidth == 2 && op.colour == Black);
            }
        }
        const auto& ops = p.operations();
        QCOMPARE(ops[ops.size() - 34].kind, Kind::Text);
        QCOMPARE(ops.back().kind, Kind::End);
        QCOMPARE(p.page(), 1);
    }

    void worksheet() {
        RecordingPrinter p(W, H);
        printouts::printWorksheet(p, "Joris Malten", "Doubling", testing::sampleQuiz());
        const auto t = p.all(Kind::Text);
        QCOMPARE(t.size(), std::size_t(7 + 10 * 6));
        const QString header = "Lumora" + QString(57, ' ') + "Brenvale";
        compareText(t[1], header, {W / 16, 384}, 16, Black);
        compareText(t[4], "Joris Malten", {(W - 12 * 320) / 2, 1152}, 32, Black);
        compareText(t[5], "Doubling", {(W - 8 * 320) / 2, 1920}, 32, Black);
        for (int i = 1; i <= 10; ++i) {
            const auto* q = &t[static_cast<std::size_t>(7 + 6 * (i - 1))];
            const double y = 3456 + (i - 1) * 1152; // four 12-point lines a question
            compareText(q[0], QStringLiteral("Question %1    What is %1, doubled?").arg(i),
                        {W / 16, y}, 12, Black);
            compareText(q[1], "A. " + QString::number(2 * i), {W / 3, y + 288}, 12, Black);
            compareText(q[2], "B. " + QString::number(i), {2 * W / 3, y + 288}, 12, Black);
            compareText(q[3], "C. " + QString::number(i + 2), {W / 3, y + 576}, 12, Black);
            compareText(q[4], "D. " + QString::number(i * i), {2 * W / 3, y + 576}, 12, Black);
        }
        QVERIFY(p.all(Kind::Line).empty());
        QCOMPARE(p.operations().back().kind, Kind::End);

        // Wide headings and long choices are not wrapped, and B keeps its column.
        RecordingPrinter wide(W, H);
        SharedState s = testing::sampleQuiz();
        s.choicea[1] = QString(80, 'x');
        printouts::printWorksheet(wide, QString(60, 'H'), "Doubling", s);
        const auto w = wide.all(Kind::Text);
        QCOMPARE(w[4].at.x(), (W - 60 * 320) / 2);
        QCOMPARE(w[8].text.size(), 83);
        QCOMPARE(w[9].at, QPointF(2 * W / 3, 3744));
    }

    // Printers: 0 records, 1 writes a PDF into a missing folder, 2 jams at the end,
    // 3 fails with something other than the printer, 4 is the system's own with no
    // default printer (libcups takes LPDEST first).
    void running_data() {
        QTest::addColumn<int>("printer");
        QTest::addColumn<QString>("certificate");
        QTest::addColumn<QString>("worksheet");
        QTest::newRow("recording") << 0 << "Your certificate is now printing."
                                   << "Your worksheet is now printing.";
        QTest::newRow("cannot write") << 1 << Problem << Problem;
        QTest::newRow("fails at the end") << 2 << Problem << Problem;
        QTest::newRow("something else") << 3 << "Printing has been cancelled." << Problem;
        QTest::newRow("no default printer") << 4 << Problem << Problem;
    }
    void running() {
        QFETCH(int, printer);
        QFETCH(QString, certificate);
        QFETCH(QString, worksheet);
        const QByteArray lpdest = qgetenv("LPDEST");
        auto restore = qScopeGuard([&] { qputenv("LPDEST", lpdest); });
        qputenv("LPDEST", "lumora-no-such-printer");
        if (printer == 4 && !QPrinterInfo::defaultPrinter().isNull())
            QSKIP("the default printer cannot be hidden from this test: not printing for real");
        testing::TestApp t(QStringList{});
        QStringList documents;
        t.app.printers.setOpener([&](const QString& name) -> std::unique_ptr<Printer> {
            documents << name;
            if (printer == 1)
                return openPdfPrinter(t.folder.path() + "/missing-folder/out.pdf", name);
            if (printer == 3)
                throw std::runtime_error("out of luck");
            return printer == 4 ? openDefaultPrinter(name) : t.keptPrinter(printer == 2);
        });
        SharedState s = testing::sampleQuiz();
        s.quizheading = QString(200, 'M');
        s.score = 9; // the certificate prints what it is given
        printouts::runCertificatePrintout(t.app.messages, t.app.printers, s, "Ada",
                                          QFont("Liberation Sans"));
        printouts::runWorksheetPrintout(t.app.messages, t.app.printers, "Heading", "Doubling", s);
        if (printer == 0) {
            const auto& record = t.printouts[0];
            QCOMPARE(record[7].text, s.quizheading);
            QCOMPARE(record[7].font.size, 28.0); // wide on screen: printed smaller
            QCOMPARE(record[16].text, QStringLiteral("You have scored 9 out of 10."));
            QCOMPARE(t.printouts[1].back().kind, Kind::End);
            QCOMPARE(documents, (QStringList{"Lumora certificate", "Lumora worksheet"}));
        }
        const auto& told = t.app.messages.history();
        QCOMPARE(told.size(), std::size_t(2));
        QCOMPARE(told[0].text, certificate);
        QCOMPARE(told[0].title, QStringLiteral("Lumora"));
        QCOMPARE(told[0].buttons, MessageButtons::Ok);
        QCOMPARE(told[1].text, worksheet);
    }
};

LUMORA_TEST(PrintoutsTest)
#include "tst_printouts.moc"
