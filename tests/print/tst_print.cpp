// Every printout through a real CUPS queue: scripts/print-queue.sh makes a cups-pdf
// queue the default printer and names it in LUMORA_PRINT_QUEUE. The document the
// queue received (kept in the spool folder) is read back as text.

#include "pages/guide.h"
#include "quiz/printouts.h"
#include "shell/buttonlabel.h"
#include "testapp.h"

#include <QDateTime>
#include <QDir>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QtTest>

using namespace lumora;

namespace {

// What a program wrote to its output.
QString output(const QString& program, const QStringList& args) {
    QProcess run;
    run.start(program, args);
    run.waitForFinished(30000);
    return QString::fromLocal8Bit(run.readAllStandardOutput());
}

} // namespace

class PrintQueueTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        m_queue = qEnvironmentVariable("LUMORA_PRINT_QUEUE");
        m_start = QDateTime::currentDateTime().addSecs(-1);
        if (m_queue.isEmpty())
            QSKIP("No CUPS print queue: scripts/print-queue.sh did not set one up (cupsd not "
                  "running or could not start). The end-to-end printing test did not run.");
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils is missing: what the queue printed cannot be read back.");
        QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), m_queue);
    }

    void printouts_data() {
        QTest::addColumn<QString>("texts"); // parted by |
        QTest::addColumn<QString>("said");  // empty: nothing is said when it works
        QTest::newRow("certificate")
            << "Well Done|Lumora|Excellent Work|Ada Brook|You have scored 10 out of 10."
            << printouts::CertificatePrinting;
        QTest::newRow("worksheet")
            << "Lumora|Brenvale|Doubling|Question 1|What is 1, doubled?|A. 2|"
               "D. 100|Question 10|What is 10, doubled?"
            << printouts::WorksheetPrinting;
        QTest::newRow("guide page") << "Welcome to Lumora|The main menu" << QString();
    }
    void printouts() {
        const QString kind = QTest::currentDataTag();
        QFETCH(QString, texts);
        QFETCH(QString, said);
        auto t = testing::withPages();
        t->app.printers.setOpener({}); // the real default printer
        const SharedState quiz = testing::sampleQuiz();
        const QString spooled = print([&] {
            if (kind == "certificate")
                printouts::runCertificatePrintout(t->app.messages, t->app.printers, quiz,
                                                  "Ada Brook", QApplication::font());
            else if (kind == "worksheet")
                printouts::runWorksheetPrintout(t->app.messages, t->app.printers, "Lumora",
                                                "Doubling", quiz);
            else {
                Guide& guide = t->app.screens.guide();
                guide.loadPage("wmf\\guide1.wmf", "wmf2\\guide1.wmf");
                guide.showInFront();
                guide.Label3[PageViewer::PrintButton]->press();
            }
        });
        QVERIFY2(QFile::exists(spooled), "the queue did not finish the job or kept no copy of it");
        QCOMPARE(t->lastMessage(), said);
        const QString text = output("pdftotext", {"-layout", spooled, "-"});
        for (const QString& expected : texts.split('|'))
            QVERIFY2(text.simplified().contains(expected), qPrintable(expected + ": " + text));
        QVERIFY(text.count('\f') <= 1); // one page
    }

    // A stopped queue, and one that turns jobs away: the pupil hears of it.
    void refusingQueueIsAProblem_data() {
        QTest::addColumn<QString>("stop");
        QTest::addColumn<QString>("restart");
        QTest::newRow("stopped") << QString("cupsdisable") << QString("cupsenable");
        QTest::newRow("not accepting jobs") << QString("cupsreject") << QString("cupsaccept");
    }
    void refusingQueueIsAProblem() {
        QFETCH(QString, stop);
        QFETCH(QString, restart);
        QCOMPARE(QProcess::execute(stop, {m_queue}), 0);
        const QSet<QString> before = jobs("all");
        testing::TestApp t;
        t.app.printers.setOpener({}); // the real default printer
        printouts::runCertificatePrintout(t.app.messages, t.app.printers, SharedState{}, "Ada",
                                          QApplication::font());
        const int restarted = QProcess::execute(restart, {m_queue});
        QCOMPARE(t.lastMessage(), printouts::PrintingProblem);
        QCOMPARE(restarted, 0);
        QCOMPARE(jobs("all"), before); // no job taken
    }

    // cups-pdf also writes each job into ~/PDF: take ours away again.
    void cleanupTestCase() {
        for (const QFileInfo& pdf : QDir(QDir::homePath() + "/PDF").entryInfoList({"*.pdf"}))
            if (pdf.lastModified() >= m_start)
                QFile::remove(pdf.filePath());
    }

private:
    // The queue's job numbers, of finished jobs or of all.
    QSet<QString> jobs(const QString& which) const {
        static const QRegularExpression id("^\\S+-(\\d+)\\s", QRegularExpression::MultilineOption);
        QSet<QString> ids;
        for (const auto& m : id.globalMatch(output("lpstat", {"-W", which, "-o", m_queue})))
            ids << m.captured(1);
        return ids;
    }

    // Runs a printout on the default printer and waits (a minute at most) for the
    // queue to finish it; gives the document the queue received (its spool file).
    QString print(const std::function<void()>& printout) {
        const QSet<QString> before = jobs("all");
        printout();
        QSet<QString> done;
        for (int i = 0; i < 300 && (done = jobs("completed") - before).isEmpty(); ++i)
            QThread::msleep(200);
        return done.isEmpty()
                   ? QString()
                   : QStringLiteral("/var/spool/cups/d%1-001").arg(*done.begin(), 5, '0');
    }

    QString m_queue;
    QDateTime m_start;
};

LUMORA_TEST(PrintQueueTest)
#include "tst_print.moc"
