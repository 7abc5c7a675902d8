#pragma once

#include <QString>

class QWidget;

namespace zorvane {

// The directory picker, run modally over `owner` and starting in `start` (empty: the current
// folder). Returns the chosen folder, or an empty text when the user cancelled.
class DirectoryPicker {
public:
    virtual ~DirectoryPicker() = default;
    virtual QString pickDirectory(QWidget* owner, const QString& start) = 0;
};

} // namespace zorvane
