#include "ForcedFont.h"

#include <QApplication>
#include <QFontDatabase>

namespace zorvane::testing {

ForcedFont::ForcedFont(const QString& family, qreal points)
    : applicationFont_(QApplication::font()), names_{QStringLiteral("ＭＳ ゴシック"),
                                                     QStringLiteral("ＭＳ Ｐゴシック"),
                                                     QStringLiteral("ＭＳ 明朝"),
                                                     QStringLiteral("ＭＳ Ｐ明朝")} {
    for (const QString& name : names_) {
        substitutes_.append(QFont::substitutes(name));
        QFont::removeSubstitutions(name);
        QFont::insertSubstitution(name, family);
    }
    QFont font(family);
    font.setPointSizeF(points);
    QApplication::setFont(font);
}

ForcedFont::~ForcedFont() {
    for (qsizetype i = 0; i < names_.size(); ++i) {
        QFont::removeSubstitutions(names_.at(i));
        QFont::insertSubstitutions(names_.at(i), substitutes_.at(i));
    }
    QApplication::setFont(applicationFont_);
}

bool ForcedFont::installed(const QString& family) {
    return QFontDatabase::families().contains(family);
}

} // namespace zorvane::testing
