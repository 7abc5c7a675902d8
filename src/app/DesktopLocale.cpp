#include "app/DesktopLocale.h"

#include "app/JapaneseFontChoice.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>
#include <utility>

namespace zorvane {

QList<FontFamilyFacts> installedFontFamilies() {
    QList<FontFamilyFacts> installed;
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& family : QFontDatabase::families())
        installed.append({family, japanese.contains(family), std::nullopt});
    return installed;
}

bool measuredFixedPitch(const QString& family) {
    // Measured, not asked: fontconfig calls IPAGothic "dual" spacing and gives Noto Sans Mono
    // CJK JP no spacing at all, so its fixed-pitch flag misses both.
    const QFontMetricsF metrics{QFont(family, 12)};
    const qreal narrow = metrics.horizontalAdvance(QLatin1Char('i'));
    return narrow > 0 && qFuzzyCompare(narrow, metrics.horizontalAdvance(QLatin1Char('W')));
}

namespace {

// A generic family as the installed family fontconfig answers for it: Qt does not resolve a
// substitution by "monospace" to DejaVu Sans Mono but to a proportional face.
QString installedFamilyFor(const QString& substitute) {
    const std::pair<QString, QFont::StyleHint> generics[] = {
        {QStringLiteral("monospace"), QFont::Monospace},
        {QStringLiteral("sans-serif"), QFont::SansSerif},
        {QStringLiteral("serif"), QFont::Serif},
    };
    for (const auto& [generic, hint] : generics) {
        if (substitute != generic)
            continue;
        QFont probe;
        probe.setStyleHint(hint);
        const QString family = probe.defaultFamily();
        return family.isEmpty() ? substitute : family;
    }
    return substitute;
}

} // namespace

bool installFontSubstitutions() {
    const QList<FontFamilyFacts> installed = installedFontFamilies();
    // Each family judged is measured once for all four names.
    QHash<QString, bool> measured;
    const FixedPitchMeasure measure = [&measured](const QString& family) {
        const auto known = measured.constFind(family);
        return known != measured.cend() ? *known
                                        : *measured.insert(family, measuredFixedPitch(family));
    };
    const std::pair<QString, WindowsJapaneseFont> names[] = {
        {QStringLiteral("ＭＳ ゴシック"), WindowsJapaneseFont::Gothic},
        {QStringLiteral("ＭＳ Ｐゴシック"), WindowsJapaneseFont::ProportionalGothic},
        {QStringLiteral("ＭＳ 明朝"), WindowsJapaneseFont::Mincho},
        {QStringLiteral("ＭＳ Ｐ明朝"), WindowsJapaneseFont::ProportionalMincho},
    };
    for (const auto& [name, kind] : names) {
        QFont::removeSubstitutions(name);
        QFont::insertSubstitution(
            name, installedFamilyFor(japaneseFontSubstitute(kind, installed, measure)));
    }
    return anyJapaneseFont(installed);
}

bool installQtTranslations(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace zorvane
