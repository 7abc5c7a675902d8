#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <initializer_list>

namespace zorvane::testing {

// Bytes given as numbers, for file contents in a particular encoding.
QByteArray bytesOf(std::initializer_list<int> values);

// Replaces the file's content; false when it cannot be written.
bool writeBytes(const QString& path, const QByteArray& bytes);

// The file's whole content, empty when it cannot be read.
QByteArray readBytes(const QString& path);

// Runs `command` with /bin/sh in `folder` (files made with the usual tools, what those tools
// say of them) and returns its standard output; `ok`, when given, tells whether it ran and
// ended with status 0.
QByteArray shellOutput(const QString& command, const QString& folder, bool* ok = nullptr);

// Whether every one of the programs is on PATH.
bool toolsInstalled(const QStringList& programs);

// The lines in UTF-8, each ended by CR LF, as plok.ini and plok.his are written.
QByteArray crlf(const QStringList& lines);

// Texts in code page 932 as the original platform writes them.
// "表示": the trail byte of 表 is 0x5C, a backslash on its own.
extern const QByteArray Cp932Hyouji;
// "ＭＳ ゴシック"
extern const QByteArray Cp932MsGothic;

} // namespace zorvane::testing
