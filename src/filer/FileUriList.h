#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

namespace zorvane {

// Files dragged between programs travel as a text/uri-list: one file:// URI a line, each
// naming the file's bytes percent-encoded. Qt's QUrl conversions take those bytes as UTF-8 and
// turn a Shift-JIS name into another name, so these functions go from the bytes of the list to
// paths in the lossless form of NativePath.h and back without them.

// The text/uri-list naming `paths` (lossless path form, absolute): "file://" and each path's
// exact bytes, every byte but the unreserved ones and "/" percent-encoded, each line ended by
// CR LF.
QByteArray fileUriList(const QStringList& paths);

// The local files a text/uri-list names, in its order. A URI is a local file when its scheme is
// file and its host is empty, "localhost" or `hostName`; other URIs (web addresses, files on
// another machine, a fragment or a query, a NUL byte) are left out. Comment lines ("#") and
// blank lines are skipped.
QStringList localFilesOfUriList(QByteArrayView uriList, QByteArrayView hostName);

// The name of this machine, as a file URI's host may give it.
QByteArray localHostName();

} // namespace zorvane
