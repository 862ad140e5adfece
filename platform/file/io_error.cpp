#include "platform/file/io_error.h"

namespace platform {

std::string IoError::MessageFor(int code) {
    switch (code) {
    case kFileNotFound: return "File not found";
    // the runtime words a missing folder as a bad name
    case kPathNotFound: return "Invalid filename";
    case kTooManyOpenFiles: return "Too many open files";
    case kAccessDenied: return "File access denied";
    case kReadBeyondEnd: return "Read beyond end of file";
    case kShortWrite: return "Disk full";
    case kInvalidNumericInput: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(code);
    }
}

IoError::IoError(int code) : Error(MessageFor(code)), code_(code) {}

} // namespace platform
