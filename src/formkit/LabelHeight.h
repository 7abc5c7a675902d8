#pragma once

#include <QList>
#include <QRect>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace zorvane {

// The place of a one-line label that shows a name or a path: the designed place, made as tall
// as its font where the designed height is smaller, so that descenders ("_", "g", "y") are not
// cut off. An underscore cut away reads as a blank: "会議メモ_SJIS.txt" as "会議メモ SJIS.txt".
// It grows downwards; its top, left and width stay as designed. The same holds for every
// one-line text control: combo boxes and text boxes.
QRect labelRectForFont(const QRect& designed, int fontHeight);

// The height the label's text needs: its font's height and its margins.
int textHeightOf(const QLabel& label);

// The height a combo box needs to show its font whole: the font's height, the line edit's
// margins and what the style's frame and arrow take.
int textHeightOf(const QComboBox& combo);

// The height a text box needs to show its font whole: the font's height, its margins and its
// frame.
int textHeightOf(const QLineEdit& edit);

// The height a combo box or a text box needs; 0 for other controls, which keep their designed
// size (a label that shows a name is placed by labelRectForFont when it is made).
int textHeightOfControl(const QWidget& control);

// The places of a window's controls once each is as tall as its font needs (`fontHeights`,
// in the order of `designed`; 0 for a control that keeps its height): a control grows
// downwards, and what lies under it in its column moves down by as much as it would be
// overlapped. Controls with room enough keep their designed places exactly.
struct GrownLayout {
    QList<QRect> rects;
    int extraHeight = 0; // how much taller the window must be to keep its bottom margin
};
GrownLayout layoutGrownForFont(const QList<QRect>& designed, const QList<int>& fontHeights);

} // namespace zorvane
