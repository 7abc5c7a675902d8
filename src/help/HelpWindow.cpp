#include "help/HelpWindow.h"

#include "help/HelpBrowser.h"
#include "help/HelpPage.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

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
    browser_->setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));

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
    connect(browser_->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { topicAtTop_.clear(); });
}

QTextBrowser* HelpWindow::browser() const {
    return browser_;
}

void HelpWindow::load(const QString& helpFile) {
    HelpPage page = loadHelpPage(helpFile);
    const QByteArray html = page.html.toUtf8();
    if (loaded_ && helpFile == loadedFile_ && html == loadedHtml_ && page.problem == problem_)
        return;
    browser_->setHelpFolder(QFileInfo(helpFile).absolutePath());
    browser_->setHtml(page.html);
    makeColoursReadable(*browser_->document(), browser_->palette().color(QPalette::Base),
                        browser_->palette().color(QPalette::Text));
    loadedFile_ = helpFile;
    loadedHtml_ = html;
    problem_ = page.problem;
    loaded_ = true;
}

void HelpWindow::setNotice(const QString& text) {
    notice_->setText(text);
    notice_->setVisible(!text.isEmpty());
}

void HelpWindow::showContents(const QString& helpFile) {
    load(helpFile);
    topicAtTop_.clear();
    setNotice(problem_);
    browser_->verticalScrollBar()->setValue(0);
    browser_->horizontalScrollBar()->setValue(0);
    bringToFront();
}

void HelpWindow::showTopic(const QString& helpFile, int contextNumber) {
    load(helpFile);
    topicAtTop_.clear();
    const QString anchor = QString::number(contextNumber);
    if (!problem_.isEmpty()) {
        setNotice(problem_);
    } else if (!documentHasAnchor(*browser_->document(), anchor)) {
        setNotice(unknownTopicNotice(contextNumber));
        browser_->verticalScrollBar()->setValue(0);
    } else {
        setNotice(QString());
    }
    bringToFront();
    // After showing: the browser scrolls against its laid-out height.
    if (problem_.isEmpty() && notice_->isHidden())
        keepAtTop(anchor);
}

void HelpWindow::keepAtTop(const QString& anchor) {
    topicAtTop_ = anchor;
    browser_->scrollToAnchor(anchor);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
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
        topicAtTop_.clear();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::bringToFront() {
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    // Keys scroll the text at once.
    browser_->setFocus(Qt::OtherFocusReason);
}

} // namespace zorvane
