#include "conversion/line_count.h"
#include "conversion/log_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using conversion::LogReader;
using conversion::MemorySource;
using namespace std::string_literals;

namespace {

using Lines = std::vector<std::string>;

Lines ReadAll(const std::string& bytes, std::size_t chunk, std::size_t blockSize) {
    MemorySource source(bytes, chunk);
    LogReader reader(source, blockSize);
    Lines lines;
    while (!reader.AtEnd()) lines.emplace_back(reader.ReadLine());
    EXPECT_EQ(reader.ReadLine(), "") << "reading past the end gives an empty line";
    return lines;
}

struct LineCase {
    std::string bytes;
    Lines lines;
};

const LineCase kLineCases[] = {
    {"", {}},
    {"a", {"a"}},
    {"a\nb\n", {"a", "b"}},
    {"a\r\nb\r\n", {"a", "b"}},
    {"a\r\nb", {"a", "b"}},
    {"a\n\n", {"a", ""}},
    {"a\n\r", {"a", ""}},            // a single CR after the last line end is one more line
    {"\n", {""}},
    {"a\rb\rc\r\n", {"abc"}},         // a lone CR is dropped and ends nothing
    {"a\r\r\nb", {"a", "b"}},
    {"a\nb\x1A\nc\n", {"a", "b"}},   // Ctrl-Z ends the input
    {"a\n\x1A", {"a"}},
    {"\x1A" "abc", {}},
    {"a\0b\nc"s, {"a\0b"s, "c"}},
};

TEST(LogReaderTest, LineRules) {
    for (const auto& c : kLineCases) EXPECT_EQ(ReadAll(c.bytes, SIZE_MAX, 1 << 20), c.lines) << c.bytes;
}

// Block edges and a buffer that must grow for long lines change nothing.
TEST(LogReaderTest, LineRulesHoldAcrossBlockEdges) {
    for (std::size_t chunk : {1, 2, 3, 7})
        for (std::size_t block : {1, 2, 5, 64})
            for (const auto& c : kLineCases)
                EXPECT_EQ(ReadAll(c.bytes, chunk, block), c.lines)
                    << c.bytes << " chunk " << chunk << " block " << block;
}

TEST(LogReaderTest, ReadsLinesLongerThanItsBlockWhole) {
    std::string longLine(100000, 'x');
    longLine[5000] = '\r';
    Lines lines = ReadAll("h\r\n" + longLine + "\r\nt", 4096, 1024);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], std::string(99999, 'x'));
    EXPECT_EQ(lines[2], "t");
}

TEST(CountLinesTest, CountRulesOfTheOpenCommand) {
    struct {
        std::string bytes;
        std::uint64_t lines;
    } cases[] = {
        {"", 0},
        {"h\r\na\r\nb\r\nc\r\n", 4},
        {"h\r\na\r\nb\r\nc\r\n\r\n", 5},
        {"h\ra\rb\rc", 4}, // CR alone ends a line here
        {"a\n\rb", 3},     // LF then CR are two ends
        {"a", 1},
        {"\n", 1},
        {"a\nb\0c\nd\n"s, 2}, // NUL ends the text
        {"a\r\0\nb"s, 1},
    };
    for (const auto& c : cases)
        for (std::size_t chunk : {SIZE_MAX, std::size_t{1}}) {
            MemorySource source(c.bytes, chunk);
            EXPECT_EQ(conversion::CountLines(source), c.lines) << c.bytes;
        }
}

} // namespace
