#pragma once

#include "conversion/byte_source.h"

#include <cstddef>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

namespace conversion {

// Reads a log as a text file, one line at a time:
// - a line ends at LF; a CR right before the LF belongs to the line end;
// - any other CR is dropped from the line's text and does not end the line;
// - a Ctrl-Z byte (0x1A) ends the input wherever it stands;
// - the last line needs no line end; lines of any length are read whole.
// Reads in large blocks; memory grows only for a line longer than a block.
class LogReader {
public:
    static constexpr std::size_t kBlockSize = 1 << 17;
    // Every line handed out can be read this many bytes past its end (what lies
    // there is unspecified), so that short values can be copied in one move.
    static constexpr std::size_t kReadablePastLine = 16;

    explicit LogReader(ByteSource& source, std::size_t blockSize = kBlockSize);

    // True when no byte is left to read or the next byte is Ctrl-Z.
    bool AtEnd() { return begin_ == end_ && !FillWhenEmpty(); }

    // The next line without its line end; empty when nothing is left. The view
    // stays valid until the next call.
    std::string_view ReadLine();

    // The same line with any CR in it left in place (only a last CR is taken off),
    // for a caller that looks for CRs only where they matter. DropCarriageReturns
    // turns it into ReadLine's text, in place.
    std::span<char> ReadRawLine() {
        // most lines end inside the bytes already read
        auto lf = static_cast<char*>(std::memchr(buffer_.data() + begin_, '\n', end_ - begin_));
        if (lf == nullptr) return ReadRawLineAcrossBlocks();
        return TakeLine(static_cast<std::size_t>(lf - buffer_.data()), 1);
    }
    static std::string_view DropCarriageReturns(std::span<char> rawLine);

private:
    // Reads more bytes after those not yet consumed; false when none came.
    bool Fill();
    // Fills an emptied buffer; false at the end of the input.
    bool FillWhenEmpty();
    std::span<char> ReadRawLineAcrossBlocks();
    // The line up to `lineEnd`, its last CR taken off; consumes `endLength` more bytes.
    std::span<char> TakeLine(std::size_t lineEnd, std::size_t endLength) {
        char* line = buffer_.data() + begin_;
        std::size_t length = lineEnd - begin_;
        if (length > 0 && line[length - 1] == '\r') --length;
        begin_ = lineEnd + endLength;
        return {line, length};
    }

    ByteSource& source_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0; // first byte not yet consumed
    std::size_t end_ = 0;   // end of the bytes read
    bool exhausted_ = false; // the source has given its last byte, or a Ctrl-Z came
};

} // namespace conversion
