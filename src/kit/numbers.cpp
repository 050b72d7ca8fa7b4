#include "numbers.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <limits>
#include <string>

namespace kit {

namespace {

bool isSpace(QChar c) { return c.isSpace(); }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The files always write a decimal point, whatever the person's locale; the
// application object switches the C library to the system locale at start,
// which would make strtof stop at the point under a decimal-comma locale.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

} // namespace

float floatValue(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isSpace(text[i]))
        ++i;
    std::string digits;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        digits += char(text[i++].unicode());
    qsizetype mantissa = 0;
    while (i < n && isDigit(text[i])) {
        digits += char(text[i++].unicode());
        ++mantissa;
    }
    if (i < n && text[i] == u'.') {
        digits += '.';
        ++i;
        while (i < n && isDigit(text[i])) {
            digits += char(text[i++].unicode());
            ++mantissa;
        }
    }
    if (mantissa == 0)
        return 0.0f;
    // An exponent counts only when at least one digit follows it.
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            exponent += char(text[j++].unicode());
        qsizetype expDigits = 0;
        while (j < n && isDigit(text[j]) && expDigits < 12) {
            exponent += char(text[j++].unicode());
            ++expDigits;
        }
        if (expDigits > 0)
            digits += exponent;
    }
    return strtof_l(digits.c_str(), nullptr, cLocale());
}

qint64 integerValue(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    constexpr qint64 max = std::numeric_limits<qint64>::max();
    qint64 value = 0;
    while (i < n && isDigit(text[i])) {
        const int d = text[i++].unicode() - u'0';
        if (value > (max - d) / 10)
            return negative ? std::numeric_limits<qint64>::min() : max;
        value = value * 10 + d;
    }
    return negative ? -value : value;
}

} // namespace kit
