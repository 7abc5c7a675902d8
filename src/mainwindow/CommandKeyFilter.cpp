#include "mainwindow/CommandKeyFilter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <utility>

namespace zorvane {

namespace {

// A list (File1, Dir1, Drive1) takes a letter as a jump to the first entry starting with it; a
// command key must not also move it, or the next command acts on a file the user never picked.
// Text fields and the viewer still get the key after its command.
bool movesOnLetters(const QWidget* control) {
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return !combo->isEditable();
    return qobject_cast<const QAbstractItemView*>(control) != nullptr;
}

} // namespace

CommandKeyFilter::CommandKeyFilter(QWidget& window, RunCommand runCommand)
    : QObject(&window), window_(window), runCommand_(std::move(runCommand)) {
    qApp->installEventFilter(this);
}

CommandKeyFilter::~CommandKeyFilter() {
    qApp->removeEventFilter(this);
}

bool CommandKeyFilter::watchesKeyOf(QObject* watched) const {
    // Every key pressed in this window, once: when it reaches the control that has the focus
    // (Qt hands an ignored key on to the parents, which must not run the command again).
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (!widget || widget->window() != &window_)
        return false;
    if (QApplication::activeWindow() != &window_ || QApplication::activeModalWidget() ||
        QApplication::activePopupWidget())
        return false;
    const QWidget* receiver = QApplication::focusWidget();
    // While the menu bar is in keyboard mode (Alt+F, Esc) it has the focus and its keys.
    if (qobject_cast<const QMenuBar*>(receiver))
        return false;
    return widget == (receiver ? receiver : &window_);
}

bool CommandKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watchesKeyOf(watched)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const MainCommand command =
            commandForKey(key->key(), key->modifiers(), key->nativeScanCode());
        if (command == MainCommand::None)
            return false;
        const QPointer<QWidget> control = static_cast<QWidget*>(watched);
        if (!key->isAutoRepeat()) // a key held down runs its command once
            runCommand_(command);
        // A control that went with its command takes no key.
        return !control || movesOnLetters(control);
    }
    return false; // the key still reaches the control
}

} // namespace zorvane
