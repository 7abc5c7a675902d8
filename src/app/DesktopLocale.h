#pragma once

#include "app/JapaneseFontChoice.h"

#include <QList>

class QCoreApplication;

namespace zorvane {

// The installed font families, with whether each has kana and kanji. Their pitch is left
// unknown: measuring it opens the face (see measuredFixedPitch).
QList<FontFamilyFacts> installedFontFamilies();

// Whether the family's Latin letters are all one width, measured on its face.
bool measuredFixedPitch(const QString& family);

// Lets the font names the program stores ("ＭＳ ゴシック", "ＭＳ 明朝" and their proportional
// forms) find the installed Japanese faces of their kind: a monospaced gothic for
// "ＭＳ ゴシック", so the viewer's columns line up. Returns false when no installed font has
// kana and kanji.
bool installFontSubstitutions();

// The installed family that stands for one of those names since installFontSubstitutions, or
// the name itself.
QString windowsFontFamily(const QString& name);

// Loads Qt's own Japanese texts (はい, いいえ, キャンセル) for standard buttons and dialogs.
// Returns false when the translations are not installed; the program then runs with Qt's
// English button texts.
bool installQtTranslations(QCoreApplication& application);

} // namespace zorvane
