#include "app/JapaneseFontChoice.h"

#include "platform/PlatformServices.h"

#include <QStringList>
#include <algorithm>

namespace zorvane {

namespace {

// Each family under every name fontconfig may list it by.
QStringList preferredFamilies(WindowsJapaneseFont name) {
    switch (name) {
    case WindowsJapaneseFont::Gothic:
        return {QStringLiteral("IPAGothic"),
                QStringLiteral("IPAゴシック"),
                QStringLiteral("Noto Sans Mono CJK JP"),
                QStringLiteral("VL Gothic"),
                QStringLiteral("VL ゴシック"),
                QStringLiteral("TakaoGothic"),
                QStringLiteral("Takao Gothic"),
                QStringLiteral("Takaoゴシック")};
    case WindowsJapaneseFont::ProportionalGothic:
        return {QStringLiteral("IPAPGothic"),       QStringLiteral("IPA Pゴシック"),
                QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic"),
                QStringLiteral("VL Pゴシック"),     QStringLiteral("TakaoPGothic"),
                QStringLiteral("Takao PGothic"),    QStringLiteral("TakaoPゴシック")};
    case WindowsJapaneseFont::Mincho:
        return {QStringLiteral("IPAMincho"),         QStringLiteral("IPA明朝"),
                QStringLiteral("Noto Serif CJK JP"), QStringLiteral("TakaoMincho"),
                QStringLiteral("Takao Mincho"),      QStringLiteral("Takao明朝")};
    case WindowsJapaneseFont::ProportionalMincho:
        return {QStringLiteral("IPAPMincho"),        QStringLiteral("IPA P明朝"),
                QStringLiteral("Noto Serif CJK JP"), QStringLiteral("TakaoPMincho"),
                QStringLiteral("Takao PMincho"),     QStringLiteral("TakaoP明朝")};
    }
    return {};
}

bool looksSerif(const QString& family) {
    return family.contains(QStringLiteral("Mincho"), Qt::CaseInsensitive) ||
           family.contains(QStringLiteral("明朝")) ||
           family.contains(QStringLiteral("Serif"), Qt::CaseInsensitive);
}

// Whether a Japanese family not among the usual ones is of the kind `name` asks for.
bool ofItsKind(WindowsJapaneseFont name, const FontFamilyFacts& facts) {
    switch (name) {
    case WindowsJapaneseFont::Gothic:
        return facts.fixedPitch && !looksSerif(facts.family);
    case WindowsJapaneseFont::ProportionalGothic:
        return !facts.fixedPitch && !looksSerif(facts.family);
    case WindowsJapaneseFont::Mincho:
    case WindowsJapaneseFont::ProportionalMincho:
        return looksSerif(facts.family);
    }
    return false;
}

QString genericFamily(WindowsJapaneseFont name) {
    switch (name) {
    case WindowsJapaneseFont::Gothic:
        return QStringLiteral("monospace");
    case WindowsJapaneseFont::ProportionalGothic:
        return QStringLiteral("sans-serif");
    case WindowsJapaneseFont::Mincho:
    case WindowsJapaneseFont::ProportionalMincho:
        return QStringLiteral("serif");
    }
    return {};
}

} // namespace

QString japaneseFontSubstitute(WindowsJapaneseFont name, const QList<FontFamilyFacts>& installed) {
    QList<FontFamilyFacts> japanese;
    std::copy_if(installed.cbegin(), installed.cend(), std::back_inserter(japanese),
                 [](const FontFamilyFacts& facts) { return facts.japanese; });
    for (const QString& preferred : preferredFamilies(name)) {
        const auto found =
            std::find_if(japanese.cbegin(), japanese.cend(), [&](const FontFamilyFacts& facts) {
                return facts.family.compare(preferred, Qt::CaseInsensitive) == 0;
            });
        if (found != japanese.cend())
            return found->family;
    }
    const auto sameKind =
        std::find_if(japanese.cbegin(), japanese.cend(),
                     [&](const FontFamilyFacts& f) { return ofItsKind(name, f); });
    if (sameKind != japanese.cend())
        return sameKind->family;
    // A gothic stands in for a missing mincho (and the other way round) before kana turn
    // into boxes.
    if (!japanese.isEmpty())
        return japanese.first().family;
    return genericFamily(name);
}

bool anyJapaneseFont(const QList<FontFamilyFacts>& installed) {
    return std::any_of(installed.cbegin(), installed.cend(),
                       [](const FontFamilyFacts& facts) { return facts.japanese; });
}

MessageRequest missingJapaneseFontMessage() {
    // Without a Japanese font the Japanese lines show as boxes: the first line and the title
    // say it in letters every font has.
    return {QStringLiteral(
                "No Japanese font is installed: kana and kanji show as boxes. Install one with "
                "sudo apt install fonts-ipafont-gothic (or fonts-noto-cjk).\n\n"
                "日本語を表示できるフォントが見つかりません。かなと漢字は正しく表示されません。\n"
                "fonts-ipafont-gothic または fonts-noto-cjk をインストールしてください。\n"
                "(例: sudo apt install fonts-ipafont-gothic)"),
            QStringLiteral("Fonts / フォント"), MessageIcon::Exclamation, MessageButtons::Ok};
}

void reportMissingJapaneseFont(QWidget* owner) {
    PlatformServices::messageBox().show(owner, missingJapaneseFontMessage());
}

} // namespace zorvane
