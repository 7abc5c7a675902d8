#pragma once

#include <QByteArray>
#include <QList>
#include <QWidget>

class QLabel;
class QTextBrowser;

namespace zorvane {

// The program's help window: a top-level, non-modal window with the help file in a text
// browser. It shows the contents (the top of the file) or scrolls to the topic whose element
// carries the context number as its id. Problems with the file or the number are said in the
// window itself, in a notice line above the text.
class HelpBrowser;

class HelpWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpWindow)
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showContents(const QString& helpFile);
    void showTopic(const QString& helpFile, int contextNumber);

    QTextBrowser* browser() const;
    QLabel* notice() const { return notice_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reads the file and lays it out again only when its path or its text changed since the
    // last request, so a request for the open file is answered at once. `openingFirst`: a long
    // page is read into the browser only as far as a first screen needs (from its top, or from
    // the piece that holds `anchor`); the rest is held back.
    void load(const QString& helpFile, bool openingFirst = false, const QString& anchor = {});
    void setPage(const QString& html);
    void setNotice(const QString& text);
    void bringToFront();
    // Keeps the topic at the top while the text is laid out again (the window placed, resized
    // or shown at another size), until the user scrolls.
    void keepAtTop(const QString& anchor);
    // The first opening reads and lays out only what the first screen shows: the rest of the
    // page is held back until the window has been drawn once, so a long help file opens as soon
    // as a short one. Held back after the page's first piece, before the window is shown; then
    // put back piece by piece until the screen is full.
    void holdBackAllButFirstPiece();
    // The same for a topic: the pieces above the topic's are held back as well, so the first
    // screen lays out from the topic down.
    void holdBackAllButTopic(int topicPosition);
    void fillFirstScreen();
    // Puts the rest of the page back: the whole page, laid out.
    void showHeldBackText();

    QString topicAtTop_;
    QLabel* notice_ = nullptr;
    HelpBrowser* browser_ = nullptr;
    QString loadedFile_;
    QByteArray loadedHtml_;
    bool loaded_ = false;
    QString problem_;
    bool opened_ = false;       // the window has been shown at least once
    QList<int> heldBackStarts_; // the pieces of the page held back from the layout, by start
    int heldBackAbove_ = 0;     // where the piece of a topic shown first begins
    QString wholePage_;         // the page, while the browser holds only its opening
};

} // namespace zorvane
