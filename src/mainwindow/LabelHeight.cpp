#include "mainwindow/LabelHeight.h"

#include <QLabel>
#include <algorithm>

namespace zorvane {

QRect labelRectForFont(const QRect& designed, int fontHeight) {
    QRect rect = designed;
    rect.setHeight(std::max(designed.height(), fontHeight));
    return rect;
}

int textHeightOf(const QLabel& label) {
    const QMargins margins = label.contentsMargins();
    return label.fontMetrics().height() + margins.top() + margins.bottom() + 2 * label.margin();
}

} // namespace zorvane
