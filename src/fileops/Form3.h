#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace zorvane {

class PathLabel;

// The copy-and-move dialog. The first row acts on a recent folder (Combo1, with "参照" for the
// directory picker), the second on a usual folder (Combo2). A missing folder is made first; a
// done operation from the first row puts its folder on top of RecentDirs.
class Form3 final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form3)
public:
    explicit Form3(QWidget* owner);

    QLabel* label1() const { return label1_; }
    PathLabel* label2() const { return label2_; }
    QLabel* label3() const { return label3_; }
    QPushButton* command3() const { return command3_; }
    QComboBox* combo1() const { return combo1_; }
    QLabel* label4() const { return label4_; }
    QPushButton* command1() const { return command1_; }
    QLabel* label5() const { return label5_; }
    QComboBox* combo2() const { return combo2_; }
    QLabel* label6() const { return label6_; }
    QPushButton* command2() const { return command2_; }
    QPushButton* command4() const { return command4_; }

    // The request's operation: FO_COPY (2) for FileOpCode 1, FO_MOVE (1) otherwise.
    qint32 opFunc() const { return opFunc_; }

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

private:
    void buildControls();
    void Form_Load();
    // Steps shared by both rows: check or make the folder named by `text`, send the request.
    // True when a request was sent.
    bool sendTo(const QString& text);

    qint32 opFunc_ = 0;

    QLabel* label1_ = nullptr;
    PathLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QPushButton* command3_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QLabel* label4_ = nullptr;
    QPushButton* command1_ = nullptr;
    QLabel* label5_ = nullptr;
    QComboBox* combo2_ = nullptr;
    QLabel* label6_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command4_ = nullptr;
};

} // namespace zorvane
