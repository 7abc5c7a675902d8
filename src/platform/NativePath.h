#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace zorvane {

// A file name on Linux is a sequence of bytes, and names in Shift-JIS (old archives, shares,
// media) sit beside UTF-8 ones. Paths travel through the program as QString, so they carry
// their bytes in a lossless text form: valid UTF-8 as its characters, and every other byte B
// as the lone surrogate U+DC00 + B (B >= 0x80), which valid UTF-8 never produces. Converting
// back gives exactly the bytes the directory listing or the command line gave. Qt's own
// conversion (QFile::encodeName, QFileInfo, QDir) would turn such bytes into U+FFFD and reach
// another file, so paths cross into the operating system only through these functions.

// The exact bytes of `path` for a system call.
QByteArray nativePath(const QString& path);

// The lossless text of the bytes `native` (a name from readdir, an argument of argv).
QString pathFromNative(QByteArrayView native);

// Whether `path` holds bytes that are not UTF-8.
bool holdsForeignBytes(const QString& path);

// What the user reads for `path`: each part between "/" that holds bytes that are not UTF-8 is
// shown decoded as code page 932 when it is valid code page 932, else with those bytes shown
// as \xHH. Parts in UTF-8 stay as they are.
QString displayPath(const QString& path);

} // namespace zorvane
