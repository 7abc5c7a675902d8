#pragma once

#include "app/FixedText.h"
#include "app/OneBasedArray.h"

#include <QString>
#include <QtGlobal>

namespace zorvane {

// The raw text of every key of the sections Font, Form, Option and Extention of plok.ini.
struct SettingsRecordFields {
    FixedText<50> Name;
    FixedText<10> Size;
    FixedText<10> Uline;
    FixedText<10> Strike;
    FixedText<10> Italic;
    FixedText<10> Bold;
    FixedText<50> Color;
    FixedText<50> BColor;
    FixedText<10> Top;
    FixedText<10> Left;
    FixedText<10> Height;
    FixedText<10> Width;
    FixedText<10> Fselect;
    FixedText<50> Ext1;
    FixedText<50> Ext2;
    FixedText<50> Ext3;
    FixedText<50> Ext4;
    FixedText<50> Ext5;
};

using Boolean16 = qint16; // -1 true, 0 false
constexpr Boolean16 True16 = -1;
constexpr Boolean16 False16 = 0;

// The program-wide state shared by every window. Dialogs take their inputs from it and leave
// their outputs in it. Created zeroed: empty texts, zero numbers, false booleans, NUL-filled
// fixed texts.
struct ModPlok {
    QString ProgramFolder; // ends with "/"
    QString SettingsPath;  // SettingsFolder + "plok.ini"
    // Where plok.ini and plok.his live, ending with "/": the program folder where the user may
    // write it, a folder of the user's own where not. Empty means the program folder.
    QString SettingsFolder;
    FixedText<50> NameBuffer;
    FixedText<250> ProgramBuffer;
    SettingsRecordFields SettingsRecord;
    QString EditorName;
    QString EditorPath;
    OneBasedArray<QString, 3> ToolName;
    OneBasedArray<QString, 3> ToolPath;
    Boolean16 ShowFiler = False16;
    OneBasedArray<QString, 5> ExtPattern;
    QString TargetPath;
    QString DestPath;
    QString DirPickStart;
    QString DirPickResult;
    OneBasedArray<QString, 20> RecentDirs;
    OneBasedArray<QString, 20> UsualDirs;
    qint16 FileOpCode = 0;
    qint16 HisFileNo = 0;
    qint16 OptBrowseIndex = 0;
};

// The one block of the running program.
ModPlok& modPlok();

// Puts the block back into its zeroed start state (tests).
void resetModPlok();

} // namespace zorvane
