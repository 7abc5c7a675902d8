#pragma once

#include <QString>

namespace zorvane {

// A tool tip that shows `text` exactly as it is spelled. Qt takes a tool tip for markup when it
// merely looks like some ("<b>x.txt<!--"), so such a text goes as markup that spells it out,
// blanks kept; any other text goes as it is.
QString plainToolTip(const QString& text);

} // namespace zorvane
