#include "help/SeparatorLine.h"

#include <QPainter>

namespace zorvane {

SeparatorLine::SeparatorLine(const QColor& colour, QWidget* parent)
    : QWidget(parent), colour_(colour) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void SeparatorLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
}

} // namespace zorvane
