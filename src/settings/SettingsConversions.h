#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace zorvane {

// Conversions between the text of plok.ini and the values the program applies.

// The number at the start of the text: blanks skipped (also inside the number), sign, decimal
// point, exponent with E or D, "&H" hexadecimal and "&O" octal integers; stops at the first
// other character; no number gives 0. A hexadecimal or octal value that fits 16 bits is a
// 16-bit signed integer ("&HFFFF" is -1), one that fits 32 bits a 32-bit signed integer
// ("&H80000008" is -2147483640); larger ones, like decimal overflow, give an infinity, which
// no caller can apply.
double numberValue(const QString& text);

// The number as written to plok.ini: a blank before a non-negative value, "-" before a
// negative one, no decimal point for whole numbers, no zero before the decimal point (" .5"),
// exponent form for very large or small values (" 1.234568E+07"). Double values keep up to 15
// significant digits (colours: every digit), single-precision values at most 7.
QString numberText(double value);
QString numberTextSingle(float value);

// "true"/"false" in any letter case; a number is false for 0 and true otherwise. Any other
// text has no boolean value.
std::optional<bool> booleanValue(const QString& text);

// "True" or "False".
QString booleanText(bool value);

// A number rounded to a 32-bit colour (halves to the even neighbour), or nothing when it is
// outside the 32-bit range.
std::optional<qint32> colourValue(double number);

// The text padded with blanks or cut to `width` characters.
QString paddedText(const QString& text, int width);

} // namespace zorvane
