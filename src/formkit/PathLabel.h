#pragma once

#include <QLabel>

namespace zorvane {

// The label Label5: its text is the whole path of the current file (the main window's record
// of it, in the program's lossless path form). On screen it shows the path as the user reads
// it, elided in the middle where it is wider than the label, with the whole path as tool tip.
class PathLabel final : public QLabel {
    Q_OBJECT
public:
    explicit PathLabel(QWidget* parent = nullptr);

    void setPath(const QString& path);

    // The width the shown path takes without eliding.
    int naturalWidth() const;

    // What the label draws at its present width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zorvane
