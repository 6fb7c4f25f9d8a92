#include "platform/numtext.h"

#include <charconv>
#include <cmath>
#include <string>

namespace lumora {

namespace {

// A finite value rounded to `sig` significant digits, as its digits (no leading or
// trailing zeros) and the power of ten of the first digit.
struct Decimal {
    bool negative = false;
    std::string digits; // empty for zero
    int exponent = 0;   // value = 0.d1d2d3... * 10^(exponent + 1)
};

Decimal toDecimal(double value, int sig) {
    Decimal d;
    if (value == 0 || !std::isfinite(value))
        return d;
    // to_chars, not printf: the C library would write the locale's decimal comma.
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, sig - 1);
    std::string s(buf, res.ptr);
    std::size_t i = 0;
    if (s[i] == '-') {
        d.negative = true;
        ++i;
    }
    const std::size_t e = s.find('e');
    for (; i < e; ++i) {
        if (s[i] != '.')
            d.digits.push_back(s[i]);
    }
    const char* exp = s.c_str() + e + 1;
    if (*exp == '+')
        ++exp;
    std::from_chars(exp, s.c_str() + s.size(), d.exponent);
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.negative = false;
    return d;
}

// Plain text of a decimal with at least `minPlaces` decimals (padded with zeros).
QString plainText(const Decimal& d, int minPlaces) {
    std::string intPart, fracPart;
    const int n = static_cast<int>(d.digits.size());
    if (d.digits.empty()) {
        intPart = "0";
    } else if (d.exponent >= 0) {
        for (int k = 0; k <= d.exponent; ++k)
            intPart.push_back(k < n ? d.digits[k] : '0');
        if (n > d.exponent + 1)
            fracPart = d.digits.substr(d.exponent + 1);
    } else {
        intPart = "0";
        fracPart.assign(-d.exponent - 1, '0');
        fracPart += d.digits;
    }
    while (static_cast<int>(fracPart.size()) < minPlaces)
        fracPart.push_back('0');
    std::string out = d.negative ? "-" : "";
    out += intPart;
    if (!fracPart.empty())
        out += "." + fracPart;
    return QString::fromStdString(out);
}

// Round a decimal to `places` decimal places, half away from zero.
Decimal roundPlaces(Decimal d, int places) {
    if (d.digits.empty())
        return d;
    const int keep = d.exponent + 1 + places; // digits that stay
    const int n = static_cast<int>(d.digits.size());
    if (keep >= n)
        return d;
    if (keep < 0) {
        return Decimal{};
    }
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int k = keep - 1;
        while (k >= 0 && d.digits[k] == '9') {
            d.digits[k] = '0';
            --k;
        }
        if (k < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[k];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.negative = false;
    return d;
}

} // namespace

QString signedText(long long value) {
    return value < 0 ? QString::number(value) : ' ' + QString::number(value);
}

QString numberText(double value) { return plainText(toDecimal(value, 15), 0); }

QString singleNumberText(float value) { return plainText(toDecimal(value, 7), 0); }

QString formatDecimal(double value, const QString& pattern) {
    // "0.0##": one place always, plus one optional place for every '#'.
    const qsizetype point = pattern.indexOf('.');
    const int minPlaces = point < 0 ? 0 : static_cast<int>(pattern.count('0') - 1);
    const int maxPlaces = point < 0 ? 0 : static_cast<int>(pattern.size() - point - 1);
    return plainText(roundPlaces(toDecimal(value, 15), maxPlaces), minPlaces);
}

double parseNumber(const QString& text, bool* ok) {
    const QString t = text.trimmed();
    bool good = !t.isEmpty();
    int digits = 0;
    for (qsizetype i = 0; good && i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit())
            ++digits;
        else if (!((c == '-' || c == '+') && i == 0) && c != '.')
            good = false;
    }
    good = good && digits > 0 && t.count('.') <= 1;
    const double v = good ? t.toDouble(&good) : 0.0;
    if (ok)
        *ok = good;
    return good ? v : 0.0;
}

} // namespace lumora
