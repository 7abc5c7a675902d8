#pragma once

namespace zorvane {

// The program's numbers for failed file and device operations.
enum ErrorNumber : int {
    ErrNone = 0,
    ErrOutOfMemory = 7,
    ErrBadFileNameOrNumber = 52,
    ErrFileNotFound = 53,
    ErrBadFileMode = 54,
    ErrFileAlreadyOpen = 55,
    ErrDeviceIO = 57,
    ErrFileAlreadyExists = 58,
    ErrBadRecordLength = 59,
    ErrDiskFull = 61,
    ErrInputPastEnd = 62,
    ErrBadFileName = 64,
    ErrTooManyFiles = 67,
    ErrDeviceUnavailable = 68,
    ErrPermissionDenied = 70,
    ErrDiskNotReady = 71,
    ErrPathFileAccess = 75,
    ErrPathNotFound = 76,
};

// Maps an errno value of a failed system call onto the program's error number.
// `path` is the path the call was given (in the file system's encoding); it tells "no such
// file" (53) from "no such folder on the way" (76) when errno is ENOENT.
//
//   0                                        -> 0
//   ENOENT                                   -> 53 when the folder that should hold the last
//                                               name exists (or no path is given), 76 when a
//                                               folder on the way is missing; an empty path 52
//   ENOTDIR, ELOOP                           -> 76
//   ENAMETOOLONG                             -> 64
//   EINVAL, EILSEQ, EBADF                    -> 52
//   EBUSY, ETXTBSY, EAGAIN                   -> 55
//   EIO, EINTR                               -> 57
//   EEXIST, ENOTEMPTY                        -> 58
//   ENOSPC, EDQUOT                           -> 61
//   ENXIO, ENODEV, ESTALE, ENOTCONN,
//   EHOSTDOWN, EHOSTUNREACH, ENETDOWN,
//   ENETUNREACH                              -> 68
//   ENOMEDIUM                                -> 71
//   EISDIR                                   -> 54
//   EACCES, EPERM, EROFS                     -> 70 (no message)
//   EMFILE, ENFILE                           -> 67 (no message)
//   ENOMEM                                   -> 7 (no message)
//   anything else                            -> 75 (no message)
int errorNumberFromErrno(int errnoValue, const char* path = nullptr);

} // namespace zorvane
