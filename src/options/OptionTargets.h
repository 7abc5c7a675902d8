#pragma once

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace zorvane {

class FileListView;

// What the options dialog reads and applies its settings to in the running program: the editor
// button (the editor's title), the viewer (its font and colours), the pattern box (the extra
// patterns) and the file list (the pattern in force), and the window the dialog is modal over.
// The program hands over its main window, which names these controls command1(), text1(),
// combo1() and file1(); this folder never sees the main window's class.
struct OptionTargets {
    template <typename MainWindow>
    OptionTargets(MainWindow& window) // a main window stands for its controls
        : owner(&window), editorButton(window.command1()), viewer(window.text1()),
          patternBox(window.combo1()), fileList(window.file1()) {}

    QWidget* owner;
    QPushButton* editorButton;
    QPlainTextEdit* viewer;
    QComboBox* patternBox;
    const FileListView* fileList;
};

} // namespace zorvane
