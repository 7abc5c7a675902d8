#pragma once

#include "platform/MessageBoxService.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace zorvane {

// What the program needs to know of one installed font family to stand it in for a Windows
// Japanese font.
struct FontFamilyFacts {
    QString family;
    bool japanese = false; // has kana and kanji
    std::optional<bool>
        fixedPitch; // every Latin letter as wide as the next; unknown until measured
};

// Measures whether a family's Latin letters are all one width. Measuring opens the face, so the
// choice below asks only about the families it has to judge.
using FixedPitchMeasure = std::function<bool(const QString& family)>;

// The four Windows font names the settings and the windows use.
enum class WindowsJapaneseFont {
    Gothic,             // "ＭＳ ゴシック": monospaced; the viewer's columns rely on it
    ProportionalGothic, // "ＭＳ Ｐゴシック"
    Mincho,             // "ＭＳ 明朝"
    ProportionalMincho, // "ＭＳ Ｐ明朝"
};

// The installed family that stands in for `name`: the first of the usual Japanese families
// of its kind that is installed (IPA first, then Noto CJK, VL, Takao), else another Japanese
// family of the same kind. Without any Japanese family, the generic family of its kind
// ("monospace", "sans-serif", "serif"), so that Latin text at least keeps its shape. A family
// whose pitch is unknown is measured through `measure` when its pitch decides (never where a
// usual family is installed); without `measure` it counts as proportional.
QString japaneseFontSubstitute(WindowsJapaneseFont name, const QList<FontFamilyFacts>& installed,
                               const FixedPitchMeasure& measure = {});

// Whether any of the installed families has kana and kanji.
bool anyJapaneseFont(const QList<FontFamilyFacts>& installed);

// The message shown once at start where no installed font has kana and kanji.
MessageRequest missingJapaneseFontMessage();

// Shows that message through the platform's message-box service.
void reportMissingJapaneseFont(QWidget* owner);

} // namespace zorvane
