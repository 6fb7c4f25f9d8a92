// libFuzzer target for the metafile player: any bytes are read as a metafile and,
// when they pass the header check, played onto a small image at two sizes, so the
// mapping, object table, text and bitmap code all see hostile input. Built and run
// by scripts/fuzz.sh; the suite runs it briefly on a fixed seed.

#include "platform/metafile.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Fonts need a GUI application; the offscreen platform needs no display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto metafile = lumora::Metafile::fromBytes(bytes);
    if (!metafile)
        return 0;
    (void)metafile->sizeTwips();

    // A small screen image, and the same picture squeezed and offset in a larger one
    // with a scaled painter, as a printer's painter is.
    QImage image(96, 72, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        // The text in reading order, as a screen reader gets a page's.
        (void)lumora::readingOrderText(metafile->play(painter, QRectF(0, 0, 96, 72)));
    }
    {
        QPainter painter(&image);
        painter.scale(0.25, 0.5);
        metafile->play(painter, QRectF(40, -20, 300, 90));
    }
    // Qt trims its font cache from a timer; give it its events now and then, as the
    // program's event loop does, so a long run does not grow without end.
    static int runs = 0;
    if (++runs % 500 == 0)
        QCoreApplication::processEvents();

    // The image of its own size, when that is small enough to be quick.
    const QSize own = metafile->sizePixels();
    if (own.width() > 0 && own.height() > 0 && qint64(own.width()) * own.height() <= 256 * 256)
        (void)metafile->toImage();
    return 0;
}
