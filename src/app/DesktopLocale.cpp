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

#include <dlfcn.h>
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

// The families chosen for the Windows names, by name.
QHash<QString, QString>& chosenFamilies() {
    static QHash<QString, QString> chosen;
    return chosen;
}

// Tells fontconfig, for this process, to put each chosen family first wherever its Windows name
// is asked for. Qt then finds the face through fontconfig's answer for the name. A substitution
// of Qt's own (QFont::insertSubstitution) finds the same face, but Qt then looks up fallback
// families for both names, script by script, eagerly: the window's first texts paid for each
// lookup twice. False where the fontconfig calls are not there (Qt reads fonts another way).
bool addFontconfigAliases(const QHash<QString, QString>& families) {
    // Qt's GUI library brings fontconfig with it: no library or header of its own is needed.
    using CurrentConfig = void* (*)();
    using ParseFromMemory = int (*)(void*, const unsigned char*, int);
    const auto current =
        reinterpret_cast<CurrentConfig>(::dlsym(RTLD_DEFAULT, "FcConfigGetCurrent"));
    const auto parse =
        reinterpret_cast<ParseFromMemory>(::dlsym(RTLD_DEFAULT, "FcConfigParseAndLoadFromMemory"));
    if (!current || !parse || !current())
        return false;
    QByteArray rules = "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM "
                       "\"urn:fontconfig:fonts.dtd\">\n<fontconfig>\n";
    for (auto it = families.cbegin(); it != families.cend(); ++it) {
        rules += "<match target=\"pattern\"><test name=\"family\"><string>" +
                 it.key().toHtmlEscaped().toUtf8() +
                 "</string></test><edit name=\"family\" mode=\"prepend\" binding=\"strong\">"
                 "<string>" +
                 it.value().toHtmlEscaped().toUtf8() + "</string></edit></match>\n";
    }
    rules += "</fontconfig>\n";
    return parse(current(), reinterpret_cast<const unsigned char*>(rules.constData()), 1) != 0;
}

} // namespace

QString windowsFontFamily(const QString& name) {
    return chosenFamilies().value(name, name);
}

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
    QHash<QString, QString>& chosen = chosenFamilies();
    for (const auto& [name, kind] : names) {
        QFont::removeSubstitutions(name);
        chosen.insert(name, installedFamilyFor(japaneseFontSubstitute(kind, installed, measure)));
    }
    if (!addFontconfigAliases(chosen)) {
        for (auto it = chosen.cbegin(); it != chosen.cend(); ++it)
            QFont::insertSubstitution(it.key(), it.value());
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
