#pragma once

#include "mainwindow/ClosingWindowKeys.h"

#include <QRect>

class QWidget;

namespace zorvane {

// What the main window saves as it closes: its outer place and size in twips (`outerTwips`)
// into the settings record, as far as `keys` let them, written to plok.ini, and the history to
// plok.his. The user is told over `reportTo` of what could not be saved, before the program
// ends; without it (the display has gone) nothing is shown. Whether everything was saved.
bool saveWindowAndHistory(const QRect& outerTwips, const ClosingWindowKeys& keys,
                          QWidget* reportTo);

} // namespace zorvane
