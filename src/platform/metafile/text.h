#pragma once
// The text of the metafile text records: bytes to Unicode by the font's character
// set or, for the symbol-layout fonts that equation editors, office suites and clip
// art use, by the font's own layout; and the width measures a font width asks for.

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

class QFontMetricsF;

namespace lumora::wmf {

// One character as a record draws it: its Unicode text (one or two UTF-16 units)
// and the bytes of the record it came from, which its spacing covers.
struct DrawnChar {
    QString text;
    int firstByte = 0;
    int bytes = 1;
};

struct DecodedText {
    std::vector<DrawnChar> chars;
    // The face that draws the text instead of the file's one, for a mapped layout
    // (empty: the file's face).
    QString face;
    // The bytes are in a layout of the file's own face that no table here knows:
    // only that face can draw them.
    bool faceOwnLayout = false;

    QString text() const;
};

// What stands in for a character that no table maps, or that no installed font can
// draw: visible, and never a wrong letter.
inline constexpr char16_t StandIn = u'\u25A1';

// The Unicode of a byte in the symbol-layout font `face` (0 when its layout has
// nothing there), or nothing when `face` is not one of them.
std::optional<char32_t> symbolLayoutCharacter(const QString& face, unsigned char byte);

// The text of `bytes` drawn in a font of `face` and `charset`.
DecodedText decodeText(const QByteArray& bytes, int charset, const QString& face);

// Whether a character set is one of the double-byte ones (Japanese, Korean,
// Chinese), whose characters take one or two bytes.
bool isMultiByte(int charset);

// The average character width that a font width asks for, measured on the font
// actually drawn: lower-case letters and the blank weighted by how often they occur
// in text, as fonts of the format's time defined it.
double averageCharWidth(const QFontMetricsF& metrics);

} // namespace lumora::wmf
