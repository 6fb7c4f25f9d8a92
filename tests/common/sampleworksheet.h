#pragma once
// A complete worksheet whose every text comes from its title, so that a test can
// tell a whole file from a torn or mixed one.

#include "platform/seqfile.h"
#include "testing.h"
#include "worksheets/worksheet.h"

namespace lumora::testing {

inline worksheet::Entries sampleWorksheet(const QString& title) {
    worksheet::Entries e;
    e.title = title;
    for (int q = 0; q < worksheet::Questions; ++q) {
        e.question[q] = QStringLiteral("%1: question %2?").arg(title).arg(q + 1);
        for (int c = 0; c < worksheet::Choices; ++c)
            e.choice[4 * q + c] = QStringLiteral("%1%2").arg(q + 1).arg(QChar('a' + c));
        e.ticked[4 * q + q % 4] = true;
    }
    return e;
}

inline QByteArray sampleWorksheetFile(const QString& title) {
    return crlf(worksheet::fileLines(sampleWorksheet(title)));
}

// A catalogue file listing the titles given, or Sheet 1 ... Sheet n.
inline QByteArray trackFile(const QStringList& titles) {
    return encodeLines(QStringList{" " + QString::number(titles.size()) + " "} + titles);
}

inline QByteArray numbered(int n) {
    QStringList titles;
    for (int i = 1; i <= n; ++i)
        titles << QStringLiteral("Sheet %1").arg(i);
    return trackFile(titles);
}

} // namespace lumora::testing
