#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

namespace zorvane {

// Operation codes of a shell request. Copy and move are swapped against FileOpCode
// (1 copy, 2 move) on purpose: these are the request's own numbers.
enum ShellFunction : quint32 {
    FO_MOVE = 1,
    FO_COPY = 2,
    FO_DELETE = 3,
    FO_RENAME = 4,
};

constexpr quint16 FOF_ALLOWUNDO = 0x0040;

// One request for the shell's file-operation service: one source file.
struct ShellRequest {
    QWidget* owner = nullptr;  // every window the service shows is owned by this one
    quint32 function = 0;      // ShellFunction
    QString from;              // the source file, full path
    QString to;                // copy/move: destination folder; rename: new full path; delete: empty
    quint16 flags = 0;         // FOF_ALLOWUNDO: deleted files go to the trash
};

// Copies, moves, renames or deletes one file, showing its own progress window, questions and
// messages. Returns when everything is over: 0 for done, anything else for not done.
class ShellFileOperation {
public:
    virtual ~ShellFileOperation() = default;
    virtual int perform(const ShellRequest& request) = 0;
};

} // namespace zorvane
