#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace zorvane {

// The file-open dialog that chooses a program: the filter "プログラム" lists executable files
// (folders stay visible to move through), "その他 (*)" lists every file. `fileName` fills the
// file-name box at the start. Returns the chosen file's full path, or nothing when the user
// cancelled.
class ProgramFileDialog {
public:
    virtual ~ProgramFileDialog() = default;
    virtual std::optional<QString> chooseProgram(QWidget* owner, const QString& fileName) = 0;
};

// Qt's own file dialog (the same on every desktop), modal over the owner.
class QtProgramFileDialog final : public ProgramFileDialog {
public:
    std::optional<QString> chooseProgram(QWidget* owner, const QString& fileName) override;
};

} // namespace zorvane
