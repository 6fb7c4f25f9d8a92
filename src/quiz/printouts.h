#pragma once
// The two paper printouts of a quiz: the worksheet a teacher hands out (the ten
// questions with their lettered choices, no answers) and the certificate of a pupil
// with a perfect score. Each prints onto any Printer and ends the document; the run
// functions are what the screens' buttons do: open the default printer, print, and
// tell the user how it went.

#include "shell/messagetexts.h"
#include "shell/sharedstate.h"

#include <QString>

class QFont;
class QWidget;

namespace lumora {

class Messages;
class Printer;
class PrinterFactory;

namespace printouts {

inline const QString WorksheetDocument = QStringLiteral("Lumora worksheet");
inline const QString CertificateDocument = QStringLiteral("Lumora certificate");

inline const QString WorksheetPrinting = QStringLiteral("Your worksheet is now printing.");
inline const QString CertificatePrinting = QStringLiteral("Your certificate is now printing.");
using message_texts::PrintingProblem;
inline const QString PrintingCancelled = QStringLiteral("Printing has been cancelled.");

// The 59-character band across the top and bottom of the certificate.
inline const QString Band =
    QStringLiteral("   Well Done      Well Done     Well Done     Well Done    ");

// The quiz's heading, its title and questions 1 to 10 with their choices.
void printWorksheet(Printer& printer, const QString& heading, const QString& title,
                    const SharedState& quiz);

// A heading wider than a quarter of the printable width, measured on screen in
// `screenFont` (pixels at 15 twips each), is printed smaller on the certificate.
bool headingIsWide(const QString& heading, const QFont& screenFont, double printableWidth);

void printCertificate(Printer& printer, const QString& quizheading, int score, int total,
                      const QString& name, bool headingWide);

// "Print Worksheet": prints the loaded quiz on the factory's printer and says
// "Your worksheet is now printing.", or "There was a problem printing to your
// printer." for any failure.
void runWorksheetPrintout(Messages& messages, const PrinterFactory& printers,
                          const QString& heading, const QString& title, const SharedState& quiz,
                          QWidget* parent = nullptr);

// "Print Certificate": the certificate of quizheading, score and total of `state`
// for `name`; the heading is measured in `screenFont`, the results window's font.
// A printer failure says "There was a problem printing to your printer."; anything
// else that goes wrong says "Printing has been cancelled.".
void runCertificatePrintout(Messages& messages, const PrinterFactory& printers,
                            const SharedState& state, const QString& name, const QFont& screenFont,
                            QWidget* parent = nullptr);

} // namespace printouts
} // namespace lumora
