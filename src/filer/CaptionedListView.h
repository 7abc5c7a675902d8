#pragma once

#include <QAccessible>
#include <QListView>

namespace zorvane {

// A list a caption label names (the label's buddy). Qt's own accessible interface of a list
// reports no relations, so a screen reader learns the caption only from the label's side; a
// list of this kind also reports that it is labelled by its caption, and otherwise answers
// exactly as Qt's list does.
class CaptionedListView : public QListView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CaptionedListView)
public:
    // Qt's own interface for this list (the one the caption relation is added to), or nullptr
    // if it no longer exists.
    QAccessibleInterface* qtAccessible() const;

protected:
    explicit CaptionedListView(QWidget* parent = nullptr);

private:
    QAccessible::Id qtAccessibleId_ = 0;
};

} // namespace zorvane
