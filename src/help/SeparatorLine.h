#pragma once

#include <QColor>
#include <QWidget>

namespace zorvane {

// A straight horizontal line of one colour: the halves of an etched separator. Its geometry is
// the line itself (its height is the line's width).
class SeparatorLine final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SeparatorLine)
public:
    SeparatorLine(const QColor& colour, QWidget* parent);

    QColor colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

} // namespace zorvane
