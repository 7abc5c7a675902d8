#include "settings/SettingsConversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace zorvane {

namespace {

bool isSkippedBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

int hexDigit(QChar c) {
    if (isDigit(c))
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

// The result of reading a number from the start of a text.
struct NumberScan {
    double value = 0;
    bool found = false; // at least one digit
    qsizetype end = 0;  // where reading stopped
};

// Walks the text, skipping blanks when `blanksInside` is set (anywhere) and otherwise only
// before the number.
class NumberReader {
public:
    NumberReader(QStringView text, bool blanksInside) : text_(text), blanksInside_(blanksInside) {
        skip(true);
    }

    QChar peek() const { return at_ < text_.size() ? text_.at(at_) : QChar(); }
    void take() {
        ++at_;
        skip(blanksInside_);
    }
    qsizetype position() const { return at_; }
    void restore(qsizetype position) { at_ = position; }

private:
    void skip(bool allowed) {
        while (allowed && at_ < text_.size() && isSkippedBlank(text_.at(at_)))
            ++at_;
    }

    QStringView text_;
    bool blanksInside_;
    qsizetype at_ = 0;
};

// "&H" hexadecimal or "&O" (or bare "&") octal integer. Values that fit 16 bits are 16-bit
// signed integers, values that fit 32 bits 32-bit signed integers, as the platform's literals.
NumberScan scanRadix(NumberReader& reader) {
    NumberScan scan;
    reader.take(); // '&'
    int radix = 8;
    const QChar letter = reader.peek();
    if (letter == u'H' || letter == u'h') {
        radix = 16;
        reader.take();
    } else if (letter == u'O' || letter == u'o') {
        reader.take();
    }
    quint64 magnitude = 0;
    bool tooLarge = false;
    for (;;) {
        const int digit = hexDigit(reader.peek());
        if (digit < 0 || digit >= radix)
            break;
        scan.found = true;
        magnitude = magnitude * static_cast<quint64>(radix) + static_cast<quint64>(digit);
        if (magnitude > 0xFFFFFFFFull) {
            tooLarge = true;
            magnitude = 0x100000000ull;
        }
        reader.take();
    }
    scan.end = reader.position();
    if (!scan.found)
        return scan;
    if (tooLarge)
        scan.value = std::numeric_limits<double>::infinity();
    else if (magnitude <= 0xFFFF)
        scan.value = static_cast<qint16>(static_cast<quint16>(magnitude));
    else
        scan.value = static_cast<qint32>(static_cast<quint32>(magnitude));
    return scan;
}

// The power of ten of the first significant digit of a number in the form [-]digits[.digits]
// [e[+-]digits], saturated far beyond any double's range; a number without a significant digit
// gives the lowest value.
qint64 decimalMagnitude(const std::string& number) {
    constexpr qint64 Far = qint64(1) << 40;
    qint64 exponent = 0;
    const auto e = number.find('e');
    if (e != std::string::npos) {
        const bool negative = e + 1 < number.size() && number[e + 1] == '-';
        for (std::size_t i = e + 1; i < number.size(); ++i)
            if (number[i] >= '0' && number[i] <= '9')
                exponent = std::min(Far, exponent * 10 + (number[i] - '0'));
        if (negative)
            exponent = -exponent;
    }
    const std::string mantissa = number.substr(0, e);
    const auto point = mantissa.find('.');
    const std::size_t digitsStart = mantissa.front() == '-' ? 1 : 0;
    const std::size_t wholeEnd = point == std::string::npos ? mantissa.size() : point;
    // Position of the first non-zero digit relative to the decimal point.
    for (std::size_t i = digitsStart; i < mantissa.size(); ++i) {
        if (mantissa[i] < '1' || mantissa[i] > '9')
            continue;
        const qint64 place = i < wholeEnd ? qint64(wholeEnd - i - 1) : -qint64(i - wholeEnd);
        return place + exponent;
    }
    return -Far;
}

NumberScan scanNumber(QStringView text, bool blanksInside) {
    NumberReader reader(text, blanksInside);
    if (reader.peek() == u'&')
        return scanRadix(reader);

    NumberScan scan;
    std::string ascii;
    if (reader.peek() == u'+' || reader.peek() == u'-') {
        if (reader.peek() == u'-')
            ascii.push_back('-');
        reader.take();
    }
    while (isDigit(reader.peek())) {
        ascii.push_back(static_cast<char>(reader.peek().unicode()));
        scan.found = true;
        reader.take();
    }
    if (reader.peek() == u'.') {
        ascii.push_back('.');
        reader.take();
        while (isDigit(reader.peek())) {
            ascii.push_back(static_cast<char>(reader.peek().unicode()));
            scan.found = true;
            reader.take();
        }
    }
    if (!scan.found)
        return scan;
    scan.end = reader.position();

    const QChar marker = reader.peek();
    if (marker == u'E' || marker == u'e' || marker == u'D' || marker == u'd') {
        const qsizetype before = reader.position();
        std::string exponent = "e";
        reader.take();
        if (reader.peek() == u'+' || reader.peek() == u'-') {
            exponent.push_back(reader.peek() == u'-' ? '-' : '+');
            reader.take();
        }
        bool digits = false;
        while (isDigit(reader.peek())) {
            exponent.push_back(static_cast<char>(reader.peek().unicode()));
            digits = true;
            reader.take();
        }
        if (digits) {
            ascii += exponent;
            scan.end = reader.position();
        } else {
            reader.restore(before);
        }
    }

    double value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small: the place of the first significant digit decides, not the
        // sign of the exponent ("." and 330 zeros then 1 is tiny, "1" and 400 zeros then E-5
        // is huge).
        const bool negative = ascii.front() == '-';
        value = decimalMagnitude(ascii) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        if (negative)
            value = -value;
    }
    scan.value = value;
    return scan;
}

// The platform's decimal form with at most `digits` significant digits: a blank or "-" in
// front, no leading zero before the decimal point, exponent form for very large and very
// small values.
QString decimalText(double value, int digits) {
    if (!std::isfinite(value) || value == 0)
        return QStringLiteral(" 0");
    const bool negative = value < 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, std::fabs(value));
    const std::string formatted(buffer);
    const auto ePos = formatted.find('e');
    std::string mantissa = formatted.substr(0, ePos);
    mantissa.erase(std::remove(mantissa.begin(), mantissa.end(), '.'), mantissa.end());
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();
    const int exponent = std::stoi(formatted.substr(ePos + 1));

    // Built as a QString: GCC 12 warns falsely (-Wrestrict) on std::string concatenation at -O3.
    const QString digitsText = QString::fromLatin1(mantissa.data(), qsizetype(mantissa.size()));
    QString text = negative ? QStringLiteral("-") : QStringLiteral(" ");
    if (exponent >= digits || exponent < -4) {
        text += digitsText.left(1);
        if (digitsText.size() > 1)
            text += QLatin1Char('.') + digitsText.mid(1);
        char exponentText[16];
        std::snprintf(exponentText, sizeof exponentText, "E%c%02d", exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        text += QLatin1String(exponentText);
    } else if (exponent >= 0) {
        const qsizetype whole = exponent + 1;
        if (digitsText.size() <= whole)
            text += digitsText + QString(whole - digitsText.size(), QLatin1Char('0'));
        else
            text += digitsText.left(whole) + QLatin1Char('.') + digitsText.mid(whole);
    } else {
        text += QLatin1Char('.') + QString(-exponent - 1, QLatin1Char('0')) + digitsText;
    }
    return text;
}

} // namespace

double numberValue(const QString& text) {
    const NumberScan scan = scanNumber(text, true);
    return scan.found ? scan.value : 0.0;
}

QString numberText(double value) {
    return decimalText(value, 15);
}

QString numberTextSingle(float value) {
    return decimalText(static_cast<double>(value), 7);
}

std::optional<bool> booleanValue(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0)
        return false;
    const NumberScan scan = scanNumber(trimmed, false);
    if (!scan.found || scan.end != trimmed.size() || std::isnan(scan.value))
        return std::nullopt;
    return scan.value != 0;
}

QString booleanText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

std::optional<qint32> colourValue(double number) {
    if (!std::isfinite(number))
        return std::nullopt;
    const double below = std::floor(number);
    const double fraction = number - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0))
        rounded = below + 1;
    if (rounded < static_cast<double>(std::numeric_limits<qint32>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return static_cast<qint32>(rounded);
}

QString paddedText(const QString& text, int width) {
    QString result = text.left(width);
    return result + QString(width - result.size(), QChar(u' '));
}

} // namespace zorvane
