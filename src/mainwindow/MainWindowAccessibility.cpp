#include "mainwindow/MainWindowAccessibility.h"

#include "mainwindow/DirectoryListView.h"
#include "mainwindow/DriveListBox.h"
#include "mainwindow/FileListView.h"
#include "mainwindow/Form1.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace zorvane {

namespace {

class NamedComboBoxAccessible final : public QAccessibleWidget {
public:
    explicit NamedComboBoxAccessible(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        const auto* box = static_cast<const QComboBox*>(widget());
        switch (kind) {
        case QAccessible::Name:
            return box->accessibleName();
        case QAccessible::Value:
            return box->isEditable() && box->lineEdit() ? box->lineEdit()->text()
                                                        : box->currentText();
        default:
            return QAccessibleWidget::text(kind);
        }
    }
};

} // namespace

QAccessibleInterface* namedComboBoxAccessible(const QString& className, QObject* object) {
    Q_UNUSED(className)
    auto* box = qobject_cast<QComboBox*>(object);
    if (!box || box->accessibleName().isEmpty())
        return nullptr;
    return new NamedComboBoxAccessible(box);
}

void installNamedComboBoxAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&namedComboBoxAccessible);
        return true;
    }();
    Q_UNUSED(installed)
}

void nameForScreenReaders(Form1& form) {
    const auto nameByCaption = [](QWidget* control, const QLabel* caption) {
        control->setAccessibleName(caption->text());
    };
    nameByCaption(form.dir1(), form.label2());
    nameByCaption(form.file1(), form.label3());
    form.text1()->setAccessibleName(QStringLiteral("ビュアー"));
}

} // namespace zorvane
