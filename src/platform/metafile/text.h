#pragma once
// The text of the metafile text records: bytes to Unicode by the font's character
// set or, for the symbol-layout fonts that equation editors, office suites and clip
// art use, by the font's own layout; and the width measures a font width asks for.

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

class QFont;
class QFontMetricsF;

namespace lumora::wmf {

// One character as a record draws it: its Unicode text (one or two UTF-16 units)
// and the bytes of the record it came from, which its spacing covers.
struct DrawnChar {
    QString text;
    int firstByte = 0;
    int bytes = 1;
    // Where the font's own design puts the glyph's ink, in ems from the pen on the
    // baseline (y down), for a glyph whose stand-in sits elsewhere; empty: where
    // the stand-in puts it.
    QRectF ink = {};
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

// What installed fonts draw for a character `text` in `font`: the character, or one
// that looks like it where they lack it, or else the stand-in.
QString drawableGlyph(const QFont& font, const QString& text);

// The average character width, in ems of `drawn`, of the symbol-layout font `face`
// drawn through its layout in `drawn`; 0 when `face` is not one of them.
double symbolAverageWidth(const QString& face, const QFont& drawn);

} // namespace lumora::wmf
