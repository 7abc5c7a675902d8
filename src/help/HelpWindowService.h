#pragma once

#include "platform/HelpService.h"

#include <QPointer>

namespace zorvane {

class HelpWindow;

// The help service of the running program: one help window, made at the first request and
// reused (raised) for every later one. The window goes when the program's event loop ends.
class HelpWindowService final : public HelpService {
public:
    HelpWindowService() = default;
    // The window is not deleted here: the service may outlive the application object.
    ~HelpWindowService() override = default;
    HelpWindowService(const HelpWindowService&) = delete;
    HelpWindowService& operator=(const HelpWindowService&) = delete;

    void showContents(const QString& helpFile) override;
    void showTopic(const QString& helpFile, int contextNumber) override;

    // The window, once a request has made it.
    HelpWindow* window() const;

private:
    HelpWindow& ensureWindow();

    QPointer<HelpWindow> window_;
};

} // namespace zorvane
