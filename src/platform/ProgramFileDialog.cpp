#include "platform/ProgramFileDialog.h"

#include "platform/DialogModality.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace zorvane {

namespace {

// The dialog shows only a filter's description: the first filter is named "プログラム" and
// the second "その他 (*)", each followed by the pattern the dialog reads.
const QString ProgramsFilter = QStringLiteral("プログラム (*)");
const QString EverythingFilter = QStringLiteral("その他 (*) (*)");

// Narrows the dialog's list to folders and executable files while the program filter is
// chosen; a name pattern cannot say "executable".
class ExecutableFilesOnly final : public QSortFilterProxyModel {
public:
    void setProgramsOnly(bool programsOnly) {
        if (programsOnly_ == programsOnly)
            return;
        programsOnly_ = programsOnly;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override {
        if (!programsOnly_)
            return true;
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files)
            return true;
        const QFileInfo info = files->fileInfo(files->index(sourceRow, 0, sourceParent));
        return info.isDir() || info.isExecutable();
    }

private:
    bool programsOnly_ = true;
};

} // namespace

std::optional<QString> QtProgramFileDialog::chooseProgram(QWidget* owner, const QString& fileName) {
    QFileDialog dialog(owner);
    setModalToOwner(dialog);
    dialog.setObjectName(QStringLiteral("ProgramFileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    auto* filter = new ExecutableFilesOnly;
    dialog.setProxyModel(filter); // the dialog owns it
    dialog.setNameFilters({ProgramsFilter, EverythingFilter});
    dialog.selectNameFilter(ProgramsFilter);
    // The signal gives the filter's description only; the dialog knows the whole filter.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [filter, &dialog] {
        filter->setProgramsOnly(dialog.selectedNameFilter() == ProgramsFilter);
    });
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.first();
}

} // namespace zorvane
