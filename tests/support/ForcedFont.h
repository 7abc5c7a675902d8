#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

namespace zorvane::testing {

// While it lives, the program's Japanese font names and the application's font are one
// installed family at one size, as on a desktop that has only that family. Restores both.
class ForcedFont {
public:
    ForcedFont(const QString& family, qreal points);
    ~ForcedFont();
    ForcedFont(const ForcedFont&) = delete;
    ForcedFont& operator=(const ForcedFont&) = delete;

    // Whether `family` is installed here; a test that needs it skips otherwise.
    static bool installed(const QString& family);

private:
    QFont applicationFont_;
    QStringList names_;
    QList<QStringList> substitutes_;
};

} // namespace zorvane::testing
