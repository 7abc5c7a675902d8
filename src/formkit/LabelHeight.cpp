#include "formkit/LabelHeight.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <algorithm>
#include <numeric>

namespace zorvane {

namespace {

// QLineEdit keeps one pixel above and below its text.
constexpr int LineEditVerticalMargin = 1;

bool sideBySide(const QRect& a, const QRect& b) {
    return a.right() < b.left() || b.right() < a.left();
}

} // namespace

QRect labelRectForFont(const QRect& designed, int fontHeight) {
    QRect rect = designed;
    rect.setHeight(std::max(designed.height(), fontHeight));
    return rect;
}

int textHeightOf(const QLabel& label) {
    const QMargins margins = label.contentsMargins();
    return label.fontMetrics().height() + margins.top() + margins.bottom() + 2 * label.margin();
}

int textHeightOf(const QComboBox& combo) {
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    option.frame = combo.hasFrame();
    option.rect = QRect(0, 0, 200, 100);
    const QRect field = combo.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, &combo);
    return combo.fontMetrics().height() + 2 * LineEditVerticalMargin + option.rect.height() -
           field.height();
}

int textHeightOf(const QLineEdit& edit) {
    int frame = 0;
    if (edit.hasFrame()) {
        QStyleOptionFrame option;
        option.initFrom(&edit);
        frame = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit);
    }
    const QMargins text = edit.textMargins();
    const QMargins contents = edit.contentsMargins();
    return edit.fontMetrics().height() + 2 * LineEditVerticalMargin + 2 * frame + text.top() +
           text.bottom() + contents.top() + contents.bottom();
}

int textHeightOfControl(const QWidget& control) {
    if (const auto* combo = qobject_cast<const QComboBox*>(&control))
        return textHeightOf(*combo);
    if (const auto* edit = qobject_cast<const QLineEdit*>(&control))
        return textHeightOf(*edit);
    return 0;
}

GrownLayout layoutGrownForFont(const QList<QRect>& designed, const QList<int>& fontHeights) {
    // Top to bottom, so that a control is moved before what lies under it is looked at.
    QList<qsizetype> order(designed.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return designed.at(a).top() < designed.at(b).top();
    });
    GrownLayout grown;
    grown.rects = designed;
    for (const qsizetype i : order) {
        int shift = 0;
        for (const qsizetype above : order) {
            const QRect& was = designed.at(above);
            if (above == i || was.bottom() >= designed.at(i).top() ||
                sideBySide(was, designed.at(i)))
                continue;
            shift = std::max(shift, grown.rects.at(above).bottom() + 1 - designed.at(i).top());
        }
        QRect& rect = grown.rects[i];
        rect.translate(0, shift);
        rect = labelRectForFont(rect, fontHeights.value(i));
    }
    int designedBottom = 0;
    int grownBottom = 0;
    for (qsizetype i = 0; i < designed.size(); ++i) {
        designedBottom = std::max(designedBottom, designed.at(i).bottom());
        grownBottom = std::max(grownBottom, grown.rects.at(i).bottom());
    }
    grown.extraHeight = std::max(0, grownBottom - designedBottom);
    return grown;
}

} // namespace zorvane
