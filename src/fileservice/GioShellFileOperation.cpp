#include "fileservice/GioShellFileOperation.h"

#include "fileservice/ShellFileWork.h"
#include "fileservice/ShellMessages.h"
#include "fileservice/ShellPaths.h"
#include "platform/PlatformServices.h"

#include "platform/GioLibrary.h"

namespace zorvane {

namespace {

MessageAnswer ask(const ShellRequest& request, const MessageRequest& question) {
    return PlatformServices::messageBox().show(request.owner, question);
}

int tell(const ShellRequest& request, const MessageRequest& message, int result) {
    PlatformServices::messageBox().show(request.owner, message);
    return result;
}

// The message names the file the user asked about, whatever path the failure met.
int failed(const ShellRequest& request, const ShellWorkResult& work) {
    return tell(request, shellFailureMessage(request.function, request.from, work.gioError),
                GioShellFileOperation::Failed);
}

bool holdsNul(const QString& path) {
    return path.contains(QChar(0));
}

// Rename and delete act on regular files and on links only. A path ending in "/" names the
// folder (or what a link leads to), never a file, even where the name without it is a link.
bool isFileOrLink(const QString& path, const ShellFileStatus& status) {
    return !path.endsWith(QLatin1Char('/')) && (status.isLink || status.isRegular);
}

} // namespace

int GioShellFileOperation::perform(const ShellRequest& request) {
    switch (request.function) {
    case FO_COPY:
        return copyOrMove(request, false);
    case FO_MOVE:
        return copyOrMove(request, true);
    case FO_RENAME:
        return renameFile(request);
    case FO_DELETE:
        return deleteFile(request);
    default:
        return tell(request, shellUnknownOperationMessage(request.function), Failed);
    }
}

int GioShellFileOperation::copyOrMove(const ShellRequest& request, bool move) {
    const quint32 function = request.function;
    if (request.from.isEmpty() || request.to.isEmpty())
        return tell(request, shellMissingPathMessage(function), Failed);
    if (holdsNul(request.from) || holdsNul(request.to))
        return tell(request,
                    shellFailureMessage(function, request.from, G_IO_ERROR_INVALID_FILENAME),
                    Failed);

    const ShellFileStatus source = ShellFileWork::status(request.from);
    if (!source.exists)
        return failed(request, ShellWorkResult::failure(G_IO_ERROR_NOT_FOUND, request.from));
    // A copy takes the file behind a link; a move takes the link itself.
    const bool isFile = move ? (source.isLink || source.isRegular) : source.isRegular;
    if (!isFile)
        return tell(request, shellNotAFileMessage(function, request.from), Refused);

    const ShellFileStatus folder = ShellFileWork::status(request.to);
    if (folder.targetExists && !folder.isDirectory)
        return tell(request, shellNotAFolderMessage(function, request.to), Failed);
    if (!folder.isDirectory)
        return tell(request, shellMissingFolderMessage(function, request.to), Failed);

    const QString destination = shellDestinationInFolder(request.from, request.to);
    const ShellFileStatus existing = ShellFileWork::status(destination);
    bool replace = false;
    if (existing.exists) {
        if (ShellFileWork::sameFile(source, existing))
            return tell(request, shellSameFileMessage(function, request.from), Refused);
        if (existing.isDirectory && !existing.isLink)
            return tell(request, shellFolderInTheWayMessage(function, destination), Refused);
        if (ask(request, shellReplaceQuestion(function, destination)) != MessageAnswer::Yes)
            return Declined;
        replace = true;
    }

    if (move) {
        const ShellWorkResult renamed = ShellFileWork::rename(request.from, destination, replace);
        if (renamed.ok)
            return Done;
        if (renamed.gioError != G_IO_ERROR_NOT_SUPPORTED)
            return failed(request, renamed);
        // Another file system: copy, then remove the source below.
    }

    ShellCopyJob job(request.owner, shellTitle(function),
                     shellProgressText(function, request.from));
    job.setProgressHook(progressHook_);
    QString temporary;
    // What replaces a file or is the only copy left of a moved one goes to the disk first.
    const ShellWorkResult copied =
        job.run(request.from, request.to, !move, move || replace, temporary);
    if (copied.cancelled())
        return copied.leftBehind.isEmpty()
                   ? Declined
                   : tell(request, shellUnfinishedCopyLeftMessage(function, copied.leftBehind),
                          Declined);
    if (!copied.ok)
        return failed(request, copied);

    const ShellWorkResult placed = ShellFileWork::rename(temporary, destination, replace);
    if (!placed.ok) {
        ShellFileWork::removeQuietly(temporary);
        return failed(request, ShellWorkResult::failure(placed.gioError, destination));
    }

    if (move) {
        // An editor may have saved a new version under the name while it was copied (or the
        // copy landed on the source itself through a second view of its folder): only the
        // file that was copied, unchanged, may go.
        if (copied.sourceChanged ||
            !ShellFileWork::unchangedSince(source, ShellFileWork::status(request.from)))
            return tell(request, shellSourceChangedMessage(request.from), Failed);
        const ShellWorkResult removed = ShellFileWork::remove(request.from);
        if (!removed.ok)
            return tell(request, shellSourceLeftBehindMessage(request.from, removed.gioError),
                        Failed);
    }
    // The copy is kept: it holds what was there to read, and the user knows to look again.
    if (copied.sourceChanged)
        tell(request, shellChangedWhileCopiedMessage(request.from), Done);
    if (copied.permissionsNarrowed)
        return tell(request, shellPermissionsNarrowedMessage(function, destination), Done);
    return Done;
}

int GioShellFileOperation::renameFile(const ShellRequest& request) {
    if (request.from.isEmpty())
        return tell(request, shellMissingPathMessage(FO_RENAME), Failed);
    const ShellFileStatus source = ShellFileWork::status(request.from);
    if (!source.exists)
        return failed(request, ShellWorkResult::failure(G_IO_ERROR_NOT_FOUND, request.from));
    if (!isFileOrLink(request.from, source))
        return tell(request, shellNotAFileMessage(FO_RENAME, request.from), Refused);

    const RenameTargetProblem problem = renameTargetProblem(request.from, request.to);
    if (problem != RenameTargetProblem::None)
        return tell(request, shellBadNewNameMessage(problem, request.to), Refused);

    // The same entry under another spelling (a case change on a case-blind file system) is no
    // other file; anything else of that name is, a second hard link of the file included:
    // renaming onto it would do nothing at all.
    const ShellFileStatus existing = ShellFileWork::status(request.to);
    const bool sameEntry =
        existing.exists && ShellFileWork::sameEntry(source, existing) &&
        shellFileName(request.from).compare(shellFileName(request.to), Qt::CaseInsensitive) == 0 &&
        (request.from == request.to || !ShellFileWork::hasEntrySpelledAs(request.to));
    if (existing.exists && !sameEntry)
        return tell(request, shellNameTakenMessage(request.to), Refused);

    const ShellWorkResult renamed = ShellFileWork::rename(request.from, request.to, sameEntry);
    if (renamed.ok)
        return Done;
    if (renamed.gioError == G_IO_ERROR_EXISTS)
        return tell(request, shellNameTakenMessage(request.to), Refused);
    return failed(request, renamed);
}

int GioShellFileOperation::deleteFile(const ShellRequest& request) {
    if (request.from.isEmpty())
        return tell(request, shellMissingPathMessage(FO_DELETE), Failed);
    const ShellFileStatus source = ShellFileWork::status(request.from);
    if (!source.exists)
        return failed(request, ShellWorkResult::failure(G_IO_ERROR_NOT_FOUND, request.from));
    if (!isFileOrLink(request.from, source))
        return tell(request, shellNotAFileMessage(FO_DELETE, request.from), Refused);

    const bool toTrash = (request.flags & FOF_ALLOWUNDO) != 0;
    if (ask(request, shellDeleteQuestion(request.from, toTrash)) != MessageAnswer::Yes)
        return Declined;

    if (toTrash) {
        const ShellWorkResult trashed = ShellFileWork::trash(request.from);
        if (trashed.ok)
            return Done;
        if (trashed.gioError != G_IO_ERROR_NOT_SUPPORTED)
            return failed(request, trashed);
        // No trash where the file lives: removal for good only when the user says so.
        if (ask(request, shellNoTrashQuestion(request.from)) != MessageAnswer::Yes)
            return Declined;
    }
    const ShellWorkResult removed = ShellFileWork::remove(request.from);
    return removed.ok ? Done : failed(request, removed);
}

} // namespace zorvane
