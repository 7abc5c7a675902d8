#include "filer/CaptionedListView.h"

#include "filer/CaptionedListAccessible.h"

namespace zorvane {

CaptionedListView::CaptionedListView(QWidget* parent) : QListView(parent) {
    installCaptionedListAccessibility();
    // Qt caches one interface per object and per class the object has when asked (as it does
    // for a widget asked about while it is being made), and keeps each until the object goes.
    // Asked now, while this object is only a CaptionedListView, Qt's factory makes its own list
    // interface (ours declines until the id is known); asked once the list is whole, ours
    // makes the interface screen readers get, answering through that one. Were Qt to cache
    // one interface per object alone, the list would keep Qt's plain interface.
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
