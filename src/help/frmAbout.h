#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace zorvane {

class SeparatorLine;

// The version box: the program's icon, title, version and a credit line. It is modeless and
// has no owner, so the main window stays usable; there is at most one, and it goes when it is
// closed (OK, Enter, Esc or the close box) or when the program ends.
class frmAbout final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmAbout)
public:
    // The version command: shows the box, or brings the open one to the front.
    static frmAbout* showModeless();
    // The open box, or nullptr.
    static frmAbout* openBox();

    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* picIcon() const { return picIcon_; }
    QLabel* lblTitle() const { return lblTitle_; }
    QLabel* lblVersion() const { return lblVersion_; }
    QLabel* label1() const { return label1_; }
    SeparatorLine* line1(int index) const { return index == 0 ? line1_0_ : line1_1_; }
    QPushButton* cmdOK() const { return cmdOK_; }

public slots:
    void Form_Load();
    void cmdOK_Click();

private:
    void buildControls();

    QLabel* picIcon_ = nullptr;
    QLabel* lblTitle_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QLabel* label1_ = nullptr;
    SeparatorLine* line1_0_ = nullptr;
    SeparatorLine* line1_1_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

} // namespace zorvane
