#pragma once

#include <QDialog>
#include <QHash>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvane {

class DirectoryListView;
class DriveListBox;
class FileListView;

// The directory picker: drive, folder and (for reference) file lists of the main window. It
// starts in DirPickStart and leaves the chosen folder in DirPickResult, empty when cancelled
// (by its button or by the window frame).
class FrmDirGet final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FrmDirGet)
public:
    explicit FrmDirGet(QWidget* owner);

    QLabel* label1() const { return label1_; }
    DirectoryListView* dir1() const { return dir1_; }
    QLabel* label3() const { return label3_; }
    DriveListBox* drive1() const { return drive1_; }
    QLabel* label2() const { return label2_; }
    FileListView* file1() const { return file1_; }
    QLineEdit* text1() const { return text1_; }
    QPushButton* command1() const { return command1_; }
    QPushButton* command2() const { return command2_; }

public slots:
    void Drive1_Change();
    void Dir1_Change();
    void Dir1_Click();
    void Text1_Click();
    void Command1_Click();
    void Command2_Click();
    // Cancel: Command2 and the window frame.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    // The lists read their folder once the dialog has been drawn: a folder of many files never
    // holds the dialog's first appearance.
    void readFolderLists();
    // Opens `folder` in Dir1 from code; 0 or the error number.
    int setFolder(const QString& folder);

    QLabel* label1_ = nullptr;
    DirectoryListView* dir1_ = nullptr;
    QLabel* label3_ = nullptr;
    DriveListBox* drive1_ = nullptr;
    QLabel* label2_ = nullptr;
    FileListView* file1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;

    QHash<QString, QString> lastFolderOnDrive_;
    int driveChangeDepth_ = 0;
    bool openingFromCode_ = false;
    bool drawn_ = false;
};

} // namespace zorvane
