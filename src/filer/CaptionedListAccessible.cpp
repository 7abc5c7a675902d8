#include "filer/CaptionedListAccessible.h"

#include "filer/CaptionedListEntryAccessible.h"
#include "filer/CaptionedListView.h"

#include <algorithm>

namespace zorvane {

namespace {

QAccessibleInterface* captionedListAccessible(const QString& className, QObject* object) {
    Q_UNUSED(className)
    auto* view = qobject_cast<CaptionedListView*>(object);
    // Without Qt's own interface to answer for the list (while the list is being made), Qt's
    // factory is asked instead.
    if (!view || !view->qtAccessible())
        return nullptr;
    return new CaptionedListAccessible(view);
}

} // namespace

void installCaptionedListAccessibility() {
    // Qt keeps a factory once however often it is installed, and forgets every factory when
    // its application object goes: installing it with each list covers a later application.
    QAccessible::installFactory(&captionedListAccessible);
}

CaptionedListAccessible::CaptionedListAccessible(CaptionedListView* view)
    : QAccessibleWidget(view, QAccessible::List) {}

CaptionedListAccessible::~CaptionedListAccessible() {
    for (const QAccessible::Id own : std::as_const(entries_))
        QAccessible::deleteAccessibleInterface(own);
}

QAccessibleInterface* CaptionedListAccessible::entry(QAccessibleInterface* qtEntry) const {
    if (!qtEntry)
        return nullptr;
    const QAccessible::Id qtId = QAccessible::uniqueId(qtEntry);
    if (const auto known = entries_.constFind(qtId); known != entries_.cend()) {
        auto* own = dynamic_cast<CaptionedListEntryAccessible*>(
            QAccessible::accessibleInterface(known.value()));
        if (own && own->qtEntry() == qtEntry)
            return own;
        QAccessible::deleteAccessibleInterface(known.value());
        entries_.erase(known);
    }
    // Qt drops its entries when the list is read again: ours for them go too, now and then.
    if (entries_.size() > 2 * childCount() + 64) {
        for (auto it = entries_.begin(); it != entries_.end();) {
            auto* own =
                dynamic_cast<CaptionedListEntryAccessible*>(QAccessible::accessibleInterface(*it));
            if (own && own->qtEntry()) {
                ++it;
                continue;
            }
            QAccessible::deleteAccessibleInterface(*it);
            it = entries_.erase(it);
        }
    }
    auto* own =
        new CaptionedListEntryAccessible(qtEntry, static_cast<CaptionedListView*>(object()));
    entries_.insert(qtId, QAccessible::registerAccessibleInterface(own));
    return own;
}

// Qt's interface is looked up at each call rather than kept: Qt owns it, and should it ever
// drop it before the list goes, the list still answers as a plain widget.
QAccessibleInterface* CaptionedListAccessible::qt() const {
    const auto* view = qobject_cast<const CaptionedListView*>(object());
    return view ? view->qtAccessible() : nullptr;
}

bool CaptionedListAccessible::isValid() const {
    const QAccessibleInterface* own = qt();
    return own ? own->isValid() : QAccessibleWidget::isValid();
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
CaptionedListAccessible::relations(QAccessible::Relation match) const {
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> related;
    if (QAccessibleInterface* own = qt())
        related = own->relations(match);
    // The labels whose buddy this list is (found by QAccessibleWidget among its siblings),
    // each once even should Qt's list one day report them itself.
    for (const auto& relation : QAccessibleWidget::relations(match)) {
        const bool known = std::any_of(related.cbegin(), related.cend(), [&](const auto& had) {
            return had.second == relation.second && had.first->object() == relation.first->object();
        });
        if (!known)
            related.append(relation);
    }
    return related;
}

QAccessibleInterface* CaptionedListAccessible::focusChild() const {
    QAccessibleInterface* own = qt();
    return own ? entry(own->focusChild()) : QAccessibleWidget::focusChild();
}

QAccessibleInterface* CaptionedListAccessible::childAt(int x, int y) const {
    QAccessibleInterface* own = qt();
    return own ? entry(own->childAt(x, y)) : QAccessibleWidget::childAt(x, y);
}

QAccessibleInterface* CaptionedListAccessible::parent() const {
    QAccessibleInterface* own = qt();
    return own ? own->parent() : QAccessibleWidget::parent();
}

QAccessibleInterface* CaptionedListAccessible::child(int index) const {
    QAccessibleInterface* own = qt();
    return own ? entry(own->child(index)) : QAccessibleWidget::child(index);
}

int CaptionedListAccessible::childCount() const {
    QAccessibleInterface* own = qt();
    return own ? own->childCount() : QAccessibleWidget::childCount();
}

int CaptionedListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    QAccessibleInterface* own = qt();
    if (!own)
        return QAccessibleWidget::indexOfChild(child);
    // Qt's list takes any entry for one of its own: it is given its own.
    if (const auto* ours = dynamic_cast<const CaptionedListEntryAccessible*>(child)) {
        const QAccessibleInterface* qtEntry = ours->qtEntry();
        return qtEntry ? own->indexOfChild(qtEntry) : -1;
    }
    return own->indexOfChild(child);
}

QString CaptionedListAccessible::text(QAccessible::Text kind) const {
    QAccessibleInterface* own = qt();
    return own ? own->text(kind) : QAccessibleWidget::text(kind);
}

void CaptionedListAccessible::setText(QAccessible::Text kind, const QString& text) {
    if (QAccessibleInterface* own = qt())
        own->setText(kind, text);
    else
        QAccessibleWidget::setText(kind, text);
}

QRect CaptionedListAccessible::rect() const {
    QAccessibleInterface* own = qt();
    return own ? own->rect() : QAccessibleWidget::rect();
}

QAccessible::Role CaptionedListAccessible::role() const {
    QAccessibleInterface* own = qt();
    return own ? own->role() : QAccessibleWidget::role();
}

QAccessible::State CaptionedListAccessible::state() const {
    QAccessibleInterface* own = qt();
    return own ? own->state() : QAccessibleWidget::state();
}

QColor CaptionedListAccessible::foregroundColor() const {
    QAccessibleInterface* own = qt();
    return own ? own->foregroundColor() : QAccessibleWidget::foregroundColor();
}

QColor CaptionedListAccessible::backgroundColor() const {
    QAccessibleInterface* own = qt();
    return own ? own->backgroundColor() : QAccessibleWidget::backgroundColor();
}

// The table, table-cell, action or other interfaces are Qt's list's own.
void* CaptionedListAccessible::interface_cast(QAccessible::InterfaceType type) {
    QAccessibleInterface* own = qt();
    return own ? own->interface_cast(type) : QAccessibleWidget::interface_cast(type);
}

void CaptionedListAccessible::virtual_hook(int id, void* data) {
    if (QAccessibleInterface* own = qt())
        own->virtual_hook(id, data);
    else
        QAccessibleWidget::virtual_hook(id, data);
}

} // namespace zorvane
