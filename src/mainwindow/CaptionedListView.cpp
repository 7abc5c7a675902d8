#include "mainwindow/CaptionedListView.h"

#include "mainwindow/CaptionedListAccessible.h"

namespace zorvane {

CaptionedListView::CaptionedListView(QWidget* parent) : QListView(parent) {
    installCaptionedListAccessibility();
    // Qt keeps an interface per object and class: one made now, while this object is still
    // only a CaptionedListView, is Qt's own list interface, and it lives as long as the list.
    // The interface asked for once the list is whole is then ours, made around this one
    // (until the id is known our factory declines, so Qt's factory answers here).
    if (QAccessibleInterface* own = QAccessible::queryAccessibleInterface(this))
        qtAccessibleId_ = QAccessible::uniqueId(own);
}

QAccessibleInterface* CaptionedListView::qtAccessible() const {
    if (!qtAccessibleId_)
        return nullptr;
    QAccessibleInterface* own = QAccessible::accessibleInterface(qtAccessibleId_);
    // An id is reused once its interface is gone: make sure it is still this list's.
    return own && own->object() == this ? own : nullptr;
}

} // namespace zorvane
