#include "preview/PreviewHead.h"

#include "textfile/RegularFileReader.h"

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
    QByteArray bytes; // the head and one byte beyond it, which tells whether the file goes on
    bool ended = false;
    for (qsizetype size = qMin(previewFirstRead, bound);; size = bound) {
        while (!ended && bytes.size() <= size) {
            const qsizetype old = bytes.size();
            bytes.resize(size + 1);
            const qint64 count = file.read(bytes.data() + old, size + 1 - old);
            if (count < 0) {
                head.errorNumber = file.error();
                head.bytes.clear();
                return head;
            }
            bytes.resize(old + count);
            ended = count == 0;
        }
        head.wholeFile = bytes.size() <= size;
        head.bytes = bytes.first(qMin(bytes.size(), size));
        const bool more = !wantsMore || wantsMore(head);
        if (head.wholeFile || size == bound || !more)
            return head;
    }
}

} // namespace zorvane
