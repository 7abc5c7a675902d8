#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace zorvane {

// Conversions between the text of plok.ini and the values the program applies.

// The number at the start of the text: blanks skipped (also inside the number), sign, decimal
// point, exponent with E or D, "&H" hexadecimal and "&O" octal integers; stops at the first
// other character; no number gives 0.
double numberValue(const QString& text);

// The number as written to plok.ini: a blank before a non-negative value, "-" before a
// negative one, no decimal point for whole numbers. Single-precision values keep at most 7
// significant digits.
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
