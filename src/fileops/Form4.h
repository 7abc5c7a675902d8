#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvane {

class PathLabel;

// The rename dialog: offers the current file's name for editing and on OK sends a rename to
// the new name in the same folder. An unchanged name beeps and keeps the dialog open.
class Form4 final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form4)
public:
    explicit Form4(QWidget* owner);

    QLabel* label1() const { return label1_; }
    PathLabel* label2() const { return label2_; }
    QLabel* label3() const { return label3_; }
    QLineEdit* text1() const { return text1_; }
    QPushButton* command1() const { return command1_; }
    QPushButton* command2() const { return command2_; }

    const QString& oldDir() const { return oldDir_; }
    const QString& oldName() const { return oldName_; }

public slots:
    void Command1_Click();
    void Command2_Click();

private:
    void buildControls();
    void Form_Load();

    QString oldDir_;
    QString oldName_;

    QLabel* label1_ = nullptr;
    PathLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
};

} // namespace zorvane
