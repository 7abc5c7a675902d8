#pragma once

#include "platform/DirectoryPicker.h"

namespace zorvane {

// The program's directory picker: runs FrmDirGet modally over `owner`, starting in `start`
// (kept in DirPickStart), and returns DirPickResult, empty when the user cancelled.
class FrmDirGetPicker final : public DirectoryPicker {
public:
    QString pickDirectory(QWidget* owner, const QString& start) override;
};

} // namespace zorvane
