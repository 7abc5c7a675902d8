#pragma once

#include "fileservice/ShellCopyJob.h"
#include "platform/ShellFileOperation.h"

namespace zorvane {

// The file-operation service of the running program: GIO does the file work, Qt windows show
// progress, questions and messages (questions and messages through the platform's message-box
// service, owned by the request's owner).
//
// Nothing is ever lost: a copy goes to a hidden temporary name in the destination folder and
// takes its place only when it is complete, so a failed or cancelled copy leaves no partial
// file and a replaced file is replaced only at that last step; a move across file systems
// removes the source only after the copy is complete and on the disk; copying or moving a file
// onto itself, renaming onto a name in use, to an empty name or to the folder itself are refused.
class GioShellFileOperation final : public ShellFileOperation {
public:
    // Results: 0 done; the others mean not done.
    enum Result : int {
        Done = 0,
        Declined = 1, // the user answered No to a question or cancelled the progress window
        Refused = 2,  // the request cannot be carried out without harm (self-copy, name in use)
        Failed = 3,   // the file system refused the work; its message was shown
    };

    int perform(const ShellRequest& request) override;

    // Called in the window thread with each progress update of a copy; returning true cancels.
    // Tests use it to cancel at a known point.
    void setProgressHook(ShellProgressHook hook) { progressHook_ = std::move(hook); }

private:
    int copyOrMove(const ShellRequest& request, bool move);
    int renameFile(const ShellRequest& request);
    int deleteFile(const ShellRequest& request);

    ShellProgressHook progressHook_;
};

} // namespace zorvane
