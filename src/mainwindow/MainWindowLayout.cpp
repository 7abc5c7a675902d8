#include "mainwindow/MainWindowLayout.h"

#include <algorithm>
#include <cmath>

namespace zorvane {

namespace {
constexpr int ViewerTop = 1380;
constexpr int BottomAllowance = 690; // frame, title bar and menu bar below/above the controls
constexpr int Margin = 60;
constexpr int FilerLeft = 60;
constexpr int FilerWidth = 3000;
constexpr int CaptionLeft = 240;
constexpr int CaptionHeight = 180;
constexpr int FileRowHeight = 180;
} // namespace

FilerArrangement filerArrangement(bool showFiler) {
    return showFiler ? FilerArrangement{3180, 9000} : FilerArrangement{60, 5880};
}

MainWindowLayout computeMainWindowLayout(int outerWidth, int outerHeight, bool showFiler,
                                         PresentSizes present) {
    return computeMainWindowLayout(outerWidth, outerHeight, filerArrangement(showFiler), showFiler,
                                   present);
}

MainWindowLayout computeMainWindowLayout(int outerWidth, int outerHeight,
                                         FilerArrangement arrangement, bool showFiler,
                                         PresentSizes present, int minimumHeight) {
    MainWindowLayout layout;
    layout.widthWasClamped = outerWidth < arrangement.viewerMinWidth;
    layout.heightWasClamped = outerHeight < minimumHeight;
    const int W = layout.widthWasClamped ? arrangement.viewerMinWidth : outerWidth;
    const int H = layout.heightWasClamped ? minimumHeight : outerHeight;
    layout.outerWidth = W;
    layout.outerHeight = H;

    layout.Toolbar1 = {0, 0, present.clientWidth, ToolbarHeight};
    layout.Label1 = {240, 480, 1440, CaptionHeight};
    layout.Drive1 = {60, 720, 3000, 300};
    layout.Label2 = {240, 1140, 1440, CaptionHeight};

    layout.Text1 = {arrangement.viewerLeft, ViewerTop, W - arrangement.viewerLeft - 120 - Margin,
                    H - BottomAllowance - ViewerTop - Margin};

    if (showFiler) {
        // A combo box taller than designed (a taller font) keeps the margin under it: it and
        // everything above it in the filer move up.
        const int comboTop = H - BottomAllowance - std::max(300, present.combo1Height) - Margin;
        layout.Combo1 = {FilerLeft, comboTop, FilerWidth, present.combo1Height};

        // A caption taller than its designed 240 (a taller font) pushes the list above it up.
        const int captionBox = std::max(CaptionHeight + Margin, present.captionHeight);
        const int label4Top = comboTop - captionBox;
        layout.Label4 = {CaptionLeft, label4Top, 1500, captionBox};

        // The file list takes whole rows of 180; the directory list takes the rest, so the two
        // share the height between Drive1 and Label4.
        const double halfExact = (label4Top - ViewerTop - 480) / 2.0 - 90;
        const long half = std::lrint(halfExact); // nearest, halves to the even neighbour
        const long rows = half / FileRowHeight;
        const int fileHeight = static_cast<int>((rows + 1) * FileRowHeight);
        const int fileTop = label4Top - fileHeight - 120;
        layout.File1 = {FilerLeft, fileTop, FilerWidth, fileHeight};

        const int label3Top = fileTop - captionBox;
        layout.Label3 = {CaptionLeft, label3Top, 1500, captionBox};

        layout.Dir1 = {FilerLeft, ViewerTop, FilerWidth, label3Top - ViewerTop - 120};
        layout.Command1 = {3180, 720, 1560, 300};
        layout.Label5 = {4860, 780, present.label5Width, CaptionHeight};
    } else {
        layout.Command1 = {60, 720, 1560, 300};
        layout.Label5 = {1740, 780, present.label5Width, CaptionHeight};
    }
    return layout;
}

OuterMinimum outerMinimumOnScreen(int width, int height, int roomWidth, int roomHeight) {
    const auto fitted = [](int own, int room) { return std::min(own, std::max(own / 2, room)); };
    return {fitted(width, roomWidth), fitted(height, roomHeight)};
}

LayoutHeight layoutHeightFor(int outerHeight, int belowMenuHeight) {
    const int extra = outerHeight - belowMenuHeight - DesignedFrameAllowance;
    if (extra <= 0)
        return {outerHeight, MainWindowMinHeight};
    return {belowMenuHeight + DesignedFrameAllowance, MainWindowMinHeight + extra};
}

} // namespace zorvane
