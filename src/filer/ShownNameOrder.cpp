#include "filer/ShownNameOrder.h"

#include <algorithm>

namespace zorvane {

QStringList namesInShownOrder(std::vector<ListedName> entries) {
    std::sort(entries.begin(), entries.end(), [](const ListedName& a, const ListedName& b) {
        const int folded = a.folded.compare(b.folded);
        return folded != 0 ? folded < 0 : a.name < b.name;
    });
    QStringList names;
    names.reserve(static_cast<qsizetype>(entries.size()));
    for (ListedName& entry : entries)
        names.append(std::move(entry.name));
    return names;
}

} // namespace zorvane
