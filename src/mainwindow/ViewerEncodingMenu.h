#pragma once

#include "preview/PreviewEncoding.h"

#include <QObject>

class QActionGroup;
class QMenu;
class QPlainTextEdit;

namespace zorvane {

// The viewer's context menu: the text box's own commands, then how the viewer reads the file it
// shows: 自動, one of the encodings, or the hex view, the choice in force checked. A choice holds
// for every later file until another is made or the program ends; it is not saved. The viewer's
// accessible description says how the text shown was read.
class ViewerEncodingMenu final : public QObject {
    Q_OBJECT
public:
    // Serves the context menu of `viewer`, of which it becomes a child.
    explicit ViewerEncodingMenu(QPlainTextEdit& viewer);

    PreviewEncoding choice() const { return choice_; }

    // The menu the viewer shows; the caller owns it (the choices stay this object's).
    QMenu* createMenu();

    // Puts how the text shown was read (PreviewResult::description) where it can be read
    // without the menu.
    void showDescription(const QString& description);

signals:
    // Another choice was made: the file shown is to be read again.
    void choiceChanged(PreviewEncoding choice);

private:
    QPlainTextEdit& viewer_;
    QActionGroup* choices_ = nullptr;
    PreviewEncoding choice_ = PreviewEncoding::Automatic;
};

} // namespace zorvane
