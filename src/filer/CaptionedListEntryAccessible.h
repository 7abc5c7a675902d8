#pragma once

#include <QAbstractItemView>
#include <QAccessible>
#include <QPointer>

namespace zorvane {

// An entry of a captioned list as a screen reader sees it: Qt's own entry answers everything,
// except that the entry has the focus only while its list has it. Qt's entry reports the focus
// whenever it is its list's current entry: in both lists of a window at once, and in the main
// window while a dialog has the focus.
class CaptionedListEntryAccessible final : public QAccessibleInterface {
public:
    CaptionedListEntryAccessible(QAccessibleInterface* qtEntry, QAbstractItemView* view);

    // Qt's entry this one answers through, or nullptr once it is gone.
    QAccessibleInterface* qtEntry() const;

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match = QAccessible::AllRelations) const override;
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

private:
    QAccessible::Id qtEntryId_;
    const QAccessibleInterface* qtEntryAddress_; // told apart from a later entry of the same id
    QPointer<QAbstractItemView> view_;
};

} // namespace zorvane
