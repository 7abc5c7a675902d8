#include "help/HelpWindowService.h"

#include "help/HelpWindow.h"

#include <QCoreApplication>

namespace zorvane {

HelpWindow* HelpWindowService::window() const {
    return window_;
}

HelpWindow& HelpWindowService::ensureWindow() {
    if (!window_) {
        window_ = new HelpWindow;
        // Without an owner the window would outlive the application object; it goes with the
        // event loop instead.
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                         window_.data(), [window = window_.data()] { delete window; });
    }
    return *window_;
}

void HelpWindowService::showContents(const QString& helpFile) {
    ensureWindow().showContents(helpFile);
}

void HelpWindowService::showTopic(const QString& helpFile, int contextNumber) {
    ensureWindow().showTopic(helpFile, contextNumber);
}

} // namespace zorvane
