#include "preview/PreviewHead.h"

#include "textfile/RegularFileReader.h"

namespace zorvane {

PreviewHead readPreviewHead(const QString& path, qsizetype byteBound) {
    PreviewHead head;
    bool goesOn = false;
    head.bytes = RegularFileReader::readHead(path, qMax<qsizetype>(byteBound, 0), &head.errorNumber,
                                             &goesOn);
    head.wholeFile = head.errorNumber == 0 && !goesOn;
    return head;
}

} // namespace zorvane
