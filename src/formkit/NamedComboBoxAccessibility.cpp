#include "formkit/NamedComboBoxAccessibility.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace zorvane {

namespace {

// A screen reader reads a list box's value as text: a combo box that cannot be typed into
// offers its current text read-only (one that can be has its line edit for that).
class NamedComboBoxAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit NamedComboBoxAccessible(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface && !box()->isEditable())
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
        case QAccessible::Name:
            return box()->accessibleName();
        case QAccessible::Value:
            return value();
        default:
            return QAccessibleWidget::text(kind);
        }
    }

    // The read-only text: the current entry.
    QString text(int startOffset, int endOffset) const override {
        return value().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(value().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    const QComboBox* box() const { return static_cast<const QComboBox*>(widget()); }
    QString value() const {
        return box()->isEditable() && box()->lineEdit() ? box()->lineEdit()->text()
                                                        : box()->currentText();
    }
};

} // namespace

QAccessibleInterface* namedComboBoxAccessible(const QString& className, QObject* object) {
    Q_UNUSED(className)
    auto* box = qobject_cast<QComboBox*>(object);
    if (!box || box->accessibleName().isEmpty())
        return nullptr;
    return new NamedComboBoxAccessible(box);
}

void installNamedComboBoxAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&namedComboBoxAccessible);
        return true;
    }();
    Q_UNUSED(installed)
}

} // namespace zorvane
