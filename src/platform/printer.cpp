#include "platform/printer.h"

#include "platform/twips.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QLibrary>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>
#include <array>

namespace lumora {

QRgb paletteColour(int number) {
    static constexpr std::array<QRgb, 16> palette = {
        qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255)};
    if (number < 0 || number >= static_cast<int>(palette.size()))
        throw std::out_of_range("palette colours are numbered 0 to 15");
    return palette[static_cast<std::size_t>(number)];
}

// ---- the print cursor ----

void Printer::checkOpen() const {
    if (m_ended)
        throw PrintError(QStringLiteral("The document has already ended."));
}

void Printer::print(const QString& text, bool lineEnd) {
    checkOpen();
    const double height = lineHeight();
    // A line that would not fit goes to the top of a new page; a line taller than
    // the whole page is printed where it is rather than paging for ever.
    if (m_y > 0 && m_y + height > m_height) {
        startNewPage();
        ++m_page;
        m_y = 0;
    }
    drawText(QPointF(m_x, m_y), text, m_font, m_colour);
    if (lineEnd) {
        m_x = 0;
        m_y += height;
    } else {
        m_x += textWidth(text);
    }
}

void Printer::printLine(const QString& text) { print(text, true); }
void Printer::printText(const QString& text) { print(text, false); }

void Printer::line(QPointF from, QPointF to, QRgb colour) {
    checkOpen();
    drawLine(from, to, m_lineWidth, colour);
}

void Printer::drawPicture(QPointF topLeft, QSizeF size, PictureDrawer draw) {
    checkOpen();
    if (!draw)
        throw std::invalid_argument("a picture needs a drawer");
    drawPictureIn(QRectF(topLeft, size), draw);
}

void Printer::drawPicture(QPointF topLeft, const QImage& image) {
    const QSizeF size(pixelsToTwips(image.width()), pixelsToTwips(image.height()));
    drawPicture(topLeft, size, [image](QPainter& painter, const QRectF& target) {
        painter.drawImage(target, image);
    });
}

void Printer::endDoc() {
    checkOpen();
    m_ended = true;
    finish();
}

// ---- how the program gets its printer ----

std::unique_ptr<Printer> PrinterFactory::open(const QString& documentName) const {
    if (m_opener) {
        auto printer = m_opener(documentName);
        if (!printer)
            throw PrintError(QStringLiteral("No printer was given."));
        return printer;
    }
    return openDefaultPrinter(documentName);
}

// ---- the recording target ----

TextMetric TextMetric::fixedPitch() {
    return {[](const PrintFont& font, const QString& text) {
                return text.size() * font.size * Printer::TwipsPerPoint / 2;
            },
            [](const PrintFont& font) { return font.size * Printer::TwipsPerPoint * 1.2; }};
}

RecordingPrinter::RecordingPrinter(double width, double height, TextMetric metric)
    : Printer(width, height), m_metric(std::move(metric)) {}

std::vector<RecordingPrinter::Operation> RecordingPrinter::all(Kind kind) const {
    std::vector<Operation> found;
    for (const Operation& op : m_operations)
        if (op.kind == kind)
            found.push_back(op);
    return found;
}

double RecordingPrinter::measureWidth(const PrintFont& font, const QString& text) const {
    return m_metric.width(font, text);
}

double RecordingPrinter::measureLineHeight(const PrintFont& font) const {
    return m_metric.lineHeight(font);
}

RecordingPrinter::Operation& RecordingPrinter::record(Kind kind) {
    Operation& op = m_operations.emplace_back();
    op.kind = kind;
    op.page = page();
    return op;
}

void RecordingPrinter::drawText(QPointF at, const QString& text, const PrintFont& font,
                                QRgb colour) {
    Operation& op = record(Kind::Text);
    op.at = at;
    op.text = text;
    op.font = font;
    op.colour = colour;
}

void RecordingPrinter::drawLine(QPointF from, QPointF to, int width, QRgb colour) {
    Operation& op = record(Kind::Line);
    op.at = from;
    op.to = to;
    op.lineWidth = width;
    op.colour = colour;
}

void RecordingPrinter::drawPictureIn(const QRectF& target, const PictureDrawer& draw) {
    Operation& op = record(Kind::Picture);
    op.at = target.topLeft();
    op.size = target.size();
    op.draw = draw;
}

void RecordingPrinter::startNewPage() { record(Kind::NewPage).page = page() + 1; }

void RecordingPrinter::finish() { record(Kind::End); }

// ---- QPainter onto a QPrinter ----

namespace {

// Qt hands the document to CUPS as the painter ends and drops CUPS's answer, so a
// queue that refuses the job would look like a success. libcups keeps the status of
// the last request made on this thread, which is that one: read it back. Empty when
// the job was taken (or the printer is not a CUPS one).
QString cupsRefusal() {
    using Status = int (*)();
    using Text = const char* (*)();
    const auto status =
        reinterpret_cast<Status>(QLibrary::resolve(QStringLiteral("cups"), 2, "cupsLastError"));
    const auto text =
        reinterpret_cast<Text>(QLibrary::resolve(QStringLiteral("cups"), 2, "cupsLastErrorString"));
    constexpr int FirstErrorStatus = 0x0400; // IPP client and server errors, and CUPS's own
    if (!status || status() < FirstErrorStatus)
        return {};
    return text ? QString::fromLocal8Bit(text()) : QStringLiteral("refused");
}

// Collects the page as it is printed and paints it only when the document ends, so a
// printout that stops half way sends nothing to the printer.
class DevicePrinter final : public Printer {
public:
    DevicePrinter(std::unique_ptr<QPrinter> printer, QSizeF areaTwips, QString pdfPath)
        : Printer(areaTwips.width(), areaTwips.height()), m_printer(std::move(printer)),
          m_pdfPath(std::move(pdfPath)), m_scaleX(m_printer->logicalDpiX() / TwipsPerInch),
          m_scaleY(m_printer->logicalDpiY() / TwipsPerInch) {}

protected:
    double measureWidth(const PrintFont& font, const QString& text) const override {
        return QFontMetricsF(qfont(font), m_printer.get()).horizontalAdvance(text) / m_scaleX;
    }

    double measureLineHeight(const PrintFont& font) const override {
        return QFontMetricsF(qfont(font), m_printer.get()).lineSpacing() / m_scaleY;
    }

    void drawText(QPointF at, const QString& text, const PrintFont& font, QRgb colour) override {
        const QFont f = qfont(font);
        const QPointF origin = device(at);
        m_steps.push_back([f, origin, text, colour](QPainter& p) {
            p.setFont(f);
            p.setPen(QColor(colour));
            // The cursor is the top of the line; QPainter writes on the baseline.
            p.drawText(origin + QPointF(0, QFontMetricsF(f, p.device()).ascent()), text);
        });
    }

    void drawLine(QPointF from, QPointF to, int width, QRgb colour) override {
        const QLineF line(device(from), device(to));
        m_steps.push_back([line, width, colour](QPainter& p) {
            QPen pen{QColor(colour)};
            pen.setWidth(width);
            pen.setCapStyle(Qt::SquareCap); // frames meet in closed corners
            p.setPen(pen);
            p.drawLine(line);
        });
    }

    void drawPictureIn(const QRectF& target, const PictureDrawer& draw) override {
        const QRectF rect(device(target.topLeft()), device(target.bottomRight()));
        m_steps.push_back([rect, draw](QPainter& p) {
            p.save();
            draw(p, rect);
            p.restore();
        });
    }

    void startNewPage() override { m_steps.push_back({}); }

    void finish() override {
        QPainter painter;
        if (!painter.begin(m_printer.get()))
            throw PrintError(QStringLiteral("The printer could not start the document."));
        for (const auto& step : m_steps) {
            if (!step) {
                if (!m_printer->newPage())
                    throw PrintError(QStringLiteral("The printer could not start a new page."));
            } else {
                step(painter);
            }
        }
        if (!painter.end() || m_printer->printerState() == QPrinter::Error)
            throw PrintError(QStringLiteral("The printer could not finish the document."));
        if (m_pdfPath.isEmpty()) {
            if (const QString refusal = cupsRefusal(); !refusal.isEmpty())
                throw PrintError(QStringLiteral("The print queue refused the document: ") +
                                 refusal);
        } else if (QFileInfo(m_pdfPath).size() == 0) {
            throw PrintError(QStringLiteral("The PDF file was not written."));
        }
    }

private:
    static QFont qfont(const PrintFont& font) {
        QFont f(font.name);
        f.setPointSizeF(font.size);
        f.setStyleHint(font.name.contains(QLatin1String("Times")) ? QFont::Serif
                                                                  : QFont::SansSerif);
        return f;
    }

    QPointF device(QPointF twips) const {
        return QPointF(twips.x() * m_scaleX, twips.y() * m_scaleY);
    }

    std::unique_ptr<QPrinter> m_printer;
    QString m_pdfPath;
    double m_scaleX;
    double m_scaleY;
    // One step a drawing; an empty step is a page break.
    std::vector<std::function<void(QPainter&)>> m_steps;
};

std::unique_ptr<Printer> onDevice(std::unique_ptr<QPrinter> printer, const QString& pdfPath) {
    if (!printer->isValid())
        throw PrintError(QStringLiteral("The printer is not available."));
    const QRectF area = printer->pageRect(QPrinter::DevicePixel);
    const QSizeF twips(area.width() * Printer::TwipsPerInch / printer->logicalDpiX(),
                       area.height() * Printer::TwipsPerInch / printer->logicalDpiY());
    if (twips.isEmpty())
        throw PrintError(QStringLiteral("The printer has no printable area."));
    return std::make_unique<DevicePrinter>(std::move(printer), twips, pdfPath);
}

} // namespace

std::unique_ptr<Printer> openDefaultPrinter(const QString& documentName) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw PrintError(QStringLiteral("There is no default printer."));
    if (info.state() == QPrinter::Error)
        throw PrintError(QStringLiteral("The printer %1 is stopped.").arg(info.printerName()));
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setDocName(documentName);
    return onDevice(std::move(printer), QString());
}

std::unique_ptr<Printer> openPdfPrinter(const QString& path, const QString& documentName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setDocName(documentName);
    return onDevice(std::move(printer), path);
}

} // namespace lumora
