#include "TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace zorvane::testing {

QByteArray bytesOf(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

QByteArray crlf(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray shellOutput(const QString& command, const QString& folder, bool* ok) {
    QProcess shell;
    shell.setWorkingDirectory(folder);
    shell.setProcessChannelMode(QProcess::SeparateChannels);
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    const bool finished = shell.waitForFinished(120000);
    if (ok != nullptr)
        *ok = finished && shell.exitStatus() == QProcess::NormalExit && shell.exitCode() == 0;
    return shell.readAllStandardOutput();
}

bool toolsInstalled(const QStringList& programs) {
    for (const QString& program : programs) {
        if (QStandardPaths::findExecutable(program).isEmpty())
            return false;
    }
    return true;
}

const QByteArray Cp932Hyouji = bytesOf({0x95, 0x5C, 0x8E, 0xA6});
const QByteArray Cp932MsGothic =
    bytesOf({0x82, 0x6C, 0x82, 0x72, 0x20, 0x83, 0x53, 0x83, 0x56, 0x83, 0x62, 0x83, 0x4E});

} // namespace zorvane::testing
