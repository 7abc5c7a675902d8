#pragma once

#include <QString>

namespace zorvane {

// The program's title, as the version box and the help show it.
QString programTitle();

// The version box's caption: the title followed directly by "のﾊﾞｰｼﾞｮﾝ情報".
QString versionBoxCaption(const QString& title);

// "ﾊﾞｰｼﾞｮﾝ " followed by major.minor.revision, each in plain decimal: "ﾊﾞｰｼﾞｮﾝ 1.0.3".
QString versionLine(int major, int minor, int revision);

// The version line of this build.
QString programVersionLine();

} // namespace zorvane
