#include "mainwindow/MainWindowAccessibility.h"

#include "filer/DirectoryListView.h"
#include "filer/FileListView.h"
#include "mainwindow/Form1.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace zorvane {

void nameForScreenReaders(Form1& form) {
    const auto nameByCaption = [](QWidget* control, const QLabel* caption) {
        control->setAccessibleName(caption->text());
    };
    nameByCaption(form.dir1(), form.label2());
    nameByCaption(form.file1(), form.label3());
    form.text1()->setAccessibleName(QStringLiteral("ビュアー"));
}

} // namespace zorvane
