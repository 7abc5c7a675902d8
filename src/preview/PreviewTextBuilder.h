#pragma once

#include <QString>
#include <QStringView>

namespace zorvane {

// The viewer shows at most this many lines of a file...
inline constexpr int previewLineLimit = 51;
// ...and at most this many UTF-16 code units (5000 bytes of UTF-16 text).
inline constexpr qsizetype previewUnitLimit = 2500;

// Builds the viewer's text from the lines of a file, one at a time, until a limit is reached.
// Each line is followed by CR LF. When the text grows beyond 2500 units it is cut to 2500
// (never between the two halves of a surrogate pair), and CR LF, the marker and CR LF follow;
// the cut may fall between the CR and the LF after a line. Otherwise, when the 51st line is in
// and the file goes on, the marker and CR LF follow. The marker is continuationMarker().
class PreviewTextBuilder {
public:
    // Adds the next line of the file. `moreFollows` tells whether the file has anything after
    // it. Returns true once a limit has ended the preview; no line may be added after that.
    bool addLine(QStringView line, bool moreFollows);

    // Ends a preview whose file goes on beyond what was read: the marker and CR LF follow.
    void endWithMarker();

    // How many units of the next line can still matter: a longer line is cut anyway.
    qsizetype usefulUnits() const {
        return qMax<qsizetype>(previewUnitLimit + 1 - text_.size(), 0);
    }

    bool isComplete() const { return complete_; }
    int lineCount() const { return lineCount_; }
    const QString& text() const { return text_; }

private:
    QString text_;
    int lineCount_ = 0;
    bool complete_ = false;
};

} // namespace zorvane
