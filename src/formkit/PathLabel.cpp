#include "formkit/PathLabel.h"

#include "desktopfit/CaptionWidth.h"
#include "formkit/PlainToolTip.h"
#include "platform/NativePath.h"

#include <QPainter>
#include <QStyle>

namespace zorvane {

PathLabel::PathLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setProperty(KeepsItsWidth, true); // elides what does not fit
}

void PathLabel::setPath(const QString& path) {
    setText(path);
    const QString shown = displayPath(path);
    setToolTip(plainToolTip(shown));
    setAccessibleName(shown);
}

int PathLabel::naturalWidth() const {
    const QMargins margins = contentsMargins();
    return fontMetrics().horizontalAdvance(displayPath(text())) + margins.left() + margins.right() +
           2 * margin();
}

QString PathLabel::shownText() const {
    const QString shown = displayPath(text());
    const int room = contentsRect().width() - 2 * margin();
    if (fontMetrics().horizontalAdvance(shown) <= room)
        return shown;
    return fontMetrics().elidedText(shown, Qt::ElideMiddle, room);
}

void PathLabel::paintEvent(QPaintEvent* event) {
    const QString shown = shownText();
    if (shown == text()) {
        QLabel::paintEvent(event); // keeps the mouse selection
        return;
    }
    QPainter painter(this);
    style()->drawItemText(
        &painter, contentsRect().marginsRemoved(QMargins(margin(), 0, margin(), 0)),
        static_cast<int>(alignment()), palette(), isEnabled(), shown, foregroundRole());
}

} // namespace zorvane
