#pragma once
// What the printing tests read back from a PDF: the text of its pages, through
// poppler-utils' pdftotext.

#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace lumora::testing {

inline bool havePoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
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

} // namespace lumora::testing
