#include "quiz/printouts.h"

#include "platform/messages.h"
#include "platform/numtext.h"
#include "platform/printer.h"
#include "platform/product.h"
#include "platform/twips.h"
#include "quiz/scoring.h"

#include <QFont>
#include <QFontMetrics>

namespace lumora::printouts {

namespace {

const QString Face = QStringLiteral("Times New Roman");
const QString Blank = QStringLiteral(" ");

void printCentred(Printer& printer, const QString& text) {
    printer.setCurrentX((printer.width() - printer.textWidth(text)) / 2);
    printer.printLine(text);
}

void emptyLines(Printer& printer, int count) {
    for (int i = 0; i < count; ++i)
        printer.printLine(Blank);
}

// A line from the left edge; whatever runs past the right edge is lost.
void band(Printer& printer) { printer.printText(Band + Band); }

// Four lines, in the order the frames are drawn: top, left, right, bottom.
void frame(Printer& printer, double left, double top, double right, double bottom) {
    const QRgb black = paletteColour(0);
    printer.line({left, top}, {right, top}, black);
    printer.line({left, top}, {left, bottom}, black);
    printer.line({right, top}, {right, bottom}, black);
    printer.line({left, bottom}, {right, bottom}, black);
}

} // namespace

void printWorksheet(Printer& printer, const QString& heading, const QString& title,
                    const SharedState& quiz) {
    const double w = printer.width();
    printer.setFontName(Face);

    printer.setFontSize(16);
    printer.setCurrentX(w / 8);
    printer.printLine(Blank);
    printer.setCurrentX(w / 16);
    printer.printText(ProductName + QString(57, ' ') + QStringLiteral("Brenvale"));
    printer.printLine(Blank);
    emptyLines(printer, 1);

    printer.setFontSize(32);
    printCentred(printer, heading);
    printCentred(printer, title);
    emptyLines(printer, 1);

    printer.setFontSize(12);
    for (int i = 1; i <= SharedState::Questions; ++i) {
        const auto at = static_cast<std::size_t>(i);
        printer.setCurrentX(w / 16);
        printer.printLine(QStringLiteral("Question") + signedText(i) + QStringLiteral("    ") +
                          quiz.question[at]);
        printer.setCurrentX(w / 3);
        printer.printText(QStringLiteral("A. ") + quiz.choicea[at]);
        printer.setCurrentX(2 * w / 3);
        printer.printLine(QStringLiteral("B. ") + quiz.choiceb[at]);
        printer.setCurrentX(w / 3);
        printer.printText(QStringLiteral("C. ") + quiz.choicec[at]);
        printer.setCurrentX(2 * w / 3);
        printer.printLine(QStringLiteral("D. ") + quiz.choiced[at]);
        emptyLines(printer, 1);
    }
    printer.endDoc();
}

bool headingIsWide(const QString& heading, const QFont& screenFont, double printableWidth) {
    const int pixels = QFontMetrics(screenFont).horizontalAdvance(heading);
    return pixelsToTwips(pixels) > printableWidth / 4;
}

void printCertificate(Printer& printer, const QString& quizheading, int score, int total,
                      const QString& name, bool headingWide) {
    const double w = printer.width();
    const double h = printer.height();
    const QString scoreLine = scoring::scoreLine(score, total);
    printer.setFontName(Face);

    printer.setColour(paletteColour(9));
    printer.setFontSize(25);
    printer.setCurrentX(w / 8);
    printer.printLine(Blank);
    band(printer);
    printer.printLine(Blank);
    emptyLines(printer, 2);

    printer.setColour(paletteColour(12));
    printer.setFontSize(36);
    printCentred(printer, ProductName);
    emptyLines(printer, 1);

    printer.setColour(paletteColour(9));
    printer.setFontSize(headingWide ? 28 : 36);
    printCentred(printer, quizheading);
    emptyLines(printer, 1);

    printer.setFontSize(36);
    emptyLines(printer, 3);

    printer.setColour(paletteColour(1));
    printer.setFontSize(28);
    printCentred(printer, QStringLiteral("Excellent Work"));
    emptyLines(printer, 1);
    printCentred(printer, name);
    emptyLines(printer, 1);
    printCentred(printer, scoreLine);
    emptyLines(printer, 1);

    printer.setFontSize(36);
    emptyLines(printer, 2);

    printer.setColour(paletteColour(9));
    printer.setFontSize(25);
    emptyLines(printer, 1);
    printer.setColour(paletteColour(0));
    band(printer);

    // Five nested frames; inside each of the three outer ones, a box round the name
    // and the score.
    printer.setLineWidth(2);
    for (int k = 1; k <= 5; ++k) {
        const double a = 45.0 * k;
        const double b = 225.0 + 45.0 * k;
        frame(printer, a, b, w - a, h - b);
        if (k <= 3)
            frame(printer, a + 600, b + 7050, w - a - 600, h - b - 3750);
    }
    printer.endDoc();
}

void runWorksheetPrintout(Messages& messages, const PrinterFactory& printers,
                          const QString& heading, const QString& title, const SharedState& quiz,
                          QWidget* parent) {
    try {
        auto printer = printers.open(WorksheetDocument);
        printWorksheet(*printer, heading, title, quiz);
    } catch (...) {
        messages.tell(PrintingProblem, parent);
        return;
    }
    messages.tell(WorksheetPrinting, parent);
}

void runCertificatePrintout(Messages& messages, const PrinterFactory& printers,
                            const SharedState& state, const QString& name, const QFont& screenFont,
                            QWidget* parent) {
    try {
        try {
            auto printer = printers.open(CertificateDocument);
            const bool wide = headingIsWide(state.quizheading, screenFont, printer->width());
            printCertificate(*printer, state.quizheading, state.score, state.total, name, wide);
        } catch (const PrintError&) {
            messages.tell(PrintingProblem, parent);
            return;
        }
        messages.tell(CertificatePrinting, parent);
    } catch (...) {
        messages.tell(PrintingCancelled, parent);
    }
}

} // namespace lumora::printouts
