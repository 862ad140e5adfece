#pragma once

#include "platform/file/file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace conversion {

// Where a reader takes its bytes from.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to `size` bytes; returns how many, 0 only at the end.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// A file opened for reading under the share rules of platform::InputFile.
class FileSource : public ByteSource {
public:
    explicit FileSource(const std::string& path) : file_(path) {}
    std::size_t Read(char* buffer, std::size_t size) override { return file_.Read(buffer, size); }
    void Close() noexcept { file_.Close(); }

private:
    platform::InputFile file_;
};

// Bytes held in memory, handed out at most `chunk` at a time.
class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes, std::size_t chunk = SIZE_MAX)
        : bytes_(bytes), chunk_(chunk) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        std::size_t n = std::min({size, chunk_, bytes_.size()});
        std::memcpy(buffer, bytes_.data(), n);
        bytes_.remove_prefix(n);
        return n;
    }

private:
    std::string_view bytes_;
    std::size_t chunk_;
};

} // namespace conversion
