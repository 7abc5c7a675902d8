#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace zorvane {

// A name of a folder listing with the key it sorts by: the name as shown, case-folded.
struct ListedName {
    QString folded;
    QString name;
};

// The name as shown, case-folded: the key the lists sort and match file-type patterns by.
QString foldedName(const QString& shown);

// The names in the order the lists show them: by the shown name without regard to case, and
// names that look alike (a code page 932 name beside its UTF-8 twin) in a fixed order.
QStringList namesInShownOrder(std::vector<ListedName> entries);

} // namespace zorvane
