#pragma once

#include <QString>

class QDialog;
class QLabel;
class QWidget;

namespace zorvane {

// Gives a dialog of fixed size its name, caption and fixed client size in twips, a frame
// without minimise and maximise buttons, and a place in the middle of the screen it opens on.
void setUpFixedDialog(QDialog& dialog, const QString& objectName, const QString& caption,
                      int clientWidthTwips, int clientHeightTwips);

// Names a control and puts it at its place, given in twips.
void placeControl(QWidget* control, const QString& objectName, int left, int top, int width,
                  int height);

// As placeControl, for a label that shows a name or a path: it is made as tall as its font needs
// where the designed height is too small. Place it after its font is set.
void placeNameLabel(QLabel* label, const QString& objectName, int left, int top, int width,
                    int height);

// Makes every combo box and text box of the dialog as tall as its font needs where its designed
// height is smaller, moves what lies under it down and makes the dialog taller by as much.
// With a font that fits, every place stays as designed. Call it once the controls are placed.
void fitTextControlsToFont(QDialog& dialog);

// Moves the dialog, frame included, to the middle of its screen (the owner's screen when it
// has one).
void centreOnScreen(QDialog& dialog);

} // namespace zorvane
