#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Files with Windows share rules on every platform. Paths are byte strings in the
// system's code page, passed to the system unconverted. Every failure throws
// platform::IoError with a Windows-numbered code.
//
// Share rules: a reader lets other readers in and keeps writers out; a writer lets
// readers in and keeps other writers out. So a file open for reading cannot be
// opened for writing, and a file open for writing cannot be opened for reading,
// both failing with a sharing violation (32). On Windows these are the system's
// share modes. On POSIX they hold between our own opens, in this process and in
// other running instances of the program: a reader holds a shared and a writer an
// exclusive open-file-description lock over the whole file.

namespace platform {

class InputFile {
public:
    explicit InputFile(const std::string& path);
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    ~InputFile();

    // Reads up to `size` bytes; returns how many, 0 only at the end of the file.
    std::size_t Read(char* buffer, std::size_t size);
    void Close() noexcept;

private:
    std::intptr_t handle_;
};

class OutputFile {
public:
    enum class Mode { CreateOrReplace, CreateNew };

    OutputFile(const std::string& path, Mode mode);
    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;
    // Closes without reporting: call Close() to learn whether the data reached the file.
    ~OutputFile();

    // Writes all of `size` bytes or throws.
    void Write(const char* data, std::size_t size);
    void Close();

private:
    std::intptr_t handle_;
};

// Throws the IoError that opening the existing file `path` for writing would give
// (held open by a reader or writer: 32; read-only: 5), leaving the file as it is.
// A path naming no file passes.
void CheckWritable(const std::string& path);

// Moves `from` onto `to`, replacing a file there.
void MoveReplacing(const std::string& from, const std::string& to);

// Removes `path`; failures are ignored (used while giving up after another error).
void RemoveQuietly(const std::string& path) noexcept;

// The system's own wording of an error code, as used in "Cannot open file" messages.
std::string SystemErrorText(int code);

// Identifies this process in names of temporary files.
unsigned long CurrentProcessId();

} // namespace platform
