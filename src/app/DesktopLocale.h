#pragma once

class QCoreApplication;

namespace zorvane {

// Lets the font names the program stores ("ＭＳ ゴシック", "ＭＳ 明朝" and their proportional
// forms) find the installed Japanese gothic and mincho faces.
void installFontSubstitutions();

// Loads Qt's own Japanese texts (はい, いいえ, キャンセル) for standard buttons and dialogs.
// Returns false when the translations are not installed; the program then runs with Qt's
// English button texts.
bool installQtTranslations(QCoreApplication& application);

} // namespace zorvane
