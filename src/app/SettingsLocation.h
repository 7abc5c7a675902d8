#pragma once

#include <QByteArray>
#include <QString>

namespace zorvane {

// Where plok.ini and plok.his live, ending in "/". A program folder the user may write (a
// per-user install, a build folder) keeps them beside the program; an installed one owned by
// root gives every user a folder of their own: $XDG_CONFIG_HOME/zorvane/, or
// ~/.config/zorvane/ where XDG_CONFIG_HOME is unset or not an absolute path.
QString settingsFolderFor(bool programFolderWritable, const QString& programFolder,
                          const QByteArray& xdgConfigHome, const QString& home);

// Decides the folder for `programFolder` (ending in "/") from the file system and the
// environment, and readies a per-user folder: made where missing, and plok.ini and plok.his
// copied from the program folder where the user has none yet (an installation's copies are
// the starting point, once). Where the program folder has no plok.his either, the user's
// starts empty, so a read-only install never greets with a missing-file message.
QString prepareSettingsFolder(const QString& programFolder);

// The folder as the program keeps folders: ending with "/".
QString withTrailingSeparator(QString folder);

} // namespace zorvane
