#pragma once

// The text rules of the log, written the plain way: one byte at a time, whole
// strings, no buffers. The fuzz targets hold the program's fast code to these.

#include "conversion/field_splitter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz_rules {

// Stops the fuzzer with a message; libFuzzer keeps the input that did it.
[[noreturn]] inline void Mismatch(const char* what) {
    std::fprintf(stderr, "MISMATCH: %s\n", what);
    std::abort();
}

inline void Expect(bool holds, const char* what) {
    if (!holds) Mismatch(what);
}

// Fields of `text`: it ends at its first NUL; white space, CR and LF are skipped
// where a field starts; outside quotes a separator, CR or LF ends the field; a
// quote byte opens a stretch up to the same byte; quotes stay; empty fields go.
// The views point into `text`.
inline std::vector<std::string_view> SplitByRules(std::string_view text,
                                                  const conversion::ByteSet& separators,
                                                  const conversion::ByteSet& whiteSpace) {
    text = text.substr(0, text.find('\0'));
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    for (;;) {
        while (i < text.size() &&
               (whiteSpace.Contains(byte(i)) || text[i] == '\r' || text[i] == '\n'))
            ++i;
        const std::size_t start = i;
        char quote = 0;
        for (; i < text.size(); ++i) {
            if (quote) {
                if (text[i] == quote) quote = 0;
            } else if (text[i] == '"' || text[i] == '\'') {
                quote = text[i];
            } else if (separators.Contains(byte(i)) || text[i] == '\r' || text[i] == '\n') {
                break;
            }
        }
        if (i > start) fields.push_back(text.substr(start, i - start));
        if (i >= text.size()) return fields;
        ++i;
    }
}

inline std::string WithoutCarriageReturns(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

// A log's lines as the reader must give them. `raw` is each line with everything
// up to its LF; `text` is the line as read: every CR dropped.
struct LogLines {
    std::vector<std::string> raw;
    std::vector<std::string> text;
};

// Input ends at the first Ctrl-Z; a line ends at LF; what is left after the last
// LF, if anything, is one more line.
inline LogLines LinesByRules(std::string_view log) {
    log = log.substr(0, log.find('\x1A'));
    LogLines lines;
    while (!log.empty()) {
        std::size_t lf = log.find('\n');
        std::string_view line = log.substr(0, lf);
        log.remove_prefix(lf == std::string_view::npos ? log.size() : lf + 1);
        lines.raw.emplace_back(line);
        lines.text.push_back(WithoutCarriageReturns(line));
    }
    return lines;
}

// The open command's line count: the text ends at its first NUL; CR, LF and CR LF
// each end one line; a last line without an end counts.
inline std::uint64_t CountLinesByRules(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\0'));
    std::uint64_t count = 0;
    bool open = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            ++count;
            open = false;
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            open = true;
        }
    }
    return count + (open ? 1 : 0);
}

} // namespace fuzz_rules
