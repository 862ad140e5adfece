#include "platform/file/file.h"
#include "platform/file/io_error.h"

#include <windows.h>

namespace platform {
namespace {

const std::intptr_t kClosed = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

[[noreturn]] void ThrowLastError() {
    DWORD error = ::GetLastError(); // before anything else can change it
    throw IoError(static_cast<int>(error));
}

// Windows refuses to open a read-only file for writing (5). Wine run by root
// would not, root passing every permission check, and would truncate the file;
// asking for the attribute first makes both refuse alike.
void RefuseReadOnly(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw IoError(kAccessDenied);
}

std::intptr_t Open(const std::string& path, DWORD access, DWORD disposition, DWORD flags) {
    if (access & GENERIC_WRITE) RefuseReadOnly(path);
    HANDLE h = ::CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                             flags, nullptr);
    if (h == INVALID_HANDLE_VALUE) ThrowLastError();
    return reinterpret_cast<std::intptr_t>(h);
}

} // namespace

InputFile::InputFile(const std::string& path)
    : handle_(Open(path, GENERIC_READ, OPEN_EXISTING,
                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN)) {}

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
    DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD got = 0;
    if (!::ReadFile(AsHandle(handle_), buffer, chunk, &got, nullptr)) ThrowLastError();
    return got;
}

void InputFile::Close() noexcept {
    if (handle_ != kClosed) ::CloseHandle(AsHandle(handle_));
    handle_ = kClosed;
}

OutputFile::OutputFile(const std::string& path, Mode mode)
    : handle_(Open(path, GENERIC_WRITE, mode == Mode::CreateNew ? CREATE_NEW : CREATE_ALWAYS,
                   FILE_ATTRIBUTE_NORMAL)) {}

OutputFile::OutputFile(OutputFile&& other) noexcept : handle_(other.handle_) {
    other.handle_ = kClosed;
}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
    if (this != &other) {
        if (handle_ != kClosed) ::CloseHandle(AsHandle(handle_));
        handle_ = other.handle_;
        other.handle_ = kClosed;
    }
    return *this;
}

OutputFile::~OutputFile() {
    if (handle_ != kClosed) ::CloseHandle(AsHandle(handle_));
}

void OutputFile::Write(const char* data, std::size_t size) {
    while (size > 0) {
        DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!::WriteFile(AsHandle(handle_), data, chunk, &written, nullptr)) ThrowLastError();
        if (written == 0) throw IoError(kDiskFull);
        data += written;
        size -= written;
    }
}

void OutputFile::Close() {
    if (handle_ == kClosed) return;
    HANDLE h = AsHandle(handle_);
    handle_ = kClosed;
    if (!::CloseHandle(h)) ThrowLastError();
}

void CheckWritable(const std::string& path) {
    RefuseReadOnly(path);
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) return;
        throw IoError(static_cast<int>(error));
    }
    ::CloseHandle(h);
}

void MoveReplacing(const std::string& from, const std::string& to) {
    if (!::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) ThrowLastError();
}

void RemoveQuietly(const std::string& path) noexcept { ::DeleteFileA(path.c_str()); }

std::string SystemErrorText(int code) {
    char* text = nullptr;
    DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = length ? std::string(text, length) : "Error " + std::to_string(code);
    if (text) ::LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    return result;
}

unsigned long CurrentProcessId() { return ::GetCurrentProcessId(); }

} // namespace platform
