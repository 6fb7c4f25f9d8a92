#pragma once
// The printer as the printouts see it: a print cursor over the printable area, in
// twips (1440 to the inch). Text is printed line by line from the top; a text printed
// with a line end moves the cursor to the left edge, one line height of the current
// font lower, and one printed without a line end leaves the cursor right after it.
// A text that would run past the bottom starts a new page, as paper printers do.
//
// Printouts are written once against Printer. Its targets: the system's default
// printer or a PDF file (both drawn with QPainter onto a QPrinter), and a recording
// target for tests that keeps every operation. Every failure of a real printer is a
// PrintError: no default printer, a stopped queue, a printer that cannot start, a page
// that cannot be added, a document that cannot be finished or that the queue refuses.
// Nothing fails quietly. A paper printer sends nothing before the document ends, so a
// printout that stops half way leaves no half page in the queue.

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QRgb>
#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class QPainter;

namespace lumora {

class PrintError : public std::runtime_error {
public:
    explicit PrintError(const QString& what) : std::runtime_error(what.toStdString()) {}
};

// A colour of the classic 16-colour palette by its number: 0 black, 1 dark blue,
// 9 blue, 12 red ... Throws std::out_of_range for a number outside 0 to 15.
QRgb paletteColour(int number);

struct PrintFont {
    QString name;
    double size = 10; // points
    bool operator==(const PrintFont&) const = default;
};

// Draws a picture into the given rectangle of the painter's device (metafile pages,
// bitmaps); the printer decides where that rectangle lies on the page. A paper
// printer calls it only when the document ends, so it must own what it draws
// (capture by value or by shared pointer).
using PictureDrawer = std::function<void(QPainter& painter, const QRectF& target)>;

class Printer {
public:
    static constexpr double TwipsPerInch = 1440;
    static constexpr double TwipsPerPoint = 20;

    virtual ~Printer() = default;
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // The printable area, in twips.
    double width() const { return m_width; }
    double height() const { return m_height; }

    void setFontName(const QString& name) { m_font.name = name; }
    void setFontSize(double points) { m_font.size = points; }
    const PrintFont& font() const { return m_font; }
    // The colour of text that follows.
    void setColour(QRgb colour) { m_colour = colour; }
    QRgb colour() const { return m_colour; }

    double currentX() const { return m_x; }
    double currentY() const { return m_y; }
    void setCurrentX(double twips) { m_x = twips; }
    void setCurrentY(double twips) { m_y = twips; }
    int page() const { return m_page; } // from 1

    double textWidth(const QString& text) const { return measureWidth(m_font, text); }
    double lineHeight() const { return measureLineHeight(m_font); }

    // Prints at the cursor and moves to the start of the next line.
    void printLine(const QString& text);
    // Prints at the cursor and stays on the line, right after the text.
    void printText(const QString& text);

    // Width of the lines that follow, in printer pixels.
    void setLineWidth(int pixels) { m_lineWidth = pixels; }
    int lineWidth() const { return m_lineWidth; }
    void line(QPointF from, QPointF to, QRgb colour);

    // A picture with its top left corner at a point, at its own size in twips.
    void drawPicture(QPointF topLeft, QSizeF size, PictureDrawer draw);
    // A bitmap at its own size, 15 twips to its pixel as on screen.
    void drawPicture(QPointF topLeft, const QImage& image);

    // Finishes the document and sends it on. Nothing can be printed after it.
    void endDoc();
    bool ended() const { return m_ended; }

protected:
    Printer(double width, double height) : m_width(width), m_height(height) {}

    // What each target supplies, in twips from the printable area's top left corner.
    virtual double measureWidth(const PrintFont& font, const QString& text) const = 0;
    virtual double measureLineHeight(const PrintFont& font) const = 0;
    virtual void drawText(QPointF at, const QString& text, const PrintFont& font, QRgb colour) = 0;
    virtual void drawLine(QPointF from, QPointF to, int width, QRgb colour) = 0;
    virtual void drawPictureIn(const QRectF& target, const PictureDrawer& draw) = 0;
    virtual void startNewPage() = 0;
    virtual void finish() = 0;

private:
    void print(const QString& text, bool lineEnd);
    void checkOpen() const;

    double m_width;
    double m_height;
    PrintFont m_font{QStringLiteral("Arial"), 10};
    QRgb m_colour = qRgb(0, 0, 0);
    double m_x = 0;
    double m_y = 0;
    int m_page = 1;
    int m_lineWidth = 1;
    bool m_ended = false;
};

// The system's default printer; throws PrintError when there is none or it cannot
// start a document. The document name is the job's title in the print queue.
std::unique_ptr<Printer> openDefaultPrinter(const QString& documentName);
// A PDF file (A4); throws PrintError when the file cannot be written.
std::unique_ptr<Printer> openPdfPrinter(const QString& path, const QString& documentName);

// How the program gets a printer for a printout: the default printer, unless an
// opener is set (tests; a PDF file).
class PrinterFactory {
public:
    using Opener = std::function<std::unique_ptr<Printer>(const QString& documentName)>;
    std::unique_ptr<Printer> open(const QString& documentName) const;
    void setOpener(Opener opener) { m_opener = std::move(opener); }

private:
    Opener m_opener;
};

// How a recording printer measures text, so that tests know where every text lands.
struct TextMetric {
    std::function<double(const PrintFont&, const QString&)> width;
    std::function<double(const PrintFont&)> lineHeight;

    // Every character half an em wide, a line 1.2 em high (an em is the font size).
    static TextMetric fixedPitch();
};

// Keeps every operation in order, for tests.
class RecordingPrinter : public Printer {
public:
    enum class Kind { Text, Line, Picture, NewPage, End };
    struct Operation {
        Kind kind = Kind::Text;
        int page = 1;
        QPointF at;        // text, line start, picture corner
        QPointF to;        // line end
        QSizeF size;       // picture
        QString text;      // text
        PrintFont font;    // text
        QRgb colour = 0;   // text, line
        int lineWidth = 0; // line
        PictureDrawer draw;
    };

    RecordingPrinter(double width, double height, TextMetric metric = TextMetric::fixedPitch());

    const std::vector<Operation>& operations() const { return m_operations; }
    std::vector<Operation> all(Kind kind) const;

protected:
    double measureWidth(const PrintFont& font, const QString& text) const override;
    double measureLineHeight(const PrintFont& font) const override;
    void drawText(QPointF at, const QString& text, const PrintFont& font, QRgb colour) override;
    void drawLine(QPointF from, QPointF to, int width, QRgb colour) override;
    void drawPictureIn(const QRectF& target, const PictureDrawer& draw) override;
    void startNewPage() override;
    void finish() override;

private:
    Operation& record(Kind kind);

    TextMetric m_metric;
    std::vector<Operation> m_operations;
};

} // namespace lumora
