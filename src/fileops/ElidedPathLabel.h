#pragma once

#include <QLabel>

namespace zorvane {

// A label that holds a whole path as its text (what tests and screen readers read) but, when
// the path is wider than the label, draws it elided in the middle so that the file name stays
// visible. Its tool tip is the whole path.
class ElidedPathLabel final : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ElidedPathLabel)
public:
    explicit ElidedPathLabel(QWidget* parent = nullptr);

    void setPath(const QString& path);

    // The text as drawn at the label's present width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zorvane
