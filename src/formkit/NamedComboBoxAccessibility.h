#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace zorvane {

// Qt names a combo box on Linux by its current text and leaves the caption to the label
// relation; a screen reader then reads the value twice. A combo box given an accessible name
// reports that name as its name and its text as its value. Install it before the combo box is
// made and name the box at once: Qt keeps the first interface it made for an object.
void installNamedComboBoxAccessibility();

// The accessible interface of such a combo box, or nullptr for any other object.
QAccessibleInterface* namedComboBoxAccessible(const QString& className, QObject* object);

} // namespace zorvane
