#pragma once

#include "mainwindow/ImageList.h"
#include "mainwindow/MainCommand.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/PendingPreview.h"
#include "mainwindow/WindowOuterFrame.h"
#include "preview/FilePreview.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolBar;

namespace zorvane {

class DirectoryListView;
class DriveListBox;
class FileListView;
class FolderFollower;
struct CommandLineTarget;
class PathLabel;
class ViewerEncodingMenu;
struct StartupSettings;

// The main window: the filer on the left (Drive1, Dir1, File1, Combo1), the viewer Text1 on
// the right, the current file in Label5. Creating it reads plok.ini and plok.his and applies
// them (Form_Initialize); closing it saves the window's place and the history and ends the
// program (Form_Unload).
class Form1 final : public QMainWindow {
    Q_OBJECT
public:
    // `programFolder` is where plok.ini and plok.his live; empty means the folder of the
    // running program.
    explicit Form1(const QString& programFolder = QString(), QWidget* parent = nullptr);

    // The controls, by their names.
    QToolBar* toolbar1() const { return toolbar1_; }
    QLabel* label1() const { return label1_; }
    DriveListBox* drive1() const { return drive1_; }
    QLabel* label2() const { return label2_; }
    DirectoryListView* dir1() const { return dir1_; }
    QLabel* label3() const { return label3_; }
    FileListView* file1() const { return file1_; }
    QLabel* label4() const { return label4_; }
    QComboBox* combo1() const { return combo1_; }
    QPlainTextEdit* text1() const { return text1_; }
    QPushButton* command1() const { return command1_; }
    QLabel* label5() const;
    const ImageList& imageList1() const { return imageList1_; }

    // Launched: 1 after a program was started on the current file (the viewer is greyed).
    qint16& launched() { return preview_->launched(); }
    qint16 launched() const { return preview_->launched(); }

    int viewerLeft() const { return viewerLeft_; }
    int viewerMinWidth() const { return viewerMinWidth_; }

    // The text of the last successful preview, with its CR LF pairs.
    const QString& previewText() const { return preview_->previewText(); }

    // The head of the picked file is still being read in the background.
    bool previewPending() const { return preview_->pending(); }

    // The current file: Label5's caption, empty without one.
    QString currentFile() const;
    // Sets Label5's caption; the label takes the width of its caption.
    void setCurrentFile(const QString& path);
    // After the current file was moved away: no current file and an empty viewer.
    void clearCurrentFile();

    // Reads the folders and the files again (after a command changed them).
    void refreshDirectoryList();
    void refreshFileList();

    // Shows what was dropped on the window: a file as if it had been named on the command line,
    // a folder opened in Dir1.
    void showDroppedPath(const QString& path);

    // The window's outer rectangle in twips (frame included, where the platform has one).
    QRect outerGeometryTwips() const;

    // Lets the program attach what a command does beyond what this window does itself: the
    // editor and the tools, the file dialogs, options, help and version. A file command's
    // handler runs after the current file was checked and TargetPath and FileOpCode were set.
    void setCommandHandler(MainCommand command, std::function<void()> handler);

public slots:
    void Form_Initialize();
    void Form_Load(const QString& commandLineText);
    void Form_Activate();
    void Form_Unload();
    // What Form_Unload saves, when the window system has gone and the process is ending
    // without the event loop: nothing is shown, nothing asked of the display.
    void saveAfterDisplayLoss();
    void Form_Resize();
    void ApplyFilerVisibility();

    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Combo1_Click(int index);
    void Command1_Click();
    void Toolbar1_ButtonClick(QAction* button);

    void miOpen_Click();
    void miCopy_Click();
    void miMove_Click();
    void miDel_Click();
    void miRen_Click();
    void miExit_Click();
    void miEx1_Click();
    void miEx2_Click();
    void miEx3_Click();
    void miOption_Click();
    void miHelp_Click();
    void miVer_Click();

    // Runs the command procedure of `command`, as its menu item does.
    void runCommand(MainCommand command);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void buildToolbar();
    // Whether everything was saved.
    bool storeWindowAndHistory(bool displayPresent);
    void applyStoredSettings(const StartupSettings& settings);
    void applyViewerColours(const StartupSettings& settings);
    void updateMinimumSize();
    void applyPendingOuterSize();
    void fitIntoScreen();
    OuterMinimum minimumOuterSize() const;
    QMargins frameMargins() const;
    void applyLayout(const MainWindowLayout& layout);
    void sizeLabel5ToCaption();
    void showCommandLineTarget(const CommandLineTarget& target);
    void pickNamedFile(const CommandLineTarget& target);
    // Reads the head of `fullPath` for the viewer: picked in File1 (a failure leaves the file
    // shown before, and is reported), or `named` on the command line or by a drop.
    void previewFile(const QString& fullPath, bool named);
    void showPreview(const QString& fullPath, const PreviewResult& preview);
    void fileCommand(qint16 fileOpCode, MainCommand command);
    void runHandler(MainCommand command);
    void runModalHandler(MainCommand command); // a handler that opens a modal dialog

    QString programFolder_;
    ImageList imageList1_;

    QWidget* client_ = nullptr;
    QToolBar* toolbar1_ = nullptr;
    QLabel* label1_ = nullptr;
    DriveListBox* drive1_ = nullptr;
    QLabel* label2_ = nullptr;
    DirectoryListView* dir1_ = nullptr;
    QLabel* label3_ = nullptr;
    FileListView* file1_ = nullptr;
    QLabel* label4_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QPlainTextEdit* text1_ = nullptr;
    QPushButton* command1_ = nullptr;
    PathLabel* label5_ = nullptr;
    // Text1's context menu: how the viewer reads the files it shows.
    ViewerEncodingMenu* viewerEncoding_ = nullptr;
    FolderFollower* folderFollower_ = nullptr; // keeps Dir1 and File1 current
    PendingPreview* preview_ = nullptr;        // the viewer and Label5 while a head is read

    int viewerLeft_ = 3180;
    int viewerMinWidth_ = 9000;
    int minimumOuterHeight_ = MainWindowMinHeight; // grows with a tall title and menu bar
    QHash<QString, QString> lastFolderOnDrive_;
    QHash<int, std::function<void()>> commandHandlers_;
    WindowOuterFrame outerFrame_{*this};
    int driveChangeDepth_ = 0;
    int startupError_ = 0; // a start-up failure waiting to be reported over the shown window
    bool unloaded_ = false;
};

} // namespace zorvane
