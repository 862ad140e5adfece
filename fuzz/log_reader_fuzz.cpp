// LogReader and CountLines against the line rules, with the bytes coming in
// chunks of every size and the reader's block as small as one byte, so that
// lines, CR LF pairs and Ctrl-Z fall across block and chunk edges.
//
// Input: byte 0 the source's chunk (0: all at once), byte 1 the reader's block
// (0: its own size), byte 2 which lines are read raw (bit i for line i mod 8);
// the log follows.

#include "conversion/byte_source.h"
#include "conversion/line_count.h"
#include "conversion/log_reader.h"
#include "rules.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

using conversion::LogReader;
using conversion::MemorySource;
using fuzz_rules::Expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const std::size_t chunk = data[0] == 0 ? SIZE_MAX : data[0];
    const std::size_t blockSize = data[1] == 0 ? LogReader::kBlockSize : data[1];
    const unsigned rawLines = data[2];
    const std::string_view log(reinterpret_cast<const char*>(data) + 3, size - 3);

    const fuzz_rules::LogLines expected = fuzz_rules::LinesByRules(log);
    {
        MemorySource source(log, chunk);
        LogReader reader(source, blockSize);
        std::size_t n = 0;
        for (; !reader.AtEnd(); ++n) {
            Expect(n < expected.text.size(), "a line beyond the log's end");
            if (rawLines >> (n % 8) & 1) {
                // the raw line: its bytes less a CR before its end, CRs inside kept
                std::span<char> raw = reader.ReadRawLine();
                const std::string rawText(raw.data(), raw.size());
                std::string_view full = expected.raw[n];
                if (!full.empty() && full.back() == '\r') full.remove_suffix(1);
                Expect(rawText == full, "raw line");
                Expect(LogReader::DropCarriageReturns(raw) == expected.text[n],
                       "raw line with its CRs dropped");
            } else {
                Expect(reader.ReadLine() == expected.text[n], "line text");
            }
        }
        Expect(n == expected.text.size(), "the log ended early");
        Expect(reader.ReadLine().empty(), "reading past the end gives an empty line");
        Expect(reader.AtEnd(), "the end does not last");
    }
    {
        MemorySource source(log, chunk);
        Expect(conversion::CountLines(source) == fuzz_rules::CountLinesByRules(log),
               "line count");
    }
    return 0;
}
