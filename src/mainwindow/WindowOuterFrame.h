#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

#include <functional>
#include <optional>

class QWidget;

namespace zorvane {

// The outer frame of a top-level window, as the program stores its place and size: frame,
// title bar and menu bar included. Qt places and sizes the inside of a window, and learns the
// frame only once the window manager has framed it (never on the offscreen platform, where
// the frame is taken as zero), so a stored outer size waits for the frame before it is
// applied; and a maximised window's frame is often thinner, so the normal state's frame is
// remembered for storing.
class WindowOuterFrame {
public:
    explicit WindowOuterFrame(QWidget& window) : window_(window) {}

    // The frame's margins around the inside now; zero while the window is not framed.
    QMargins margins() const;

    // The normal-state outer rectangle in twips, also while minimised or maximised.
    QRect outerTwips() const;

    // Places the window's outer frame; values beyond what a window system holds are cut. The
    // size is applied again once the frame is known (applyPendingSize).
    void setOuterTwips(float top, float left, float height, float width);

    // Applies a stored outer size once the frame is known; `beforeResize` runs first (the
    // window's minimum must follow the frame before the size). True when it was applied.
    bool applyPendingSize(const std::function<void()>& beforeResize);

    // To be called on every move and resize: remembers the frame of the normal state.
    void noteNormalFrame();

    // The inside size the program last gave the window from a stored outer size; invalid
    // before one was given.
    QSize givenInsideSize() const { return givenInside_; }

    // The normal-state inside size now, also while minimised or maximised.
    QSize normalInsideSize() const;

    // Moves the window's outer frame into `available` (pixels), made smaller where it must be
    // but no smaller than `minimumOuter`; a stored size still waiting for the frame is fitted
    // instead.
    void fitInto(const QRect& available, const QSize& minimumOuter);

    // Whether fitInto made the window smaller than its stored size.
    bool sizeFitted() const { return sizeFitted_; }

private:
    QWidget& window_;
    QSize pendingOuterSize_; // pixels
    QSize givenInside_;      // pixels
    std::optional<QMargins> normalFrame_;
    bool sizeFitted_ = false;
};

// A window position or size in twips as pixels, kept within what a window system can hold.
int windowPixels(float twips);

} // namespace zorvane
