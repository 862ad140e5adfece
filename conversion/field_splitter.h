#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string_view>

namespace conversion {

// A set of byte values.
class ByteSet {
public:
    ByteSet() = default;
    ByteSet(std::initializer_list<unsigned char> bytes) {
        for (unsigned char b : bytes) Add(b);
    }
    void Add(unsigned char b) { bits_[b] = true; }
    bool Contains(unsigned char b) const { return bits_[b]; }

private:
    bool bits_[256] = {};
};

// Cuts texts into fields at separator bytes, with simple quoting:
// - a text ends at its first NUL byte;
// - white-space bytes, CR and LF are stepped over at the start of a field;
// - outside quotes a field ends at a separator, CR, LF or the end of the text;
// - a double or single quote opens a stretch that runs to the same quote (or the
//   end of the text), over separators; quotes stay part of the field;
// - empty fields are dropped.
// Bytes are stepped over by whole characters of the system's ANSI code page.
class FieldSplitter {
public:
    FieldSplitter(const ByteSet& separators, const ByteSet& whiteSpace);

    // Appends the text's fields to `list`, at most `maxFields` of them; returns
    // how many it appended. List is anything with Append(std::string_view).
    template <class List>
    std::size_t Split(std::string_view text, List& list,
                      std::size_t maxFields = std::numeric_limits<std::size_t>::max()) const;

private:
    enum : std::uint8_t { kSkipAtStart = 1, kEndsField = 2, kLead = 4 };

    const unsigned char* Step(const unsigned char* p, const unsigned char* end) const {
        if ((flags_[*p] & kLead) && p + 1 < end && p[1] != 0) return p + 2;
        return p + 1;
    }

    std::uint8_t flags_[256] = {};
};

// Appends the fields of `text` to `list` (see FieldSplitter) and returns how many;
// an empty text or no list appends nothing and returns 0. The list is not emptied
// first: new fields follow what it holds.
template <class List>
std::size_t ExtractFields(const ByteSet& separators, const ByteSet& whiteSpace,
                          std::string_view text, List* list) {
    if (list == nullptr) return 0;
    return FieldSplitter(separators, whiteSpace).Split(text, *list);
}

template <class List>
std::size_t FieldSplitter::Split(std::string_view text, List& list, std::size_t maxFields) const {
    auto p = reinterpret_cast<const unsigned char*>(text.data());
    const auto end = p + text.size();
    if (p == end || *p == 0 || maxFields == 0) return 0;

    std::size_t count = 0;
    for (;;) {
        while (p < end && (flags_[*p] & kSkipAtStart)) p = Step(p, end);
        const auto start = p;
        unsigned char quote = 0;
        for (;;) {
            if (quote) {
                while (p < end && *p != quote && *p != 0) p = Step(p, end);
            } else {
                while (p < end && !(flags_[*p] & (kEndsField | kLead))) ++p;
                if (p < end && (flags_[*p] & kLead) && !(flags_[*p] & kEndsField)) {
                    p = Step(p, end);
                    continue;
                }
            }
            if (p < end && (*p == '"' || *p == '\'')) {
                quote = quote ? 0 : *p;
                ++p;
                continue;
            }
            break;
        }
        const bool atEnd = p == end || *p == 0;
        if (p != start) {
            list.Append(std::string_view(reinterpret_cast<const char*>(start),
                                         static_cast<std::size_t>(p - start)));
            if (++count == maxFields) return count;
        }
        if (atEnd) return count;
        p = Step(p, end);
    }
}

} // namespace conversion
