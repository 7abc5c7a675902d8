#include "formkit/DialogFrame.h"

#include "formkit/LabelHeight.h"
#include "formkit/Twips.h"
#include "platform/DialogModality.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace zorvane {

void setUpFixedDialog(QDialog& dialog, const QString& objectName, const QString& caption,
                      int clientWidthTwips, int clientHeightTwips) {
    dialog.setObjectName(objectName);
    dialog.setWindowTitle(caption);
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog.setFixedSize(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips));
    dialog.setSizeGripEnabled(false);
    setModalToOwner(dialog);
}

void placeControl(QWidget* control, const QString& objectName, int left, int top, int width,
                  int height) {
    control->setObjectName(objectName);
    control->setGeometry(twipsToPixels(TwipsRect{left, top, width, height}));
}

void placeNameLabel(QLabel* label, const QString& objectName, int left, int top, int width,
                    int height) {
    placeControl(label, objectName, left, top, width, height);
    label->setGeometry(labelRectForFont(label->geometry(), textHeightOf(*label)));
}

void fitTextControlsToFont(QDialog& dialog) {
    const QList<QWidget*> controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QList<QRect> placed;
    QList<int> needs;
    for (const QWidget* control : controls) {
        placed.append(control->geometry());
        needs.append(control->isWindow() ? 0 : textHeightOfControl(*control));
    }
    const GrownLayout grown = layoutGrownForFont(placed, needs);
    for (qsizetype i = 0; i < controls.size(); ++i)
        if (!controls.at(i)->isWindow())
            controls.at(i)->setGeometry(grown.rects.at(i));
    if (grown.extraHeight > 0)
        dialog.setFixedSize(dialog.width(), dialog.height() + grown.extraHeight);
}

void centreOnScreen(QDialog& dialog) {
    const QWidget* owner = dialog.parentWidget();
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame is the window manager's and unknown until the dialog is shown; the owner's,
    // from the same window manager, stands in for it.
    QSize outer = dialog.size();
    if (owner && owner->isVisible())
        outer += owner->frameGeometry().size() - owner->geometry().size();
    const QRect area = screen->availableGeometry();
    dialog.move(area.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

} // namespace zorvane
