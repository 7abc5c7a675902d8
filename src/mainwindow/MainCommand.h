#pragma once

#include <QList>
#include <QString>
#include <Qt>

namespace zorvane {

// The command procedures of the main window: the click procedures of its menu items.
enum class MainCommand {
    None,
    Open,   // miOpen
    Copy,   // miCopy
    Move,   // miMove
    Delete, // miDel
    Rename, // miRen
    Exit,   // miExit
    Tool1,  // miEx1
    Tool2,  // miEx2
    Tool3,  // miEx3
    Option, // miOption
    Help,   // miHelp
    Version // miVer
};

// An item of the main window's menus: its name, its caption (empty for a separator) and the
// command it runs.
struct MainMenuItem {
    QString name;
    QString caption;
    MainCommand command = MainCommand::None;
};

// A menu of the main window's menu bar, with its items in their order.
struct MainMenu {
    QString name;
    QString caption;
    QList<MainMenuItem> items;
};

// The menus of the main window's menu bar, in their order.
const QList<MainMenu>& mainMenus();

// The single-key table: Esc, 1 2 3 of the main keyboard, C D E M Q R. Shift does not matter;
// with Ctrl, Alt or the Super key held a key is another one (Ctrl+C copies the viewer's text,
// Alt+F opens a menu) and runs no command. Keys of the numeric keypad are not in the table.
// Shift turns a digit into a layout's symbol ("!" for 1 on many layouts): `nativeScanCode`, the
// X11/evdev key code of the physical key (10, 11, 12 for the main keyboard's 1, 2, 3; 0 when
// unknown), still finds it.
MainCommand commandForKey(int key, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode = 0);

// The toolbar dispatch: the button's key compared exactly (case-sensitive) with tbQ, tbX1,
// tbX2, tbX3, tbC, tbM, tbD, tbR. Any other key does nothing.
MainCommand commandForToolbarKey(const QString& buttonKey);

} // namespace zorvane
