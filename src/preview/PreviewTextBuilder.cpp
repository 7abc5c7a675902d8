#include "preview/PreviewTextBuilder.h"

#include "preview/FilePreview.h"

namespace zorvane {

namespace {

const QString& lineEnd() {
    static const QString crlf = QStringLiteral("\r\n");
    return crlf;
}

} // namespace

bool PreviewTextBuilder::addLine(QStringView line, bool moreFollows) {
    Q_ASSERT(!complete_);
    ++lineCount_;
    // Only one unit beyond the limit can matter: the cut keeps the first 2500 and looks at
    // the 2501st to keep a surrogate pair whole.
    text_ += line.left(usefulUnits());
    text_ += lineEnd();

    if (text_.size() > previewUnitLimit) {
        qsizetype kept = previewUnitLimit;
        if (text_.at(kept - 1).isHighSurrogate() && text_.at(kept).isLowSurrogate())
            --kept;
        text_.truncate(kept);
        text_ += lineEnd();
        text_ += continuationMarker();
        text_ += lineEnd();
        complete_ = true;
    } else if (lineCount_ >= previewLineLimit) {
        if (moreFollows) {
            text_ += continuationMarker();
            text_ += lineEnd();
        }
        complete_ = true;
    }
    return complete_;
}

void PreviewTextBuilder::endWithMarker() {
    Q_ASSERT(!complete_);
    text_ += continuationMarker();
    text_ += lineEnd();
    complete_ = true;
}

} // namespace zorvane
