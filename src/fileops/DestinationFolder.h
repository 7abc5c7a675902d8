#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

class QWidget;

namespace zorvane {

// Results of CheckDestDir.
enum DestinationCheck : qint16 {
    DestNothing = 777,   // nothing of that name exists: make the folder, then send
    DestFolder = 222,    // an existing folder
    DestNotFolder = 111, // something else exists under that name
    DestGaveUp = 999,    // the lookup failed and the user gave up
};

// What the file system says about a destination path.
struct DestinationLookup {
    enum class Found { Nothing, Folder, Other };
    Found found = Found::Nothing;
    int errorNumber = 0; // non-zero: the lookup itself failed with this number

    friend bool operator==(const DestinationLookup&, const DestinationLookup&) = default;
};

using DestinationProbe = std::function<DestinationLookup(const QString& path)>;

// The destination text as a path: taken literally (no wildcards). "~" alone or a leading "~/"
// is the home folder; a relative text is relative to the folder of `targetPath`, the file being
// copied or moved. Nothing else is normalised, so a trailing "/" stays. A text of blanks only
// (half-width, full-width, tabs) names no folder: the result is empty, as for an empty text.
QString resolveDestinationText(const QString& text, const QString& targetPath,
                               const QString& homeFolder);

// The program's number for a failed destination lookup: a medium or device that is gone or
// does not answer is 52 (the Retry box), everything else as the file-error numbering has it.
int destinationLookupErrorNumber(int errnoValue, const char* path);

// Asks the file system: lstat finds nothing (ENOENT, ENOTDIR) -> Nothing; stat (following
// links) finds a folder -> Folder; anything else that exists, dangling and looping links
// included -> Other. A failure of either call gives its error number.
DestinationLookup lookUpDestination(const QString& path);

// The destination check of the copy-and-move dialog. On a failed lookup it beeps; 52 offers
// Retry (asking `probe` again) or Cancel, any other number an OK box; both give up with 999.
qint16 CheckDestDir(const QString& path, const DestinationProbe& probe, QWidget* owner);

// Makes the one missing folder `path` (mode 0777 before the umask). 0, or the errno value.
int createDestinationFolder(const QString& path);

} // namespace zorvane
