#pragma once

#include "fileservice/ShellPaths.h"
#include "platform/MessageBoxService.h"

#include <QString>
#include <QtGlobal>

namespace zorvane {

// The windows' texts of the file-operation service. `function` is the request's operation
// (FO_COPY, FO_MOVE, FO_RENAME, FO_DELETE); `gioError` a GIOErrorEnum value.

QString shellTitle(quint32 function);
QString shellProgressText(quint32 function, const QString& source);
QString shellErrorReason(int gioError);

MessageRequest shellReplaceQuestion(quint32 function, const QString& destination);
MessageRequest shellDeleteQuestion(const QString& path, bool toTrash);
MessageRequest shellNoTrashQuestion(const QString& path);

MessageRequest shellFailureMessage(quint32 function, const QString& path, int gioError);
MessageRequest shellSameFileMessage(quint32 function, const QString& path);
MessageRequest shellFolderInTheWayMessage(quint32 function, const QString& destination);
MessageRequest shellNotAFileMessage(quint32 function, const QString& path);
MessageRequest shellMissingFolderMessage(quint32 function, const QString& folder);
MessageRequest shellNotAFolderMessage(quint32 function, const QString& destination);
MessageRequest shellMissingPathMessage(quint32 function);
MessageRequest shellNameTakenMessage(const QString& newFullPath);
MessageRequest shellBadNewNameMessage(RenameTargetProblem problem, const QString& newFullPath);
MessageRequest shellSourceLeftBehindMessage(const QString& source, int gioError);
MessageRequest shellUnfinishedCopyLeftMessage(quint32 function, const QString& unfinished);
MessageRequest shellSourceChangedMessage(const QString& source);
MessageRequest shellChangedWhileCopiedMessage(const QString& source);
MessageRequest shellPermissionsNarrowedMessage(quint32 function, const QString& destination);
MessageRequest shellUnknownOperationMessage(quint32 function);

} // namespace zorvane
