#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace zorvane {

class PathLabel;

// The delete dialog: asks to confirm the deletion of TargetPath and on OK sends the delete
// request (to the trash). FileOpCode keeps 3 unless a request was sent.
class Form5 final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form5)
public:
    explicit Form5(QWidget* owner);

    QLabel* label1() const { return label1_; }
    PathLabel* label2() const { return label2_; }
    QPushButton* command1() const { return command1_; }
    QPushButton* command2() const { return command2_; }

public slots:
    void Command1_Click();
    void Command2_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void Form_Load();

    QLabel* label1_ = nullptr;
    PathLabel* label2_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
};

} // namespace zorvane
