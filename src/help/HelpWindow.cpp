#include "help/HelpWindow.h"

#include "app/DesktopLocale.h"

#include "help/HelpBrowser.h"
#include "help/HelpPage.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessibleWidget>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

namespace zorvane {

namespace {

// A top-level window of its own is announced as a frame (a plain widget would be a "filler").
QAccessibleInterface* helpWindowAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(HelpWindow::staticMetaObject.className()) &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(&helpWindowAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled)
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Zorvane ヘルプ"));
    // The help window never keeps the program running once the main window has gone.
    setAttribute(Qt::WA_QuitOnClose, false);

    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("helpNotice"));
    notice_->setWordWrap(true);
    notice_->setTextFormat(Qt::PlainText);
    notice_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notice_->setStyleSheet(QStringLiteral("QLabel { background: #FFF4C0; color: #000000; padding: "
                                          "4px; border: 1px solid #C0A040; }"));
    notice_->hide();

    browser_ = new HelpBrowser(this);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setAccessibleName(QStringLiteral("ヘルプ"));
    browser_->setOpenExternalLinks(true);
    // "ＭＳ Ｐゴシック" as the installed family that stands for it: given the name, Qt would
    // look up fallback families for every script of the page at its first layout, which a
    // family with kana and kanji never needs.
    browser_->setFont(QFont(windowsFontFamily(QStringLiteral("ＭＳ Ｐゴシック")), 10));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(notice_);
    layout->addWidget(browser_);
    resize(640, 560);

    // Closed from the keyboard as help windows are.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);

    // The user's own scrolling ends the hold on the topic.
    browser_->installEventFilter(this);
    browser_->viewport()->installEventFilter(this);
    connect(browser_->verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] {
        showHeldBackText();
        topicAtTop_.clear();
    });
}

QTextBrowser* HelpWindow::browser() const {
    return browser_;
}

void HelpWindow::load(const QString& helpFile, bool openingFirst, const QString& anchor) {
    HelpPage page = loadHelpPage(helpFile);
    const QByteArray html = page.html.toUtf8();
    if (loaded_ && helpFile == loadedFile_ && html == loadedHtml_ && page.problem == problem_)
        return;
    browser_->setHelpFolder(QFileInfo(helpFile).absolutePath());
    heldBackStarts_.clear();
    heldBackAbove_ = 0;
    wholePage_.clear();
    browser_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // About two screens of close text in the window's first size.
    constexpr qsizetype OpeningText = 2000;
    QString opening;
    if (openingFirst && page.problem.isEmpty())
        opening = anchor.isEmpty() ? helpPageOpening(page.html, OpeningText)
                                   : helpPageAtAnchor(page.html, anchor, OpeningText);
    if (!opening.isEmpty())
        wholePage_ = page.html;
    setPage(opening.isEmpty() ? page.html : opening);
    loadedFile_ = helpFile;
    loadedHtml_ = html;
    problem_ = page.problem;
    loaded_ = true;
}

void HelpWindow::setPage(const QString& html) {
    browser_->setHtml(html);
    makeColoursReadable(*browser_->document(), browser_->palette().color(QPalette::Base),
                        browser_->palette().color(QPalette::Text));
}

void HelpWindow::setNotice(const QString& text) {
    notice_->setText(text);
    notice_->setVisible(!text.isEmpty());
}

void HelpWindow::showContents(const QString& helpFile) {
    // Never shown yet: nothing of the page has been laid out at any width.
    const bool firstOpening = !opened_;
    load(helpFile, firstOpening);
    topicAtTop_.clear();
    if (!firstOpening)
        showHeldBackText(); // a topic's first screen may still be all the browser holds
    setNotice(problem_);
    const bool holdBack = firstOpening && problem_.isEmpty();
    if (holdBack)
        holdBackAllButFirstPiece();
    browser_->verticalScrollBar()->setValue(0);
    browser_->horizontalScrollBar()->setValue(0);
    bringToFront();
    if (holdBack)
        fillFirstScreen();
}

void HelpWindow::showTopic(const QString& helpFile, int contextNumber) {
    const bool firstOpening = !opened_;
    const QString anchor = QString::number(contextNumber);
    load(helpFile, firstOpening, anchor);
    if (!firstOpening)
        showHeldBackText(); // the topic is placed against the whole page
    topicAtTop_.clear();
    const int topicPosition = anchorPosition(*browser_->document(), anchor);
    if (!problem_.isEmpty()) {
        setNotice(problem_);
    } else if (topicPosition < 0) {
        setNotice(unknownTopicNotice(contextNumber));
        browser_->verticalScrollBar()->setValue(0);
    } else {
        setNotice(QString());
    }
    const bool holdBack = firstOpening && problem_.isEmpty() && topicPosition >= 0;
    if (holdBack)
        holdBackAllButTopic(topicPosition);
    bringToFront();
    // After showing: the browser scrolls against its laid-out height.
    if (problem_.isEmpty() && notice_->isHidden())
        keepAtTop(anchor);
    if (holdBack) {
        fillFirstScreen();
        browser_->scrollToAnchor(anchor);
    }
}

void HelpWindow::holdBackAllButFirstPiece() {
    const QList<int> starts = topLevelStarts(*browser_->document());
    if (starts.size() < 2)
        return;
    heldBackStarts_ = starts.mid(1);
    setTextShown(*browser_->document(), heldBackStarts_.first(), -1, false);
    // The scroll bar the whole page needs is there from the start: the text shown first is laid
    // out at the width it keeps.
    browser_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void HelpWindow::holdBackAllButTopic(int topicPosition) {
    const QList<int> starts = topLevelStarts(*browser_->document());
    qsizetype piece = 0;
    while (piece + 1 < starts.size() && starts.at(piece + 1) <= topicPosition)
        ++piece;
    heldBackAbove_ = starts.value(piece);
    heldBackStarts_ = starts.mid(piece + 1);
    if (heldBackAbove_ > 0)
        setTextShown(*browser_->document(), 0, heldBackAbove_, false);
    if (!heldBackStarts_.isEmpty())
        setTextShown(*browser_->document(), heldBackStarts_.first(), -1, false);
    browser_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void HelpWindow::fillFirstScreen() {
    QTextDocument& document = *browser_->document();
    // From the top of what is shown: what is held back above a topic still takes a few pixels
    // (the frames of its tables).
    const qreal shownTop =
        document.documentLayout()->blockBoundingRect(document.findBlock(heldBackAbove_)).top();
    const auto shownBottom = [&] {
        const QTextBlock last = document.findBlock(heldBackStarts_.first() - 1);
        return document.documentLayout()->blockBoundingRect(last).bottom() - shownTop;
    };
    // A few lines at a time: each piece put back is laid out on its own.
    constexpr int PieceText = 256;
    while (!heldBackStarts_.isEmpty() && shownBottom() < browser_->viewport()->height()) {
        const int from = heldBackStarts_.first();
        qsizetype pieces = 1;
        while (pieces < heldBackStarts_.size() && heldBackStarts_.at(pieces) - from < PieceText)
            ++pieces;
        const int to = pieces < heldBackStarts_.size() ? heldBackStarts_.at(pieces) : -1;
        heldBackStarts_.remove(0, pieces);
        setTextShown(document, from, to, true);
    }
    // A page shorter than the screen: all of it is shown, its scroll bar as needed. An opening
    // that does not fill the screen (a large font) gives way to the whole page at once.
    if (heldBackStarts_.isEmpty()) {
        showHeldBackText();
        browser_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
}

void HelpWindow::showHeldBackText() {
    if (wholePage_.isEmpty() && heldBackStarts_.isEmpty() && heldBackAbove_ == 0)
        return;
    if (!wholePage_.isEmpty()) {
        setPage(std::exchange(wholePage_, QString()));
    } else {
        if (!heldBackStarts_.isEmpty())
            setTextShown(*browser_->document(), heldBackStarts_.first(), -1, true);
        if (heldBackAbove_ > 0)
            setTextShown(*browser_->document(), 0, heldBackAbove_, true);
    }
    heldBackStarts_.clear();
    heldBackAbove_ = 0;
    browser_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A topic shown first stays where it was drawn, now above the whole page.
    if (!topicAtTop_.isEmpty())
        browser_->scrollToAnchor(topicAtTop_);
}

void HelpWindow::keepAtTop(const QString& anchor) {
    topicAtTop_ = anchor;
    browser_->scrollToAnchor(anchor);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Paint:
        // Drawn once: the rest of the page follows as soon as this drawing is on the screen.
        if (watched == browser_->viewport() &&
            (!heldBackStarts_.isEmpty() || !wholePage_.isEmpty()))
            QMetaObject::invokeMethod(this, &HelpWindow::showHeldBackText, Qt::QueuedConnection);
        break;
    case QEvent::Resize:
        // The browser lays the text out anew for its new width after this event: scroll then.
        if (watched == browser_->viewport() && !topicAtTop_.isEmpty())
            QTimer::singleShot(0, this, [this] {
                if (!topicAtTop_.isEmpty())
                    browser_->scrollToAnchor(topicAtTop_);
            });
        break;
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::MouseButtonPress:
        showHeldBackText(); // the user moves on: the whole page is there to move in
        topicAtTop_.clear();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::bringToFront() {
    opened_ = true;
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    // Keys scroll the text at once.
    browser_->setFocus(Qt::OtherFocusReason);
}

} // namespace zorvane
