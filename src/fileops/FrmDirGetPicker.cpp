#include "fileops/FrmDirGetPicker.h"

#include "app/ModPlok.h"
#include "fileops/FrmDirGet.h"

namespace zorvane {

QString FrmDirGetPicker::pickDirectory(QWidget* owner, const QString& start) {
    modPlok().DirPickStart = start;
    FrmDirGet dialog(owner);
    dialog.exec();
    return modPlok().DirPickResult;
}

} // namespace zorvane
