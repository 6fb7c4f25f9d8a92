#pragma once
// Numbers as the screens write them.
//
// signedText: a whole number with the place of its sign, " 3" or "-3", as numbers
// are joined into captions ("Question" + " 3").
// numberText: the shortest plain decimal of a value rounded to 15 significant digits
// (a double) or 7 (a single): no exponent, no trailing zeros, no point for a whole
// value, a "0" before the point below 1.
// formatDecimal: the patterns "0.0#", "0.0######" and their kin: at least one and at
// most the pattern's decimal places, a "0" before the point.

#include <QString>

namespace lumora {

QString signedText(long long value);

QString numberText(double value);      // 15 significant digits
QString singleNumberText(float value); // 7 significant digits

// Pattern "0.0" followed by any number of "#". Values are first taken to 15
// significant digits and then rounded half away from zero, so 0.015 shows as 0.02.
QString formatDecimal(double value, const QString& pattern);

// A number text read back as a double (the way a drill reads a caption); false in
// *ok when the text is not a plain decimal number.
double parseNumber(const QString& text, bool* ok = nullptr);

} // namespace lumora
