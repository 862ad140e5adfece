#pragma once

#include "platform/error.h"

namespace platform {

// Windows-numbered I/O error codes on every platform.
enum IoCode : int {
    kFileNotFound = 2,
    kPathNotFound = 3,
    kTooManyOpenFiles = 4,
    kAccessDenied = 5,
    kInvalidHandle = 6,
    kNotEnoughMemory = 8,
    kWriteProtect = 19,
    kSharingViolation = 32,
    kLockViolation = 33,
    kFileExists = 80,
    kInvalidParameter = 87,
    kDiskFull = 112,
    kInvalidName = 123,
    kReadBeyondEnd = 100,
    kShortWrite = 101,
    kInvalidNumericInput = 106,
    kFilenameTooLong = 206,
    kGeneralIoError = 1117,
};

// An I/O failure: its code, and the message the runtime gives that code
// ("File not found", "I/O error 32", ...).
class IoError : public Error {
public:
    explicit IoError(int code);
    int code() const { return code_; }

    static std::string MessageFor(int code);

private:
    int code_;
};

} // namespace platform
