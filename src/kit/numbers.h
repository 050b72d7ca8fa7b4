#pragma once

// Lenient number reading, as the file formats expect: leading white space is
// skipped, the longest valid numeric prefix is taken and everything after it
// ignored; a field without a leading number reads as 0. Nothing is trimmed
// at the end, so "0.5x" reads as 0.5 and "x" as 0.

#include <QStringView>

namespace kit {

// Optional sign, digits, decimal point and fraction, optional exponent; the
// result is rounded to single precision (overflow gives ±infinity).
float floatValue(QStringView text);
// Optional sign and digits; saturates at the limits of qint64.
qint64 integerValue(QStringView text);

} // namespace kit
