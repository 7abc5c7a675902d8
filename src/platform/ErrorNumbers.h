#pragma once

namespace zorvane {

// The program's numbers for failed file and device operations.
enum ErrorNumber : int {
    ErrNone = 0,
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
    ErrDeviceUnavailable = 68,
    ErrPermissionDenied = 70,
    ErrDiskNotReady = 71,
    ErrPathNotFound = 76,
};

// Maps an errno value of a failed system call onto the program's error number.
// `path` is the path the call was given; it tells "no such file" (53) from "no such folder on
// the way" (76) when errno is ENOENT.
int errorNumberFromErrno(int errnoValue, const char* path = nullptr);

} // namespace zorvane
