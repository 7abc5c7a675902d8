#include "help/ProgramIcon.h"

#include "zorvane.xpm"

#include <QPainter>

namespace zorvane {

namespace {

constexpr int Grid = 16;

const QPixmap& gridImage() {
    static const QPixmap image(xpm_zorvane);
    return image;
}

} // namespace

QPixmap programIconPixmap(int size) {
    const int scale = qMax(1, size / Grid);
    const QPixmap drawn = gridImage().scaled(Grid * scale, Grid * scale, Qt::IgnoreAspectRatio,
                                             Qt::FastTransformation);
    if (drawn.width() == size)
        return drawn;
    QPixmap square(size, size);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.drawPixmap((size - drawn.width()) / 2, (size - drawn.height()) / 2, drawn);
    return square;
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(programIconPixmap(size));
    return icon;
}

} // namespace zorvane
