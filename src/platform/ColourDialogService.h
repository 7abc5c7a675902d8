#pragma once

#include <QColor>
#include <optional>

class QWidget;

namespace zorvane {

// The colour dialog, starting on `start`. Returns the chosen colour, or nothing when the user
// cancelled.
class ColourDialogService {
public:
    virtual ~ColourDialogService() = default;
    virtual std::optional<QColor> chooseColour(QWidget* owner, const QColor& start) = 0;
};

// Qt's own colour dialog, modal over the owner.
class QtColourDialogService final : public ColourDialogService {
public:
    std::optional<QColor> chooseColour(QWidget* owner, const QColor& start) override;
};

} // namespace zorvane
