// The number and boolean values of settings texts against a plain reading of their rules (the C
// library's strtod for the decimal number, with the same grammar), and number texts that read
// back as the number they were written for.
#include "FuzzSupport.h"

#include "settings/SettingsConversions.h"

#include <QRegularExpression>

#include <cerrno>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstring>
#include <locale.h>
#include <string>

using namespace zorvane;
using namespace zorvane::fuzz;

namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The decimal number at the start of `text` (blanks already gone) in the C library's form, or
// empty when there is none. `end` receives where it stops.
std::string decimalPart(const QString& text, qsizetype& end) {
    std::string out;
    qsizetype at = 0;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-'))
        out.push_back(char(text[at++].unicode()));
    bool digits = false;
    while (at < text.size() && isDigit(text[at].unicode())) {
        out.push_back(char(text[at++].unicode()));
        digits = true;
    }
    if (at < text.size() && text[at] == u'.') {
        out.push_back('.');
        ++at;
        while (at < text.size() && isDigit(text[at].unicode())) {
            out.push_back(char(text[at++].unicode()));
            digits = true;
        }
    }
    if (!digits)
        return {};
    end = at;
    if (at < text.size() && QStringLiteral("EeDd").contains(text[at])) {
        qsizetype e = at + 1;
        std::string exponent = "e";
        if (e < text.size() && (text[e] == u'+' || text[e] == u'-'))
            exponent.push_back(char(text[e++].unicode()));
        bool exponentDigits = false;
        while (e < text.size() && isDigit(text[e].unicode())) {
            exponent.push_back(char(text[e++].unicode()));
            exponentDigits = true;
        }
        if (exponentDigits) {
            out += exponent;
            end = e;
        }
    }
    return out;
}

double plainStrtod(const std::string& number) {
    static const locale_t c = ::newlocale(LC_NUMERIC_MASK, "C", nullptr);
    return ::strtod_l(number.c_str(), nullptr, c);
}

bool sameNumber(double expected, double actual) {
    if (expected == actual)
        return true;
    // Below the normal range the result may be flushed to zero.
    return std::fabs(expected) < DBL_MIN && actual == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputReader input(data, size);
    const uint8_t choice = input.byte();
    const QByteArray bytes = input.rest();
    const QString text = QString::fromLatin1(bytes);

    // Number value: blanks count nowhere.
    QString packed = text;
    packed.remove(QRegularExpression(QStringLiteral("[ \\t\\r\\n]")));
    const double value = numberValue(text);
    if (!packed.startsWith(u'&')) {
        qsizetype end = 0;
        const std::string decimal = decimalPart(packed, end);
        const double expected = decimal.empty() ? 0.0 : plainStrtod(decimal);
        if (!sameNumber(expected, value))
            fail("number value", QString::number(expected, 'g', 17),
                 QString::number(value, 'g', 17));
    }

    // Boolean value: true/false, or a whole text that is a number.
    const QString trimmed = text.trimmed();
    const std::optional<bool> boolean = booleanValue(text);
    if (trimmed.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0) {
        if (boolean != true)
            fail("boolean true", trimmed);
    } else if (trimmed.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0) {
        if (boolean != false)
            fail("boolean false", trimmed);
    } else if (!trimmed.startsWith(u'&')) {
        qsizetype end = 0;
        const std::string decimal = decimalPart(trimmed, end);
        if (decimal.empty() || end != trimmed.size()) {
            if (boolean.has_value())
                fail("no boolean value", trimmed);
        } else if (boolean != (plainStrtod(decimal) != 0)) {
            fail("boolean of a number", trimmed);
        }
    }

    // Number texts read back: 15 significant digits for doubles.
    if (bytes.size() >= 8) {
        double number = 0;
        std::memcpy(&number, bytes.constData(), sizeof number);
        // Fifteen digits of the very largest doubles round beyond the largest double.
        if (std::isfinite(number) && std::fabs(number) < 1.79769313486231e308 &&
            (choice & 1) != 0) {
            const double back = numberValue(numberText(number));
            if (std::fabs(back - number) > 1e-14 * std::fabs(number) &&
                !(std::fabs(number) < 1e-300))
                fail("number text reads back", QString::number(number, 'g', 17),
                     QString::number(back, 'g', 17));
        }
    }
    return 0;
}
