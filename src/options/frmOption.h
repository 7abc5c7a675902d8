#pragma once

#include "options/OptionTargets.h"
#include "options/OptionValues.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace zorvane {

// The options dialog: the editor and three tools, the viewer's font and colours, the filer
// choice with five extra patterns, and ten usual folders, on four tabs. Built afresh for each
// opening, it starts from the program-wide state and the viewer (Form_Load); OK applies
// everything to the running program (`targets`) and saves plok.ini; Cancel and the close box change
// nothing. Enter and Esc do neither. OK refuses, naming it, a value that plok.ini could not give
// back whole at the next start, and the dialog stays open.
class frmOption final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmOption)
public:
    explicit frmOption(const OptionTargets& targets);

    const OptionFontMembers& fontMembers() const { return font_; }
    Boolean16 optShowFiler() const { return optShowFiler_; }

public slots:
    void Form_Load();
    void Check2_Click();
    void Command1_Click();
    void Command2_Click(int index);
    void Command3_Click();
    void Command4_Click();
    void Command5_Click(int index);
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    QWidget* buildExternalTab();
    QWidget* buildViewerTab();
    QWidget* buildFilerTab();
    QWidget* buildDirectoryTab();
    QWidget* newTab(const QString& caption, const char16_t* labelName, const QString& guidance,
                    int guidanceWidth);
    QGroupBox* newFrame(QWidget* tab, const char16_t* name, const QString& caption, int left,
                        int top, int width, int height);
    OptionDialogValues currentValues() const;
    void refillPatternBox();
    QWidget* placeOf(const OverlongOption& overlong) const;
    void refuseOverlongValue(const OverlongOption& overlong);
    std::optional<QString> browseProgram();

    OptionTargets targets_;
    OptionFontMembers font_;
    Boolean16 optShowFiler_ = False16;
    QString lastProgramChosen_; // the file-name box of the next program browse starts with it

    QTabWidget* sstab1_ = nullptr;
    QLabel* label3_1_ = nullptr;
    std::array<QLabel*, 2> label3_2_{};
    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    std::array<QLineEdit*, 3> text3_{};
    std::array<QLineEdit*, 3> text4_{};
    std::array<QLineEdit*, 5> text5_{};
    std::array<QLineEdit*, 2> text5_1_{};
    std::array<QLineEdit*, 10> text6_{};
    QPushButton* command3_ = nullptr;
    QCheckBox* check2_ = nullptr;
    QPushButton* command6_ = nullptr;
    QPushButton* command7_ = nullptr;
    QPushButton* command8_ = nullptr;
};

} // namespace zorvane
