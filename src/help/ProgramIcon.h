#pragma once

#include <QIcon>
#include <QPixmap>

namespace zorvane {

// The program's icon (resources/zorvane.xpm, drawn on a 16 × 16 grid), in whole multiples of
// its grid so every size stays sharp: 16, 32, 48, 64 and 128 pixels.
QIcon programIcon();

// The icon drawn at `size` pixels: the nearest whole multiple of the grid at or below `size`
// (at least 16), centred on a transparent square of `size`.
QPixmap programIconPixmap(int size);

} // namespace zorvane
