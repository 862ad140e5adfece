#include "platform/file/file.h"
#include "platform/file/errno_codes.h"
#include "platform/file/io_error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr std::intptr_t kClosed = -1;

bool ParentFolderExists(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return true;
    std::string parent = slash == 0 ? "/" : path.substr(0, slash);
    struct stat st;
    return ::stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

int IoCodeFromErrno(int error, const std::string& path) {
    switch (error) {
    case ENOENT: return ParentFolderExists(path) ? kFileNotFound : kPathNotFound;
    case ENOTDIR: return kPathNotFound;
    case EMFILE:
    case ENFILE: return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY: return kAccessDenied;
    case EAGAIN:
    case EDEADLK: return kSharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return kDiskFull;
    case EEXIST: return kFileExists;
    case ENAMETOOLONG: return kFilenameTooLong;
    case EINVAL: return kInvalidParameter;
    case ENOMEM: return kNotEnoughMemory;
    case EBADF: return kInvalidHandle;
    case EIO: return kGeneralIoError;
    default: return 31; // a device attached to the system is not functioning
    }
}

namespace {

int WindowsCode(int error, const std::string& path = {}) { return IoCodeFromErrno(error, path); }

[[noreturn]] void ThrowErrno(const std::string& path = {}) {
    int error = errno; // before anything else can change it
    throw IoError(WindowsCode(error, path));
}

// Windows' read-only attribute, which holds for every user: no write bit at all.
bool IsReadOnly(int fd) {
    struct stat st;
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
           (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool IsDirectory(int fd) {
    struct stat st;
    return ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

// Takes the share lock over the whole file for this open, or fails with the
// sharing violation another open's lock gives.
void Lock(int fd, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_SETLK, &lock) == -1) {
        int error = errno;
        ::close(fd);
        throw IoError(error == EAGAIN || error == EACCES ? kSharingViolation
                                                         : WindowsCode(error));
    }
}

[[noreturn]] void CloseAndThrow(int fd, int code) {
    ::close(fd);
    throw IoError(code);
}

int OpenForWriting(const std::string& path, int flags) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | flags, 0666);
    if (fd == -1) ThrowErrno(path);
    if (IsDirectory(fd) || IsReadOnly(fd)) CloseAndThrow(fd, kAccessDenied);
    Lock(fd, F_WRLCK);
    return fd;
}

} // namespace

InputFile::InputFile(const std::string& path) : handle_(kClosed) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd == -1) ThrowErrno(path);
    if (IsDirectory(fd)) CloseAndThrow(fd, kAccessDenied);
    Lock(fd, F_RDLCK);
    handle_ = fd;
}

InputFile::InputFile(InputFile&& other) noexcept : handle_(other.handle_) {
    other.handle_ = kClosed;
}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.handle_;
        other.handle_ = kClosed;
    }
    return *this;
}

InputFile::~InputFile() { Close(); }

std::size_t InputFile::Read(char* buffer, std::size_t size) {
    for (;;) {
        ssize_t n = ::read(static_cast<int>(handle_), buffer, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) ThrowErrno();
    }
}

void InputFile::Close() noexcept {
    if (handle_ != kClosed) ::close(static_cast<int>(handle_));
    handle_ = kClosed;
}

OutputFile::OutputFile(const std::string& path, Mode mode) : handle_(kClosed) {
    int fd = OpenForWriting(path, O_CREAT | (mode == Mode::CreateNew ? O_EXCL : 0));
    // truncated only now that the lock shows nobody else has it open
    if (mode == Mode::CreateOrReplace && ::ftruncate(fd, 0) == -1) {
        int error = errno;
        CloseAndThrow(fd, WindowsCode(error));
    }
    handle_ = fd;
}

OutputFile::OutputFile(OutputFile&& other) noexcept : handle_(other.handle_) {
    other.handle_ = kClosed;
}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        if (handle_ != kClosed) ::close(static_cast<int>(handle_));
        handle_ = other.handle_;
        other.handle_ = kClosed;
    }
    return *this;
}

OutputFile::~OutputFile() {
    if (handle_ != kClosed) ::close(static_cast<int>(handle_));
}

void OutputFile::Write(const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(static_cast<int>(handle_), data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowErrno();
        }
        if (n == 0) throw IoError(kDiskFull);
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void OutputFile::Close() {
    if (handle_ == kClosed) return;
    int fd = static_cast<int>(handle_);
    handle_ = kClosed;
    if (::close(fd) == -1 && errno != EINTR) ThrowErrno();
}

void CheckWritable(const std::string& path) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd == -1) {
        if (errno == ENOENT) return;
        ThrowErrno(path);
    }
    if (IsDirectory(fd) || IsReadOnly(fd)) CloseAndThrow(fd, kAccessDenied);
    Lock(fd, F_WRLCK);
    ::close(fd);
}

void MoveReplacing(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) == -1) ThrowErrno(to);
}

void RemoveQuietly(const std::string& path) noexcept { ::unlink(path.c_str()); }

std::string SystemErrorText(int code) {
    int error;
    switch (code) {
    case kFileNotFound:
    case kPathNotFound: error = ENOENT; break;
    case kTooManyOpenFiles: error = EMFILE; break;
    case kAccessDenied: error = EACCES; break;
    case kSharingViolation: return "The file is in use by another program";
    case kDiskFull: error = ENOSPC; break;
    case kFilenameTooLong: error = ENAMETOOLONG; break;
    case kNotEnoughMemory: error = ENOMEM; break;
    default: error = EIO; break;
    }
    return std::strerror(error);
}

unsigned long CurrentProcessId() { return static_cast<unsigned long>(::getpid()); }

} // namespace platform
