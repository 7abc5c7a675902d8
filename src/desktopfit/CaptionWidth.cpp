#include "desktopfit/CaptionWidth.h"

#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace zorvane {

int captionWidthOf(const QWidget& control) {
    if (control.property(KeepsItsWidth).toBool())
        return 0;
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        if (button->text().isEmpty())
            return 0;
        QStyleOptionButton option;
        option.initFrom(button);
        const QStyle* style = button->style();
        return button->fontMetrics().horizontalAdvance(button->text()) +
               2 * style->pixelMetric(QStyle::PM_ButtonMargin, &option, button) +
               2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
    }
    if (const auto* check = qobject_cast<const QCheckBox*>(&control))
        return check->text().isEmpty() ? 0 : check->sizeHint().width();
    const auto* label = qobject_cast<const QLabel*>(&control);
    if (!label || label->wordWrap() || label->text().isEmpty() || !label->pixmap().isNull() ||
        label->text().contains(QChar(u'\n')) || label->text().contains(QChar(u'\r')))
        return 0;
    return label->fontMetrics().horizontalAdvance(label->text()) + label->width() -
           label->contentsRect().width() + 2 * label->margin() + std::max(0, label->indent());
}

QRect captionRectForFont(const QRect& place, int need, const QRect& bounds) {
    if (need <= place.width())
        return place;
    QRect widened = place;
    widened.setWidth(need);
    if (widened.right() > bounds.right())
        widened.moveRight(bounds.right());
    if (widened.left() < bounds.left())
        widened.moveLeft(bounds.left());
    return widened;
}

void widenCaptionsForFont(QWidget& window) {
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const QWidget* parent = control->parentWidget();
        if (control->isWindow() || !parent || parent->layout())
            continue;
        const int need = captionWidthOf(*control);
        if (need > control->width())
            control->setGeometry(captionRectForFont(control->geometry(), need, parent->rect()));
    }
}

} // namespace zorvane
