#include "app/TerminalLanguage.h"

#include <QtGlobal>

namespace zorvane {

bool terminalSpeaksJapanese(const QByteArray& lcAll, const QByteArray& lcMessages,
                            const QByteArray& lang) {
    const QByteArray& locale = !lcAll.isEmpty() ? lcAll : !lcMessages.isEmpty() ? lcMessages : lang;
    // "ja", "ja_JP.UTF-8", "ja_JP.eucJP@..." all name Japanese; "jam" would be another language.
    return locale == "ja" || locale.startsWith("ja_") || locale.startsWith("ja.") ||
           locale.startsWith("ja@");
}

bool terminalSpeaksJapanese() {
    return terminalSpeaksJapanese(qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"), qgetenv("LANG"));
}

} // namespace zorvane
