#include "help/VersionBoxText.h"

#include "help/ProgramVersion.h"

namespace zorvane {

QString programTitle() {
    return QStringLiteral("Zorvane");
}

QString versionBoxCaption(const QString& title) {
    return title + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報");
}

QString versionLine(int major, int minor, int revision) {
    return QStringLiteral("ﾊﾞｰｼﾞｮﾝ ") + QString::number(major) + QChar(u'.') +
           QString::number(minor) + QChar(u'.') + QString::number(revision);
}

QString programVersionLine() {
    return versionLine(ProgramVersionMajor, ProgramVersionMinor, ProgramVersionRevision);
}

} // namespace zorvane
