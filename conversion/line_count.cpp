#include "conversion/line_count.h"

#include "platform/file/io_error.h"

#include <cstring>
#include <memory>
#include <vector>

namespace conversion {

std::uint64_t CountLines(ByteSource& source) {
    std::vector<char> block(1 << 20);
    std::uint64_t ends = 0;
    bool openLine = false;   // text has come since the last line end
    bool afterCr = false;    // the last byte was a CR, so an LF now ends nothing
    for (;;) {
        std::size_t n = source.Read(block.data(), block.size());
        if (n == 0) break;
        auto nul = static_cast<const char*>(std::memchr(block.data(), '\0', n));
        const char* end = nul ? nul : block.data() + n;
        for (const char* p = block.data(); p < end; ++p) {
            if (*p == '\n') {
                if (!afterCr) ++ends;
                afterCr = false;
                openLine = false;
            } else if (*p == '\r') {
                ++ends;
                afterCr = true;
                openLine = false;
            } else {
                afterCr = false;
                openLine = true;
            }
        }
        if (nul) break;
    }
    return ends + (openLine ? 1 : 0);
}

std::uint64_t CountLogLines(const std::string& path) {
    std::unique_ptr<FileSource> file;
    try {
        file = std::make_unique<FileSource>(path);
    } catch (const platform::IoError& e) {
        throw platform::Error("Cannot open file \"" + path + "\". " +
                              platform::SystemErrorText(e.code()));
    }
    return CountLines(*file);
}

} // namespace conversion
