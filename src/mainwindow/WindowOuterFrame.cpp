#include "mainwindow/WindowOuterFrame.h"

#include "desktopfit/WindowFit.h"
#include "formkit/Twips.h"

#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>

namespace zorvane {

int windowPixels(float twips) {
    constexpr float Limit = 16777215.0f * TwipsPerPixel;
    if (std::isnan(twips))
        return 0;
    return twipsToPixels(static_cast<double>(std::fmax(-Limit, std::fmin(Limit, twips))));
}

QMargins WindowOuterFrame::margins() const {
    const QRect frame = window_.frameGeometry();
    const QRect inner = window_.geometry();
    return QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                    frame.right() - inner.right(), frame.bottom() - inner.bottom());
}

QRect WindowOuterFrame::outerTwips() const {
    QRect inner = window_.normalGeometry();
    if (inner.isNull())
        inner = window_.geometry();
    const bool normal = !(window_.windowState() &
                          (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    const QMargins frame = normal || !normalFrame_ ? margins() : *normalFrame_;
    const QRect outer = inner.marginsAdded(frame);
    return QRect(pixelsToTwips(outer.left()), pixelsToTwips(outer.top()),
                 pixelsToTwips(outer.width()), pixelsToTwips(outer.height()));
}

void WindowOuterFrame::setOuterTwips(float top, float left, float height, float width) {
    const QMargins frame = margins();
    const QSize outer(windowPixels(width), windowPixels(height));
    window_.move(windowPixels(left), windowPixels(top));
    window_.resize(std::max(1, outer.width() - frame.left() - frame.right()),
                   std::max(1, outer.height() - frame.top() - frame.bottom()));
    givenInside_ = window_.size();
    if (!window_.isVisible())
        pendingOuterSize_ = outer;
}

bool WindowOuterFrame::applyPendingSize(const std::function<void()>& beforeResize) {
    if (!pendingOuterSize_.isValid() || !window_.isVisible() || margins().isNull())
        return false;
    const QMargins frame = margins();
    const QSize outer = std::exchange(pendingOuterSize_, QSize());
    if (beforeResize)
        beforeResize();
    window_.resize(outer.width() - frame.left() - frame.right(),
                   outer.height() - frame.top() - frame.bottom());
    givenInside_ = window_.size();
    return true;
}

QSize WindowOuterFrame::normalInsideSize() const {
    const QRect inside = window_.normalGeometry();
    return inside.isNull() ? window_.size() : inside.size();
}

void WindowOuterFrame::fitInto(const QRect& available, const QSize& minimumOuter) {
    const QMargins frame = margins();
    // pos() is the frame's corner, as move() takes it.
    const QRect outer(window_.pos(), pendingOuterSize_.isValid() ? pendingOuterSize_
                                                                 : window_.size().grownBy(frame));
    const QRect fitted = fitWindow(outer, available, minimumOuter);
    if (fitted.size() != outer.size()) {
        if (pendingOuterSize_.isValid())
            pendingOuterSize_ = fitted.size();
        window_.resize(fitted.size().shrunkBy(frame));
        givenInside_ = window_.size();
        sizeFitted_ = true;
    }
    if (fitted.topLeft() != outer.topLeft())
        window_.move(fitted.topLeft());
}

void WindowOuterFrame::noteNormalFrame() {
    if (window_.isVisible() && window_.windowState() == Qt::WindowNoState && !margins().isNull())
        normalFrame_ = margins();
}

} // namespace zorvane
