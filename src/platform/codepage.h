#pragma once
// Lumora's text files are in the Windows-1252 code page, as teachers' older
// worksheets are. Decoding never fails (the five unassigned bytes map to the C1
// controls, as Windows does); encoding refuses what the code page cannot hold, so
// nothing is silently turned into something else.

#include <QByteArray>
#include <QString>
#include <optional>

namespace lumora::cp1252 {

QString decode(const QByteArray& bytes);

// The bytes of `text`, or nothing when some character has no place in the code page.
std::optional<QByteArray> encode(const QString& text);

bool canEncode(QChar c);
bool canEncode(const QString& text);

} // namespace lumora::cp1252
