#include "conversion/log_reader.h"

#include <algorithm>
#include <cstring>

namespace conversion {
namespace {

constexpr char kCtrlZ = 0x1A;

} // namespace

LogReader::LogReader(ByteSource& source, std::size_t blockSize)
    : source_(source), buffer_(std::max<std::size_t>(blockSize, 1) + kReadablePastLine) {}

bool LogReader::Fill() {
    if (exhausted_) return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    const std::size_t capacity = buffer_.size() - kReadablePastLine;
    if (end_ == capacity) buffer_.resize(2 * capacity + kReadablePastLine);
    std::size_t n = source_.Read(buffer_.data() + end_, buffer_.size() - kReadablePastLine - end_);
    if (n == 0) {
        exhausted_ = true;
        return false;
    }
    if (auto z = static_cast<char*>(std::memchr(buffer_.data() + end_, kCtrlZ, n))) {
        n = static_cast<std::size_t>(z - (buffer_.data() + end_));
        exhausted_ = true; // nothing after a Ctrl-Z is read
    }
    end_ += n;
    return n > 0;
}

bool LogReader::FillWhenEmpty() {
    while (begin_ == end_)
        if (!Fill()) return false;
    return true;
}

std::string_view LogReader::DropCarriageReturns(std::span<char> rawLine) {
    char* line = rawLine.data();
    char* cr = static_cast<char*>(std::memchr(line, '\r', rawLine.size()));
    if (cr == nullptr) return {line, rawLine.size()};
    char* out = cr;
    for (const char* in = cr + 1; in < line + rawLine.size(); ++in)
        if (*in != '\r') *out++ = *in;
    return {line, static_cast<std::size_t>(out - line)};
}

std::string_view LogReader::ReadLine() { return DropCarriageReturns(ReadRawLine()); }

std::span<char> LogReader::ReadRawLineAcrossBlocks() {
    std::size_t searched = end_;
    for (;;) {
        std::size_t consumed = begin_;
        bool more = Fill();
        searched -= consumed - begin_; // Fill moves the unconsumed bytes to the front
        if (!more) return TakeLine(end_, 0);
        auto lf = static_cast<char*>(
            std::memchr(buffer_.data() + searched, '\n', end_ - searched));
        if (lf != nullptr) return TakeLine(static_cast<std::size_t>(lf - buffer_.data()), 1);
        searched = end_;
    }
}

} // namespace conversion
