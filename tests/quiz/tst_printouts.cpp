#include "platform/messages.h"
#include "platform/printer.h"
#include "quiz/printouts.h"
#include "testing.h"

#include <QFontMetrics>
#include <QPrinterInfo>
#include <QtTest>

using namespace lumora;
using Kind = RecordingPrinter::Kind;
using Operation = RecordingPrinter::Operation;

namespace {

// Fixed pitch (see TextMetric::fixedPitch): a character is size x 10 twips wide, a
// line size x 24 twips high, so every place below can be worked out by hand.
constexpr double W = 11000;
constexpr double H = 16000;

const QRgb Black = qRgb(0, 0, 0);
const QRgb DarkBlue = qRgb(0, 0, 128);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Red = qRgb(255, 0, 0);

// A recording printer that leaves its record behind when the printout is done with it.
class Recorder : public RecordingPrinter {
public:
    explicit Recorder(std::vector<Operation>& out) : RecordingPrinter(W, H), m_out(out) {}
    ~Recorder() override { m_out = operations(); }

private:
    std::vector<Operation>& m_out;
};

// A printer that accepts the whole page and then cannot print it.
class Jammed : public RecordingPrinter {
public:
    Jammed() : RecordingPrinter(W, H) {}

protected:
    void finish() override { throw PrintError("paper jam"); }
};

SharedState quiz() {
    SharedState s;
    for (int i = 1; i <= SharedState::Questions; ++i) {
        const auto at = static_cast<std::size_t>(i);
        s.question[at] = QStringLiteral("What is %1, doubled?").arg(i);
        s.choicea[at] = QString::number(2 * i);
        s.choiceb[at] = QString::number(i);
        s.choicec[at] = QString::number(i + 2);
        s.choiced[at] = QString::number(i * i);
    }
    s.quiztitle = QStringLiteral("Doubling");
    s.quizheading = QStringLiteral("Tiberan Quiz");
    s.score = 10;
    s.total = 10;
    return s;
}

void compareText(const Operation& op, const QString& text, QPointF at, double size, QRgb colour) {
    QCOMPARE(op.kind, Kind::Text);
    QCOMPARE(op.text, text);
    QCOMPARE(op.at, at);
    QCOMPARE(op.font, (PrintFont{"Times New Roman", size}));
    QCOMPARE(op.colour, colour);
}

// Hides the default printer from this process (libcups takes LPDEST first).
struct NoDefaultPrinter {
    NoDefaultPrinter() : previous(qgetenv("LPDEST")), had(qEnvironmentVariableIsSet("LPDEST")) {
        qputenv("LPDEST", "lumora-no-such-printer");
    }
    ~NoDefaultPrinter() {
        if (had)
            qputenv("LPDEST", previous);
        else
            qunsetenv("LPDEST");
    }
    QByteArray previous;
    bool had;
};

} // namespace

class PrintoutsTest : public QObject {
    Q_OBJECT
private slots:
    void certificateText_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("wide");
        QTest::newRow("named pupil") << "Ada Brook" << false;
        QTest::newRow("wide heading") << "Ada Brook" << true;
        QTest::newRow("empty name box") << "" << false;
    }
    void certificateText() {
        QFETCH(QString, name);
        QFETCH(bool, wide);
        RecordingPrinter p(W, H);
        printouts::printCertificate(p, "Tiberan Quiz", 10, 10, name, wide);
        const auto t = p.all(Kind::Text);
        QCOMPARE(t.size(), std::size_t(22));
        const QString band = printouts::Band + printouts::Band;
        QCOMPARE(band.size(), 118);

        compareText(t[0], " ", {W / 8, 0}, 25, Blue);
        compareText(t[1], band, {0, 600}, 25, Blue);
        compareText(t[2], " ", {118 * 250, 600}, 25, Blue);
        compareText(t[3], " ", {0, 1200}, 25, Blue);
        compareText(t[4], " ", {0, 1800}, 25, Blue);
        compareText(t[5], "Lumora", {4420, 2400}, 36, Red);
        compareText(t[6], " ", {0, 3264}, 36, Red);
        const double hs = wide ? 28 : 36; // heading size
        compareText(t[7], "Tiberan Quiz", {(W - 12 * hs * 10) / 2, 4128}, hs, Blue);
        compareText(t[8], " ", {0, 4128 + hs * 24}, hs, Blue);
        // From here on a wide heading has moved everything up by two 8-point steps.
        const double up = wide ? 2 * 8 * 24 : 0;
        compareText(t[9], " ", {0, 5856 - up}, 36, Blue);
        compareText(t[11], " ", {0, 7584 - up}, 36, Blue);
        compareText(t[12], "Excellent Work", {3540, 8448 - up}, 28, DarkBlue);
        compareText(t[13], " ", {0, 9120 - up}, 28, DarkBlue);
        compareText(t[14], name, {(W - name.size() * 280) / 2, 9792 - up}, 28, DarkBlue);
        compareText(t[15], " ", {0, 10464 - up}, 28, DarkBlue);
        compareText(t[16], "You have scored 10 out of 10.", {1440, 11136 - up}, 28, DarkBlue);
        compareText(t[17], " ", {0, 11808 - up}, 28, DarkBlue);
        compareText(t[18], " ", {0, 12480 - up}, 36, DarkBlue);
        compareText(t[19], " ", {0, 13344 - up}, 36, DarkBlue);
        compareText(t[20], " ", {0, 14208 - up}, 25, Blue);
        compareText(t[21], band, {0, 14808 - up}, 25, Black);
        QCOMPARE(p.page(), 1);
    }

    void certificateBorder() {
        RecordingPrinter p(W, H);
        printouts::printCertificate(p, "Tiberan Quiz", 10, 10, "Ada", false);
        // Frame 1, box 1, frame 2, box 2, frame 3, box 3, frame 4, frame 5.
        const double rects[8][4] = {{45, 270, 10955, 15730},  {645, 7320, 10355, 11980},
                                    {90, 315, 10910, 15685},  {690, 7365, 10310, 11935},
                                    {135, 360, 10865, 15640}, {735, 7410, 10265, 11890},
                                    {180, 405, 10820, 15595}, {225, 450, 10775, 15550}};
        const auto lines = p.all(Kind::Line);
        QCOMPARE(lines.size(), std::size_t(32));
        for (std::size_t r = 0; r < 8; ++r) {
            const auto [l, t, rt, b] = rects[r];
            const QLineF expected[4] = {{l, t, rt, t}, {l, t, l, b}, {rt, t, rt, b}, {l, b, rt, b}};
            for (std::size_t side = 0; side < 4; ++side) {
                const Operation& op = lines[4 * r + side];
                QCOMPARE(QLineF(op.at, op.to), expected[side]);
                QCOMPARE(op.lineWidth, 2);
                QCOMPARE(op.colour, Black);
            }
        }
        // The border is drawn over the finished text, then the document ends.
        const auto& ops = p.operations();
        QCOMPARE(ops[ops.size() - 34].kind, Kind::Text);
        QCOMPARE(ops.back().kind, Kind::End);
        QVERIFY(p.ended());
    }

    void worksheet() {
        RecordingPrinter p(W, H);
        printouts::printWorksheet(p, "Joris Malten", "Doubling", quiz());
        const auto t = p.all(Kind::Text);
        QCOMPARE(t.size(), std::size_t(7 + 10 * 6));
        compareText(t[0], " ", {W / 8, 0}, 16, Black);
        const QString header = "Lumora" + QString(57, ' ') + "Brenvale";
        compareText(t[1], header, {W / 16, 384}, 16, Black);
        compareText(t[2], " ", {W / 16 + 71 * 160, 384}, 16, Black);
        compareText(t[3], " ", {0, 768}, 16, Black);
        compareText(t[4], "Joris Malten", {(W - 12 * 320) / 2, 1152}, 32, Black);
        compareText(t[5], "Doubling", {(W - 8 * 320) / 2, 1920}, 32, Black);
        compareText(t[6], " ", {0, 2688}, 32, Black);
        for (int i = 1; i <= 10; ++i) {
            const auto* q = &t[static_cast<std::size_t>(7 + 6 * (i - 1))];
            const double y = 3456 + (i - 1) * 1152; // four 12-point lines a question
            compareText(q[0], QStringLiteral("Question %1    What is %1, doubled?").arg(i),
                        {W / 16, y}, 12, Black);
            compareText(q[1], "A. " + QString::number(2 * i), {W / 3, y + 288}, 12, Black);
            compareText(q[2], "B. " + QString::number(i), {2 * W / 3, y + 288}, 12, Black);
            compareText(q[3], "C. " + QString::number(i + 2), {W / 3, y + 576}, 12, Black);
            compareText(q[4], "D. " + QString::number(i * i), {2 * W / 3, y + 576}, 12, Black);
            compareText(q[5], " ", {0, y + 864}, 12, Black);
        }
        QVERIFY(p.all(Kind::Line).empty());
        QCOMPARE(p.operations().back().kind, Kind::End);
    }

    void wideHeadingsAndLongChoicesAreNotWrapped() {
        RecordingPrinter p(W, H);
        SharedState s = quiz();
        s.choicea[1] = QString(80, 'x');
        const QString heading(60, 'H'); // 60 x 320 twips, far wider than the page
        printouts::printWorksheet(p, heading, "Doubling", s);
        const auto t = p.all(Kind::Text);
        QCOMPARE(t[4].text, heading);
        QCOMPARE(t[4].at.x(), (W - 60 * 320) / 2);
        QVERIFY(t[4].at.x() < 0);
        QCOMPARE(t[8].text.size(), 83);
        QCOMPARE(t[9].at, QPointF(2 * W / 3, 3744)); // B stays in its column
    }

    void headingWidthIsMeasuredOnScreen() {
        QFont screen("Liberation Sans");
        screen.setPixelSize(13);
        const QString heading = "Joris Malten Quiz";
        const double onScreen = QFontMetrics(screen).horizontalAdvance(heading) * 15.0;
        QVERIFY(onScreen > 0);
        QVERIFY(!printouts::headingIsWide(heading, screen, 4 * onScreen));
        QVERIFY(printouts::headingIsWide(heading, screen, 4 * onScreen - 4));
        QVERIFY(!printouts::headingIsWide("", screen, 0));
    }

    void certificateRunsOnTheFactorysPrinter_data() {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<double>("size");
        QTest::newRow("short heading") << "Quiz" << 36.0;
        QTest::newRow("long heading") << QString(200, 'M') << 28.0;
    }
    void certificateRunsOnTheFactorysPrinter() {
        QFETCH(QString, heading);
        QFETCH(double, size);
        std::vector<Operation> record;
        PrinterFactory printers;
        QString document;
        printers.setOpener([&](const QString& name) {
            document = name;
            return std::make_unique<Recorder>(record);
        });
        Messages messages;
        messages.setResponder([](const MessageRequest&) { return MessageAnswer::Ok; });
        SharedState s = quiz();
        s.quizheading = heading;
        s.score = 9; // the certificate prints what it is given
        printouts::runCertificatePrintout(messages, printers, s, "Ada", QFont("Liberation Sans"));

        QCOMPARE(document, QStringLiteral("Lumora certificate"));
        QCOMPARE(messages.history().size(), std::size_t(1));
        QCOMPARE(messages.history()[0].text, QStringLiteral("Your certificate is now printing."));
        QCOMPARE(messages.history()[0].title, QStringLiteral("Lumora"));
        QCOMPARE(record.back().kind, Kind::End);
        QCOMPARE(record[7].text, heading);
        QCOMPARE(record[7].font.size, size);
        QCOMPARE(record[16].text, QStringLiteral("You have scored 9 out of 10."));
    }

    void worksheetRunsOnTheFactorysPrinter() {
        std::vector<Operation> record;
        PrinterFactory printers;
        printers.setOpener([&](const QString&) { return std::make_unique<Recorder>(record); });
        Messages messages;
        messages.setResponder([](const MessageRequest&) { return MessageAnswer::Ok; });
        printouts::runWorksheetPrintout(messages, printers, "Heading", "Doubling", quiz());
        QCOMPARE(messages.history().size(), std::size_t(1));
        QCOMPARE(messages.history()[0].text, QStringLiteral("Your worksheet is now printing."));
        QCOMPARE(record.back().kind, Kind::End);
    }

    void failuresSayWhatHappened_data() {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("certificate");
        QTest::addColumn<QString>("worksheet");
        const QString problem = "There was a problem printing to your printer.";
        QTest::newRow("printer cannot write") << 0 << problem << problem;
        QTest::newRow("printer fails at the end") << 1 << problem << problem;
        QTest::newRow("something else") << 2 << "Printing has been cancelled." << problem;
    }
    void failuresSayWhatHappened() {
        QFETCH(int, failure);
        QFETCH(QString, certificate);
        QFETCH(QString, worksheet);
        testing::ScratchFolder dir;
        PrinterFactory printers;
        printers.setOpener([&](const QString& name) -> std::unique_ptr<Printer> {
            if (failure == 0)
                return openPdfPrinter(dir.path() + "/missing-folder/out.pdf", name);
            if (failure == 1)
                return std::make_unique<Jammed>();
            throw std::runtime_error("out of luck");
        });
        Messages messages;
        messages.setResponder([](const MessageRequest&) { return MessageAnswer::Ok; });
        printouts::runCertificatePrintout(messages, printers, quiz(), "Ada", QFont());
        printouts::runWorksheetPrintout(messages, printers, "Heading", "Doubling", quiz());
        QCOMPARE(messages.history().size(), std::size_t(2));
        QCOMPARE(messages.history()[0].text, certificate);
        QCOMPARE(messages.history()[0].buttons, MessageButtons::Ok);
        QCOMPARE(messages.history()[1].text, worksheet);
    }

    void noDefaultPrinterIsAProblemAndThePupilMayTryAgain() {
        NoDefaultPrinter hidden;
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("the default printer cannot be hidden from this test: not printing for real");
        PrinterFactory printers; // the real one: the system's default printer
        Messages messages;
        messages.setResponder([](const MessageRequest&) { return MessageAnswer::Ok; });
        printouts::runCertificatePrintout(messages, printers, quiz(), "Ada", QFont());
        printouts::runWorksheetPrintout(messages, printers, "Heading", "Doubling", quiz());
        QCOMPARE(messages.history().size(), std::size_t(2));
        QCOMPARE(messages.history()[0].text,
                 QStringLiteral("There was a problem printing to your printer."));
        QCOMPARE(messages.history()[1].text,
                 QStringLiteral("There was a problem printing to your printer."));

        std::vector<Operation> record;
        printers.setOpener([&](const QString&) { return std::make_unique<Recorder>(record); });
        printouts::runCertificatePrintout(messages, printers, quiz(), "Ada", QFont());
        QCOMPARE(messages.history().back().text,
                 QStringLiteral("Your certificate is now printing."));
    }
};

LUMORA_TEST(PrintoutsTest)
#include "tst_printouts.moc"
