#pragma once

#include <QString>

class QWidget;

namespace zorvane {

enum class MessageIcon { None, Exclamation, Critical, Question, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry };

// One modal message box: text, title, icon and buttons, exactly as the program gives them.
struct MessageRequest {
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// Shows modal message boxes. Production shows a real QMessageBox; tests install a fake that
// records each request and answers from a script.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual MessageAnswer show(QWidget* owner, const MessageRequest& request) = 0;
};

// The QMessageBox-backed service used by the running program.
class QtMessageBoxService final : public MessageBoxService {
public:
    MessageAnswer show(QWidget* owner, const MessageRequest& request) override;
};

} // namespace zorvane
