#include "preview/PreviewHead.h"

#include "textfile/RegularFileReader.h"

#include <optional>
#include <utility>

namespace zorvane {

PreviewHead readPreviewHead(const QString& path, qsizetype byteBound,
                            const PreviewHeadWanted& wantsMore) {
    PreviewHead head;
    RegularFileReader file(path);
    if (!file.isOpen()) {
        head.errorNumber = file.error();
        return head;
    }
    const qsizetype bound = qMax<qsizetype>(byteBound, 0);
    // One byte beyond the head tells whether the file goes on; it is kept aside while the head
    // is looked at, and put back when the preview reads on.
    QByteArray& bytes = head.bytes;
    std::optional<char> beyond;
    bool ended = false;
    for (qsizetype size = qMin(previewFirstRead, bound);; size = bound) {
        if (beyond)
            bytes.append(*std::exchange(beyond, std::nullopt));
        while (!ended && bytes.size() <= size) {
            const qsizetype old = bytes.size();
            bytes.resize(size + 1);
            const qint64 count = file.read(bytes.data() + old, size + 1 - old);
            if (count < 0) {
                head.errorNumber = file.error();
                bytes.clear();
                return head;
            }
            bytes.resize(old + count);
            ended = count == 0;
        }
        head.wholeFile = bytes.size() <= size;
        if (!head.wholeFile) {
            beyond = bytes.at(size);
            bytes.truncate(size);
        }
        const bool more = !wantsMore || wantsMore(head);
        if (head.wholeFile || size == bound || !more)
            return head;
    }
}

} // namespace zorvane
