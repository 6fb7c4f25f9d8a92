// Printouts through a real CUPS queue: scripts/print-queue.sh makes a cups-pdf queue
// the default printer and names it in LUMORA_PRINT_QUEUE. The document the queue
// received (kept in the spool folder) is read back as text; the PDF that cups-pdf
// makes of it carries fonts without text, so that one is checked for ink.

#include "navigation/hub.h"
#include "navigation/intro0.h"
#include "pages/guide.h"
#include "pdftools.h"
#include "platform/messages.h"
#include "platform/printer.h"
#include "quiz/multiple.h"
#include "quiz/printouts.h"
#include "quiz/welldone.h"
#include "shell/buttonlabel.h"
#include "testapp.h"
#include "testing.h"
#include "worksheets/worksheets.h"

#include <QLineEdit>
#include <QRadioButton>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QThread>
#include <QtTest>
#include <set>

using namespace lumora;

namespace {

QString output(const QString& program, const QStringList& args) {
    QProcess run;
    run.start(program, args);
    if (!run.waitForFinished(10000))
        return {};
    return QString::fromLocal8Bit(run.readAllStandardOutput());
}

bool succeeds(const QString& program, const QStringList& args) {
    QProcess run;
    run.start(program, args);
    return run.waitForFinished(10000) && run.exitStatus() == QProcess::NormalExit &&
           run.exitCode() == 0;
}

// Job numbers of the queue's jobs, finished or not yet.
std::set<int> jobs(const QString& queue, const QString& which) {
    std::set<int> ids;
    const QRegularExpression id("^" + QRegularExpression::escape(queue) + "-(\\d+)\\s",
                                QRegularExpression::MultilineOption);
    auto it = id.globalMatch(output("lpstat", {"-W", which, "-o", queue}));
    while (it.hasNext())
        ids.insert(it.next().captured(1).toInt());
    return ids;
}

struct Ink {
    int pixels = 0;
    QRect box;
};

// Where a page carries a colour, give or take what anti-aliasing does to it.
Ink inkOf(const QImage& page, const std::function<bool(QColor)>& wanted) {
    Ink ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (wanted(page.pixelColor(x, y))) {
                ++ink.pixels;
                ink.box |= QRect(x, y, 1, 1);
            }
    return ink;
}

bool reddish(QColor c) { return c.red() > 180 && c.green() < 90 && c.blue() < 90; }
bool bluish(QColor c) { return c.blue() > 180 && c.red() < 90 && c.green() < 90; }
bool navy(QColor c) { return c.blue() > 90 && c.blue() < 170 && c.red() < 60 && c.green() < 60; }
bool dark(QColor c) { return c.red() < 80 && c.green() < 80 && c.blue() < 80; }

} // namespace

class PrintQueueTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        m_queue = qEnvironmentVariable("LUMORA_PRINT_QUEUE");
        if (m_queue.isEmpty())
            QSKIP("No CUPS print queue: scripts/print-queue.sh did not set one up (cupsd not "
                  "running or could not start). The end-to-end printing test did not run.");
        if (!testing::havePoppler())
            QSKIP("poppler-utils is missing: what the queue printed cannot be read back.");
        m_messages.setResponder([](const MessageRequest&) { return MessageAnswer::Ok; });
    }

    void theQueueIsTheDefaultPrinter() {
        QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), m_queue);
        // The printout tests elsewhere hide it this way; make sure that really works.
        qputenv("LPDEST", "lumora-no-such-printer");
        const bool hidden = QPrinterInfo::defaultPrinter().isNull();
        qunsetenv("LPDEST");
        QVERIFY(hidden);
        QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), m_queue);
    }

    // A perfect quiz taken on the real screens, and its certificate printed from the
    // results screen on the system's default printer.
    void certificate() {
        testing::TestApp t;
        t.app.printers.setOpener({}); // the real default printer
        t.app.screens.tiberan().showInFront();
        testing::clickMouse(t.app.screens.tiberan().Label3[Hub::MultipleChoice]);
        Multiple& quiz = t.app.screens.multiple();
        for (int q = 1; q <= 10; ++q) {
            const int right = t.app.state.correctanswer[q].toInt();
            QTest::mouseClick(quiz.Option1[right], Qt::LeftButton, {}, QPoint(8, 10));
            testing::clickMouse(quiz.Label3[Multiple::Forward]);
        }
        Welldone& results = t.app.screens.welldone();
        QTest::keyClicks(results.Text1, "Ada Brook");
        const auto [spooled, made] =
            print([&] { testing::clickMouse(results.Label3[Welldone::FirstButton]); });
        QVERIFY2(m_failure.isEmpty(), qPrintable(m_failure));
        const auto tidy = qScopeGuard([pdf = made] { QFile::remove(pdf); });
        QCOMPARE(t.app.messages.history().back().text,
                 QStringLiteral("Your certificate is now printing."));

        const QString text = testing::pdfText(spooled);
        for (const char* expected : {"Well Done", "Lumora", "Excellent Work", "Ada Brook",
                                     "You have scored 10 out of 10."})
            QVERIFY2(text.contains(expected), qPrintable(expected + (": " + text)));

        const QImage page = testing::pdfPage(made, 50);
        QVERIFY(!page.isNull());
        page.save(QDir::temp().filePath("lumora-certificate-queue.png"));
        // "Lumora" in red, centred, in the upper third; the blue band and heading in
        // the upper half; the name and score in dark blue in the middle; black frames
        // round the whole page.
        const Ink red = inkOf(page, reddish);
        QVERIFY2(red.pixels > 50, "no red title on the page");
        QVERIFY(red.box.bottom() < page.height() / 3);
        QVERIFY(qAbs(red.box.center().x() - page.width() / 2) < page.width() / 20);
        const Ink blue = inkOf(page, bluish);
        QVERIFY(blue.box.top() < page.height() / 8);
        QVERIFY(blue.box.bottom() < page.height() / 2);
        const Ink darkBlue = inkOf(page, navy);
        QVERIFY2(darkBlue.pixels > 50, "no dark blue name and score on the page");
        QVERIFY(darkBlue.box.top() > page.height() / 3);
        QVERIFY(darkBlue.box.bottom() < page.height() * 3 / 4);
        const Ink black = inkOf(page, dark);
        QVERIFY(black.box.width() > page.width() * 9 / 10);
        QVERIFY(black.box.height() > page.height() * 9 / 10);
    }

    // A teacher's worksheet opened from the catalogue and printed from the quiz screen.
    void worksheet() {
        testing::TestApp t;
        t.app.printers.setOpener({}); // the real default printer
        QStringList lines{"Sevens", " "};
        for (int i = 1; i <= SharedState::Questions; ++i)
            lines << QStringLiteral("What is %1 times 7?").arg(i) << QString::number(7 * i)
                  << QString::number(7 * i + 1) << QString::number(7 * i - 1)
                  << QString::number(6 * i) << "1"
                  << " ";
        t.folder.write("multiple/Sevens.txt", testing::crlf(lines));
        t.folder.write("multiple/track.txt", " 1 \r\nSevens\r\n");
        Worksheets& catalogue = t.app.screens.worksheets();
        catalogue.showInFront();
        testing::clickMouse(catalogue.Label2[1]);
        Multiple& quiz = t.app.screens.multiple();
        const auto [spooled, made] =
            print([&] { testing::clickMouse(quiz.Label3[Multiple::PrintButton]); });
        QVERIFY2(m_failure.isEmpty(), qPrintable(m_failure));
        const auto tidy = qScopeGuard([pdf = made] { QFile::remove(pdf); });
        QCOMPARE(t.app.messages.history().back().text,
                 QStringLiteral("Your worksheet is now printing."));

        const QString text = testing::pdfText(spooled);
        for (const char* expected :
             {"Lumora", "Brenvale", "Sevens", "Question 1", "What is 1 times 7?", "A. 7", "D. 60",
              "Question 10", "What is 10 times 7?"})
            QVERIFY2(text.contains(expected), qPrintable(expected + (": " + text)));
        QVERIFY(!text.contains('\f') || text.indexOf('\f') == text.size() - 1); // one page

        const QImage page = testing::pdfPage(made, 50);
        QVERIFY(!page.isNull());
        const Ink black = inkOf(page, dark);
        QVERIFY(black.pixels > 500);
        QVERIFY(black.box.top() < page.height() / 8);
        QVERIFY(black.box.bottom() > page.height() / 2);
    }

    // The teacher's guide's first page, printed from the guide: the print copy, dark on
    // white, 1000 twips in from the corner of the printable area.
    void guidePage() {
        testing::TestApp t;
        for (const char* folder : {"wmf", "wmf2"})
            t.folder.copyFolderFromData(QString::fromLatin1(folder));
        t.app.printers.setOpener({});
        testing::clickMouse(testing::openMenu(t).Label2[Intro0::Guide]);
        Guide& guide = t.app.screens.guide();
        const auto [spooled, made] =
            print([&] { testing::clickMouse(guide.Label3[PageViewer::PrintButton]); });
        QVERIFY2(m_failure.isEmpty(), qPrintable(m_failure));
        const auto tidy = qScopeGuard([pdf = made] { QFile::remove(pdf); });
        QVERIFY(t.app.messages.history().empty()); // nothing is said when it works

        const QString text = testing::pdfText(spooled).simplified();
        for (const char* expected : {"Welcome to Lumora", "The main menu"})
            QVERIFY2(text.contains(expected), qPrintable(expected + (": " + text)));

        const QImage page = testing::pdfPage(made, 50);
        QVERIFY(!page.isNull());
        page.save(QDir::temp().filePath("lumora-guide-queue.png"));
        const Ink ink = inkOf(page, dark);
        QVERIFY2(ink.pixels > 500, "no text on the page");
        // 1000 twips is 35 pixels at 50 dpi; the printable area starts a little in.
        // The whole page is on the paper, clear of its right edge.
        QVERIFY(ink.box.left() >= 30 && ink.box.top() >= 30);
        QVERIFY2(ink.box.right() < page.width() - 20,
                 qPrintable(QStringLiteral("%1 of %2").arg(ink.box.right()).arg(page.width())));
        QVERIFY(ink.box.bottom() < page.height() * 2 / 3);
    }

    // A stopped queue, and one that turns jobs away: the pupil hears of it.
    void refusingQueueIsAProblem_data() {
        QTest::addColumn<QString>("stop");
        QTest::addColumn<QString>("restart");
        QTest::newRow("stopped") << "cupsdisable"
                                 << "cupsenable";
        QTest::newRow("not accepting jobs") << "cupsreject"
                                            << "cupsaccept";
    }
    void refusingQueueIsAProblem() {
        QFETCH(QString, stop);
        QFETCH(QString, restart);
        QVERIFY(succeeds(stop, {m_queue}));
        const auto before = jobs(m_queue, "all");
        printouts::runCertificatePrintout(m_messages, m_printers, SharedState{}, "Ada",
                                          QApplication::font());
        const bool restarted = succeeds(restart, {m_queue});
        QCOMPARE(m_messages.history().back().text,
                 QStringLiteral("There was a problem printing to your printer."));
        QVERIFY(restarted);
        QCOMPARE(jobs(m_queue, "all"), before);
    }

private:
    // Runs a printout on the default printer and waits (a minute at most) for the
    // queue to finish it; gives the document the queue received and the PDF made of it,
    // or says in m_failure what went wrong.
    std::pair<QString, QString> print(const std::function<void()>& printout) {
        m_failure.clear();
        const QDateTime start = QDateTime::currentDateTime().addSecs(-1);
        const auto before = jobs(m_queue, "all");
        printout();
        int job = 0;
        for (int i = 0; i < 300 && job == 0; ++i) {
            for (int id : jobs(m_queue, "completed"))
                if (!before.count(id))
                    job = id;
            if (job == 0)
                QThread::msleep(200);
        }
        if (job == 0) {
            m_failure = "the queue did not finish the job within a minute: " +
                        output("lpstat", {"-l", "-W", "all", "-o", m_queue});
            return {};
        }
        const QString spooled =
            QStringLiteral("/var/spool/cups/d%1-001").arg(job, 5, 10, QChar('0'));
        const QFileInfoList made =
            QDir(QDir::homePath() + "/PDF").entryInfoList({"*.pdf"}, QDir::Files, QDir::Time);
        QString pdf;
        if (!made.isEmpty() && made.first().lastModified() >= start)
            pdf = made.first().filePath();
        if (!QFileInfo::exists(spooled))
            m_failure = "the queue kept no copy of job " + QString::number(job) + " in " + spooled;
        else if (pdf.isEmpty())
            m_failure = "cups-pdf wrote no PDF into " + QDir::homePath() + "/PDF";
        return {spooled, pdf};
    }

    QString m_queue;
    QString m_failure;
    Messages m_messages;
    PrinterFactory m_printers; // the system's default printer
};

LUMORA_TEST(PrintQueueTest)
#include "tst_print.moc"
