#include "settings/SettingsConversions.h"

namespace zorvane {

double numberValue(const QString& /*text*/) { return 0; }
QString numberText(double /*value*/) { return {}; }
QString numberTextSingle(float /*value*/) { return {}; }
std::optional<bool> booleanValue(const QString& /*text*/) { return std::nullopt; }
QString booleanText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}
std::optional<qint32> colourValue(double /*number*/) { return std::nullopt; }
QString paddedText(const QString& text, int width) {
    QString result = text.left(width);
    return result + QString(width - result.size(), QChar(u' '));
}

} // namespace zorvane
