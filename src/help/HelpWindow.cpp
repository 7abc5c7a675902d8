#include "help/HelpWindow.h"

#include "help/HelpPage.h"

#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zorvane {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Zorvane ヘルプ"));
    // The help window never keeps the program running once the main window has gone.
    setAttribute(Qt::WA_QuitOnClose, false);

    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("helpNotice"));
    notice_->setWordWrap(true);
    notice_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notice_->setStyleSheet(QStringLiteral("QLabel { background: #FFF4C0; color: #000000; padding: "
                                          "4px; border: 1px solid #C0A040; }"));
    notice_->hide();

    browser_ = new QTextBrowser(this);
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
}

void HelpWindow::load(const QString& helpFile) {
    HelpPage page = loadHelpPage(helpFile);
    const QByteArray html = page.html.toUtf8();
    if (loaded_ && helpFile == loadedFile_ && html == loadedHtml_ && page.problem == problem_)
        return;
    browser_->setSearchPaths({QFileInfo(helpFile).absolutePath()});
    browser_->setHtml(page.html);
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
    setNotice(problem_);
    browser_->verticalScrollBar()->setValue(0);
    browser_->horizontalScrollBar()->setValue(0);
    bringToFront();
}

void HelpWindow::showTopic(const QString& helpFile, int contextNumber) {
    load(helpFile);
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
        browser_->scrollToAnchor(anchor);
}

void HelpWindow::bringToFront() {
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

} // namespace zorvane
