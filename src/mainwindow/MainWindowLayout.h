#pragma once

#include "formkit/Twips.h"

namespace zorvane {

// The two layout values that the filer flag chooses.
struct FilerArrangement {
    int viewerLeft = 0;     // left edge of Text1
    int viewerMinWidth = 0; // smallest outer width of the window
};

constexpr int MainWindowMinHeight = 7140;
constexpr int ToolbarHeight = 396;

// What the layout allows for the frame, title bar and menu bar of a window (H − 690).
constexpr int DesignedFrameAllowance = 690;

// The height the layout works with, and the smallest outer height, for a window whose outer
// height is `outerHeight` and whose area under the menu bar is `belowMenuHeight` high (twips).
// Where the window manager's frame, title bar and menu bar take more than the designed 690,
// the layout takes the area's height plus 690 and the minimum grows by the difference, so the
// designed margin under Combo1 holds; otherwise nothing changes.
struct LayoutHeight {
    int layoutHeight = 0;
    int minimumOuterHeight = 0;
};
LayoutHeight layoutHeightFor(int outerHeight, int belowMenuHeight);

// 3180 / 9000 with the filer shown, 60 / 5880 without it.
FilerArrangement filerArrangement(bool showFiler);

// Every control's rectangle for one outer window size. Fixed controls (Toolbar1, Label1,
// Drive1, Label2) are included so the window can place everything from one result.
struct MainWindowLayout {
    int outerWidth = 0;  // after the minimum width was enforced
    int outerHeight = 0; // after the minimum height was enforced
    bool widthWasClamped = false;
    bool heightWasClamped = false;

    TwipsRect Toolbar1;
    TwipsRect Label1;
    TwipsRect Drive1;
    TwipsRect Label2;
    TwipsRect Text1;
    TwipsRect Command1;
    TwipsRect Label5;
    // The filer; meaningful only when it is shown (hidden controls are not moved).
    TwipsRect Combo1;
    TwipsRect Label4;
    TwipsRect File1;
    TwipsRect Label3;
    TwipsRect Dir1;
};

// What the layout keeps of the controls' present sizes (twips).
struct PresentSizes {
    int combo1Height = 300; // Combo1 keeps its own height
    int captionHeight = 0;  // what Label3 and Label4 need; a taller font moves the lists up
    int label5Width = 0;    // Label5 sizes itself to its caption
    int clientWidth = 0;    // the toolbar is as wide as the window's inside
};

// Lays the main window out for an outer size of `outerWidth` × `outerHeight` twips. The
// viewer's left edge and the minimum width come from `arrangement` (set when the filer was
// last shown or hidden); `showFiler` chooses where the filer and the button go; a screen
// smaller than the window allows a smaller `minimumHeight`.
MainWindowLayout computeMainWindowLayout(int outerWidth, int outerHeight,
                                         FilerArrangement arrangement, bool showFiler,
                                         PresentSizes present,
                                         int minimumHeight = MainWindowMinHeight);

// The same with the arrangement that belongs to `showFiler`.
MainWindowLayout computeMainWindowLayout(int outerWidth, int outerHeight, bool showFiler,
                                         PresentSizes present);

// The smallest outer size the window keeps, in twips: its own minimum (`width` × `height`),
// or the outer size that the available area of its screen leaves (`roomWidth` ×
// `roomHeight`) where that is smaller, so the whole window can be seen; never less than half
// its own minimum, where each list still shows a row.
struct OuterMinimum {
    int width = 0;
    int height = 0;
};
OuterMinimum outerMinimumOnScreen(int width, int height, int roomWidth, int roomHeight);

} // namespace zorvane
