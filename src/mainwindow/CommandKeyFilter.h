#pragma once

#include "mainwindow/MainCommand.h"

#include <QObject>
#include <functional>

class QWidget;

namespace zorvane {

// The single keys of a window (see commandForKey), watched for the whole application: each key
// pressed in the window runs its command once, where it reaches the control that has the focus,
// and only while the window is active with no modal dialog, popup or keyboard-driven menu bar
// taking the keys. A key held down runs its command once. A list that would take the key as a
// jump to an entry (File1, Dir1, Drive1) does not get it; text fields and the viewer do.
class CommandKeyFilter final : public QObject {
public:
    using RunCommand = std::function<void(MainCommand)>;

    // Watches the keys of `window`, its child, from now until it goes.
    CommandKeyFilter(QWidget& window, RunCommand runCommand);
    ~CommandKeyFilter() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool watchesKeyOf(QObject* watched) const;

    QWidget& window_;
    RunCommand runCommand_;
};

} // namespace zorvane
