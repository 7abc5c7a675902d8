#include "filer/FileUriList.h"

#include "platform/NativePath.h"

#include <unistd.h>

namespace zorvane {

namespace {

bool startsWithNoCase(QByteArrayView text, QByteArrayView prefix) {
    return text.size() >= prefix.size() &&
           text.first(prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0;
}

// The path of one file URI, or empty when the URI is not a local file.
QString localFileOf(QByteArrayView uri, QByteArrayView hostName) {
    if (!startsWithNoCase(uri, "file:"))
        return {};
    QByteArrayView rest = uri.sliced(5);
    if (rest.startsWith("//")) {
        rest = rest.sliced(2);
        const qsizetype pathStart = rest.indexOf('/');
        if (pathStart < 0)
            return {};
        const QByteArrayView host = rest.first(pathStart);
        if (!host.isEmpty() && host.compare("localhost", Qt::CaseInsensitive) != 0 &&
            (hostName.isEmpty() || host.compare(hostName, Qt::CaseInsensitive) != 0))
            return {};
        rest = rest.sliced(pathStart);
    }
    // A query or a fragment would name part of a resource, not a file.
    if (!rest.startsWith('/') || rest.contains('?') || rest.contains('#'))
        return {};
    const QByteArray bytes = QByteArray::fromPercentEncoding(rest.toByteArray());
    if (bytes.contains('\0'))
        return {};
    return pathFromNative(bytes);
}

} // namespace

QByteArray fileUriList(const QStringList& paths) {
    QByteArray list;
    for (const QString& path : paths)
        list += "file://" + nativePath(path).toPercentEncoding("/") + "\r\n";
    return list;
}

QStringList localFilesOfUriList(QByteArrayView uriList, QByteArrayView hostName) {
    QStringList files;
    for (QByteArray line : uriList.toByteArray().split('\n')) {
        line = line.trimmed(); // the CR of CR LF, and blanks a sender left around a URI
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QString file = localFileOf(line, hostName);
        if (!file.isEmpty())
            files.append(file);
    }
    return files;
}

QByteArray localHostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    return QByteArray(name);
}

} // namespace zorvane
