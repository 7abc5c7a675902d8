#pragma once

#include <QAccessibleWidget>
#include <QHash>

namespace zorvane {

class CaptionedListView;

// The accessible interface of a CaptionedListView: Qt's own list interface for the same list
// answers everything (role, entries, states, the table of entries, focus), and the labels
// whose buddy the list is are added to its relations as its captions. Its entries are Qt's,
// seen through a CaptionedListEntryAccessible each, focused only while the list has the focus.
class CaptionedListAccessible final : public QAccessibleWidget {
public:
    explicit CaptionedListAccessible(CaptionedListView* view);
    ~CaptionedListAccessible() override;
    CaptionedListAccessible(const CaptionedListAccessible&) = delete;
    CaptionedListAccessible& operator=(const CaptionedListAccessible&) = delete;

    bool isValid() const override;
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match = QAccessible::AllRelations) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QColor foregroundColor() const override;
    QColor backgroundColor() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;
    void virtual_hook(int id, void* data) override;

private:
    QAccessibleInterface* qt() const;
    // The entry a screen reader is given for Qt's entry `qtEntry` (made once for each).
    QAccessibleInterface* entry(QAccessibleInterface* qtEntry) const;

    mutable QHash<QAccessible::Id, QAccessible::Id> entries_; // Qt's entry -> ours
};

// Installs the factory that gives every CaptionedListView a CaptionedListAccessible.
void installCaptionedListAccessibility();

} // namespace zorvane
