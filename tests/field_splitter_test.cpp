#include "conversion/field_list.h"
#include "conversion/field_splitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using conversion::ByteSet;
using conversion::ExtractFields;
using conversion::FieldList;
using namespace std::string_literals;

namespace {

struct Collect {
    std::vector<std::string> fields;
    void Append(std::string_view field) { fields.emplace_back(field); }
};

std::vector<std::string> Split(const std::string& text, const ByteSet& separators = {';'},
                               const ByteSet& whiteSpace = {}) {
    Collect list;
    std::size_t count = ExtractFields(separators, whiteSpace, text, &list);
    EXPECT_EQ(count, list.fields.size()) << text;
    return list.fields;
}

using Fields = std::vector<std::string>;

TEST(ExtractFieldsTest, SemicolonSeparatedTexts) {
    struct Case {
        std::string text;
        Fields fields;
    } cases[] = {
        {"", {}},
        {";;;", {}},
        {"a;;b", {"a", "b"}},
        {";a", {"a"}},
        {"a;", {"a"}},
        {"'5';x", {"'5'", "x"}},
        {"\"5\";x", {"\"5\"", "x"}},
        {"'a;b';c", {"'a;b'", "c"}},
        {"'a\"b;c';d", {"'a\"b;c'", "d"}},   // the other quote is an ordinary byte
        {"'a;b;c", {"'a;b;c"}},              // an open quote runs to the end
        {"a'b;c;d'e;f", {"a'b;c;d'e", "f"}}, // a quote opens a stretch anywhere
        {"'';x", {"''", "x"}},
        {"a; b", {"a", " b"}},               // no white space: blanks stay
        {"a\rb;c", {"a", "b", "c"}},         // CR ends a field outside quotes
        {"\r\na;b\n", {"a", "b"}},
        {"'a\rb';c", {"'a\rb'", "c"}},       // but not inside them
        {"a;b\0c;d"s, {"a", "b"}}, // NUL ends the text
        {"\0a"s, {}},
        {"'a\0b';c"s, {"'a"}},
        {"12:00:01;52.1;21.0;120", {"12:00:01", "52.1", "21.0", "120"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Split(c.text), c.fields) << c.text;
}

TEST(ExtractFieldsTest, PathsAtBackslash) {
    EXPECT_EQ(Split("C:\\logs\\LOG00012.CSV", {'\\'}), (Fields{"C:", "logs", "LOG00012.CSV"}));
    // the apostrophe opens a quoted stretch that runs to the end of the text
    EXPECT_EQ(Split("C:\\Logs\\pilot's flights\\log1.csv", {'\\'}),
              (Fields{"C:", "Logs", "pilot's flights\\log1.csv"}));
}

TEST(ExtractFieldsTest, WhiteSpaceIsSkippedOnlyAtFieldStart) {
    EXPECT_EQ(Split("  a b ; c", {';'}, {' '}), (Fields{"a b ", "c"}));
}

TEST(ExtractFieldsTest, AppendsAfterWhatTheListHolds) {
    FieldList list;
    list.Append("earlier");
    EXPECT_EQ(ExtractFields({';'}, {}, "a;b", &list), 2u);
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_EQ(list.Get(0), "earlier");
    EXPECT_EQ(list.Get(2), "b");
    EXPECT_EQ(ExtractFields<FieldList>({';'}, {}, "a;b", nullptr), 0u);
}

TEST(ExtractFieldsTest, ListRefusesIndexPastItsEnd) {
    FieldList list;
    ExtractFields({';'}, {}, "a;b", &list);
    try {
        list.Get(2);
        FAIL() << "no error";
    } catch (const platform::Error& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (2)");
    }
}

TEST(FieldSplitterTest, StopsAfterTheFieldsAskedFor) {
    Collect list;
    conversion::FieldSplitter splitter({';'}, {});
    EXPECT_EQ(splitter.Split("a;;b;'c;d';e", list, 3), 3u);
    EXPECT_EQ(list.fields, (Fields{"a", "b", "'c;d'"}));
}

} // namespace
