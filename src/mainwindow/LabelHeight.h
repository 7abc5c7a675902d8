#pragma once

#include <QRect>

class QLabel;

namespace zorvane {

// The place of a one-line label that shows a name or a path: the designed place, made as tall
// as its font where the designed height is smaller, so that descenders ("_", "g", "y") are not
// cut off. An underscore cut away reads as a blank: "会議メモ_SJIS.txt" as "会議メモ SJIS.txt".
// It grows downwards; its top, left and width stay as designed.
QRect labelRectForFont(const QRect& designed, int fontHeight);

// The height the label's text needs: its font's height and its margins.
int textHeightOf(const QLabel& label);

} // namespace zorvane
