#pragma once
// What the printing tests read back from a PDF, through poppler-utils: the text of
// its pages (pdftotext) and a page as a picture (pdftoppm).

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

namespace lumora::testing {

inline bool havePoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

// The text of a PDF, pages parted by form feeds; empty when it cannot be read.
inline QString pdfText(const QString& path, int page = 0) {
    QStringList args;
    if (page > 0)
        args << "-f" << QString::number(page) << "-l" << QString::number(page);
    args << "-layout" << path << "-";
    QProcess run;
    run.start(QStringLiteral("pdftotext"), args);
    if (!run.waitForFinished(30000) || run.exitCode() != 0)
        return {};
    return QString::fromUtf8(run.readAllStandardOutput());
}

// One page of a PDF drawn at the given dots per inch; null when it cannot be drawn.
inline QImage pdfPage(const QString& path, int dpi, int page = 1) {
    QTemporaryDir out;
    const QString base = out.filePath(QStringLiteral("page"));
    QProcess run;
    run.start(QStringLiteral("pdftoppm"),
              {"-r", QString::number(dpi), "-f", QString::number(page), "-l", QString::number(page),
               "-singlefile", "-png", path, base});
    if (!run.waitForFinished(30000) || run.exitCode() != 0)
        return {};
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

} // namespace lumora::testing
