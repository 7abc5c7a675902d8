#pragma once

#include "options/OptionValues.h"
#include "platform/MessageBoxService.h"

#include <QString>
#include <QStringList>

#include <array>

namespace zorvane {

// The longest title of the editor or a tool, in characters.
constexpr int TitleLength = 12;

// A title cut to its first 12 characters. A character outside the Basic Multilingual Plane (a
// surrogate pair) counts as one and is never split.
QString cutTitle(const QString& title);

// How a chosen program file is written into a program box: a plain path as it is; a path that
// splitting the program text (QProcess::splitCommand) would not give back whole, in double
// quotes with each quote inside tripled, so that splitting gives exactly the path again.
QString programTextForPath(const QString& path);

// The entries of the main window's pattern box: "*.TXT", "*.*", then every pattern that is not
// empty, in order.
QStringList patternBoxEntries(const std::array<QString, 5>& patterns);

// The name of a place of the options dialog, as a screen reader says it ("ex2 のプログラム").
QString optionBoxName(OptionBox box, int row);

// The message that refuses a value plok.ini could not give back whole, naming its place and the
// limit.
MessageRequest overlongValueMessage(const OverlongOption& overlong);

// The help topic of the options dialog's tab (0 外部, 1 ビュアー, 2 ファイラー, 3 ディレクトリ).
int helpContextForTab(int tabIndex);

} // namespace zorvane
