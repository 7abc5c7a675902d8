#pragma once

#include <QString>

namespace zorvane {

// The preview text as the viewer shows it: each CR LF pair is a line break, a lone LF (a line
// end the program does not split on) is shown as a line break too, and a lone CR left by a cut
// between CR and LF is dropped.
QString viewerDisplayText(const QString& previewText);

// What the viewer says while the head of the picked file is still being read.
QString pendingReadText();

// The full path of a file in `folder`: one "/" between them, also for the root folder.
QString joinFolderAndName(const QString& folder, const QString& name);

} // namespace zorvane
