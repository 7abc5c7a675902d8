#include "fileops/ElidedPathLabel.h"

#include <QPainter>
#include <QStyle>

namespace zorvane {

ElidedPathLabel::ElidedPathLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void ElidedPathLabel::setPath(const QString& path) {
    setText(path);
    setToolTip(path);
}

QString ElidedPathLabel::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width());
}

void ElidedPathLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), Qt::AlignLeft | Qt::AlignVCenter, palette(),
                          isEnabled(), shownText(), foregroundRole());
}

} // namespace zorvane
