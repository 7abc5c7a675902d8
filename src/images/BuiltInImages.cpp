#include "images/BuiltInImages.h"

// Each XPM file is C source: an array of the image's lines.
#include "icons/copy.xpm"
#include "icons/delete.xpm"
#include "icons/edit.xpm"
#include "icons/ex1.xpm"
#include "icons/ex2.xpm"
#include "icons/ex3.xpm"
#include "icons/folder-closed.xpm"
#include "icons/folder-open.xpm"
#include "icons/move.xpm"
#include "icons/quit.xpm"
#include "icons/rename.xpm"

#include <utility>

namespace zorvane {

QPixmap toolbarImage(const QString& key) {
    static const std::pair<const char16_t*, const char* const*> images[] = {
        {u"quit", xpm_quit}, {u"edit", xpm_edit},     {u"ex1", xpm_ex1},
        {u"ex2", xpm_ex2},   {u"ex3", xpm_ex3},       {u"copy", xpm_copy},
        {u"move", xpm_move}, {u"delete", xpm_delete}, {u"rename", xpm_rename},
    };
    for (const auto& [name, xpm] : images) {
        if (key == QStringView(name))
            return QPixmap(xpm);
    }
    return {};
}

QPixmap folderImage(bool open) {
    return QPixmap(open ? xpm_folder_open : xpm_folder_closed);
}

} // namespace zorvane
