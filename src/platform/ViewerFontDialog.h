#pragma once

#include "platform/FontDialogService.h"

#include <QDialog>
#include <QFont>

class QFontDialog;
class QLabel;
class QPushButton;

namespace zorvane {

// The viewer's font dialog: Qt's font chooser (family, style, size, underline, strikethrough)
// with a text colour beside it and a sample line that shows font and colour together.
class ViewerFontDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ViewerFontDialog)
public:
    explicit ViewerFontDialog(const FontDialogRequest& request, QWidget* parent = nullptr);

    // The font and colour as chosen. What the user left alone keeps the value it started with,
    // even where the chooser shows it differently (a substituted family, a system colour).
    FontChoice choice() const;

private:
    void chooseTextColour();
    void showSample();

    FontDialogRequest request_;
    QFontDialog* chooser_ = nullptr;
    QPushButton* colourButton_ = nullptr;
    QLabel* sample_ = nullptr;
    QColor textColour_;
    std::optional<qint32> chosenColour_;
    QFont primedFont_; // what the chooser showed at the start
};

} // namespace zorvane
