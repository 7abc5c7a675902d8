#include "filer/CaptionedListEntryAccessible.h"

namespace zorvane {

CaptionedListEntryAccessible::CaptionedListEntryAccessible(QAccessibleInterface* qtEntry,
                                                           QAbstractItemView* view)
    : qtEntryId_(QAccessible::uniqueId(qtEntry)), qtEntryAddress_(qtEntry), view_(view) {}

QAccessibleInterface* CaptionedListEntryAccessible::qtEntry() const {
    QAccessibleInterface* entry = QAccessible::accessibleInterface(qtEntryId_);
    return entry == qtEntryAddress_ ? entry : nullptr;
}

bool CaptionedListEntryAccessible::isValid() const {
    const QAccessibleInterface* entry = qtEntry();
    return view_ && entry && entry->isValid();
}

QWindow* CaptionedListEntryAccessible::window() const {
    QAccessibleInterface* entry = qtEntry();
    return entry ? entry->window() : nullptr;
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
CaptionedListEntryAccessible::relations(QAccessible::Relation match) const {
    QAccessibleInterface* entry = qtEntry();
    return entry ? entry->relations(match)
                 : QList<QPair<QAccessibleInterface*, QAccessible::Relation>>();
}

QAccessibleInterface* CaptionedListEntryAccessible::parent() const {
    return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
}

QString CaptionedListEntryAccessible::text(QAccessible::Text kind) const {
    QAccessibleInterface* entry = qtEntry();
    return entry ? entry->text(kind) : QString();
}

void CaptionedListEntryAccessible::setText(QAccessible::Text kind, const QString& text) {
    if (QAccessibleInterface* entry = qtEntry())
        entry->setText(kind, text);
}

QRect CaptionedListEntryAccessible::rect() const {
    QAccessibleInterface* entry = qtEntry();
    return entry ? entry->rect() : QRect();
}

QAccessible::Role CaptionedListEntryAccessible::role() const {
    QAccessibleInterface* entry = qtEntry();
    return entry ? entry->role() : QAccessible::ListItem;
}

QAccessible::State CaptionedListEntryAccessible::state() const {
    QAccessibleInterface* entry = qtEntry();
    if (!entry)
        return {};
    QAccessible::State state = entry->state();
    // The focus is the list's, and the list's window's: one focused object in the program.
    if (!view_ || !view_->hasFocus())
        state.focused = false;
    return state;
}

// The cell and action interfaces are Qt's entry's own.
void* CaptionedListEntryAccessible::interface_cast(QAccessible::InterfaceType type) {
    QAccessibleInterface* entry = qtEntry();
    return entry ? entry->interface_cast(type) : nullptr;
}

} // namespace zorvane
