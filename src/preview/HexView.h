#pragma once

#include <QByteArrayView>
#include <QString>

namespace zorvane {

// How many bytes one line of the hex view shows.
inline constexpr qsizetype hexViewBytesPerLine = 16;

// The first bytes of a file as the hex view shows them: a line for each 16 bytes with their
// offset, the bytes in hex and the same bytes as ASCII (a dot for any other byte), each line
// ended by CR LF; at most 51 lines, then the marker line when the file goes on.
QString hexViewText(QByteArrayView head, bool wholeFile);

} // namespace zorvane
