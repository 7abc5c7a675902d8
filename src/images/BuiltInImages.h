#pragma once

#include <QPixmap>
#include <QString>

namespace zorvane {

// The program's own pictures, compiled in from the XPM files of resources/icons.

// A toolbar image of 32 × 16: quit, edit, ex1, ex2, ex3, copy, move, delete or rename; a null
// pixmap for another key.
QPixmap toolbarImage(const QString& key);

// The directory list's folder, 16 × 16: open for the current folder and its parents.
QPixmap folderImage(bool open);

} // namespace zorvane
