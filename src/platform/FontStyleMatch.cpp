#include "platform/FontStyleMatch.h"

#include <QFont>
#include <QFontDatabase>
#include <cstdlib>

namespace zorvane {

QString closestStyle(const QList<FamilyStyle>& styles, bool bold, bool italic) {
    const int wanted = bold ? QFont::Bold : QFont::Normal;
    QString best;
    int bestScore = 0;
    for (const FamilyStyle& style : styles) {
        // Lower is better: twice the weight's distance, one more for the wrong slant.
        const int score = 2 * std::abs(style.weight - wanted) + (style.italic == italic ? 0 : 1);
        if (best.isEmpty() || score < bestScore) {
            best = style.name;
            bestScore = score;
        }
    }
    return best;
}

QList<FamilyStyle> stylesOfFamily(const QString& family) {
    QList<FamilyStyle> styles;
    for (const QString& name : QFontDatabase::styles(family))
        styles.append(
            {name, QFontDatabase::weight(family, name), QFontDatabase::italic(family, name)});
    return styles;
}

} // namespace zorvane
