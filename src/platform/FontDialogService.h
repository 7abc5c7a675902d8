#pragma once

#include <QColor>
#include <QString>
#include <QtGlobal>
#include <optional>

class QWidget;

namespace zorvane {

// A font with its text colour, as the viewer's settings hold them.
struct FontChoice {
    QString name;
    float size = 9; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethru = false;
    qint32 colour = 0; // 0x00BBGGRR, or a system colour's number
};

// What the font dialog starts from. `colour` of the choice may name a system colour, so the
// colours it shows come ready resolved.
struct FontDialogRequest {
    FontChoice start;
    QColor textColour; // how start.colour looks
    QColor backColour; // the background the sample line is shown on
};

// The font dialog with a text colour. Returns the chosen font and colour, or nothing when the
// user cancelled. A colour the user did not change comes back as the number it started with.
class FontDialogService {
public:
    virtual ~FontDialogService() = default;
    virtual std::optional<FontChoice> chooseFont(QWidget* owner,
                                                 const FontDialogRequest& request) = 0;
};

// The program's own font dialog (ViewerFontDialog), modal over the owner.
class QtFontDialogService final : public FontDialogService {
public:
    std::optional<FontChoice> chooseFont(QWidget* owner, const FontDialogRequest& request) override;
};

} // namespace zorvane
