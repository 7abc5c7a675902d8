#pragma once

#include <QByteArray>

namespace zorvane {

// What the program says on a terminal (usage, a missing display) is said before any window
// exists, in the language of the user's locale: Japanese for a ja locale, English otherwise.
// The locale is the first set of LC_ALL, LC_MESSAGES and LANG, as the C library takes it.
bool terminalSpeaksJapanese(const QByteArray& lcAll, const QByteArray& lcMessages,
                            const QByteArray& lang);

// The same, from the process's environment.
bool terminalSpeaksJapanese();

} // namespace zorvane
