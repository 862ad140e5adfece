// ExtractFields and FieldSplitter against the splitting rules, on both of the
// splitter's paths: one separator and no white space goes 16 bytes at a time,
// anything else byte by byte.
//
// Input: byte 0 picks the sets (low 2 bits) and the field limit (the rest);
// bytes 1 to 3 are the separators and white space of the sets that take them;
// the text follows.

#include "conversion/field_list.h"
#include "conversion/field_splitter.h"
#include "rules.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

using conversion::ByteSet;
using fuzz_rules::Expect;

namespace {

struct Views {
    std::vector<std::string_view> fields;
    void Append(std::string_view field) { fields.push_back(field); }
};

struct Sets {
    ByteSet separators;
    ByteSet whiteSpace;
};

Sets SetsFor(const std::uint8_t* settings) {
    switch (settings[0] & 3) {
    case 0: return {{';'}, {}};  // log lines
    case 1: return {{'\\'}, {}}; // paths
    case 2: return {{settings[1]}, {}};
    default: return {{settings[1], settings[2]}, {settings[3]}};
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const Sets sets = SetsFor(data);
    const std::size_t limitCode = data[0] >> 2;
    const std::size_t maxFields =
        limitCode == 63 ? std::numeric_limits<std::size_t>::max() : limitCode;
    const std::string text(reinterpret_cast<const char*>(data) + 4, size - 4);

    const auto all = fuzz_rules::SplitByRules(text, sets.separators, sets.whiteSpace);
    const std::vector<std::string_view> expected(
        all.begin(), all.begin() + static_cast<std::ptrdiff_t>(std::min(maxFields, all.size())));

    // The splitter itself, with a limit: the same views into the same text.
    const conversion::FieldSplitter splitter(sets.separators, sets.whiteSpace);
    Views views;
    bool crSeen = false;
    const std::size_t count = splitter.Split(text, views, maxFields, &crSeen);
    Expect(count == views.fields.size(), "Split's count is not the number appended");
    Expect(views.fields.size() == expected.size(), "number of fields");
    for (std::size_t i = 0; i < expected.size(); ++i)
        Expect(views.fields[i].data() == expected[i].data() &&
                   views.fields[i].size() == expected[i].size(),
               "a field's place in the text");

    // The conversion splits a line with its CRs in place and splits again without
    // them only when told a CR may matter: when not told, both must agree.
    if (!crSeen) {
        const std::string dropped = fuzz_rules::WithoutCarriageReturns(text);
        auto again = fuzz_rules::SplitByRules(dropped, sets.separators, sets.whiteSpace);
        again.resize(std::min(maxFields, again.size()));
        Expect(again.size() == expected.size(), "a CR that mattered went unreported");
        for (std::size_t i = 0; i < again.size(); ++i)
            Expect(again[i] == expected[i], "a CR that mattered went unreported");
    }

    // ExtractFields into an owning list appends after what the list holds.
    conversion::FieldList list;
    list.Append("earlier");
    const std::size_t appended = conversion::ExtractFields(sets.separators, sets.whiteSpace,
                                                           text, &list);
    Expect(appended == all.size() && list.Count() == all.size() + 1, "ExtractFields' count");
    Expect(list.Get(0) == "earlier", "ExtractFields changed an earlier entry");
    for (std::size_t i = 0; i < all.size(); ++i)
        Expect(list.Get(i + 1) == all[i], "ExtractFields' field");
    return 0;
}
