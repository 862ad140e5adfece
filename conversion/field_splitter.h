#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    // `crSeen`, when given, is set when a CR may lie in the part of the text looked at.
    template <class List>
    std::size_t Split(std::string_view text, List& list,
                      std::size_t maxFields = std::numeric_limits<std::size_t>::max(),
                      bool* crSeen = nullptr) const;

private:
    enum : std::uint8_t { kSkipAtStart = 1, kEndsField = 2, kLead = 4 };

    using Byte = unsigned char;

    // The general case, from a field's start (where no quote is ever open).
    template <class List>
    std::size_t SplitFrom(const Byte* p, const Byte* end, List& list, std::size_t maxFields,
                          std::size_t count) const;
    // One separator byte, no white space, no two-byte characters: the conversion's
    // case, searched 16 bytes at a time. Hands a field with a quote to SplitFrom.
    template <class List>
    std::size_t SplitSimple(const Byte* p, const Byte* end, List& list, std::size_t maxFields,
                            bool& crSeen) const;

    const unsigned char* Step(const unsigned char* p, const unsigned char* end) const {
        if ((flags_[*p] & kLead) && p + 1 < end && p[1] != 0) return p + 2;
        return p + 1;
    }

    std::uint8_t flags_[256] = {};
    int simpleSeparator_ = -1; // the one separator byte, where SplitSimple applies
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
std::size_t FieldSplitter::Split(std::string_view text, List& list, std::size_t maxFields,
                                 bool* crSeen) const {
    auto p = reinterpret_cast<const Byte*>(text.data());
    const auto end = p + text.size();
    if (p == end || *p == 0 || maxFields == 0) return 0;
    bool ignored = false; // SplitSimple ORs into it
    if (simpleSeparator_ >= 0) return SplitSimple(p, end, list, maxFields, crSeen ? *crSeen : ignored);
    if (crSeen) *crSeen = true;
    return SplitFrom(p, end, list, maxFields, 0);
}

template <class List>
std::size_t FieldSplitter::SplitFrom(const Byte* p, const Byte* end, List& list,
                                     std::size_t maxFields, std::size_t count) const {
    for (;;) {
        while (p < end && (flags_[*p] & kSkipAtStart)) p = Step(p, end);
        const auto start = p;
        Byte quote = 0;
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

template <class List>
std::size_t FieldSplitter::SplitSimple(const Byte* p, const Byte* end, List& list,
                                       std::size_t maxFields, bool& crSeen) const {
    // Every byte that can end a field or open a quote is a stop. A CR or LF at a
    // field's start ends an empty field, which is dropped: the same as skipping it.
    const Byte separator = static_cast<Byte>(simpleSeparator_);
    std::size_t count = 0;
    const Byte* fieldStart = p;
    enum Next { kGoOn, kDone, kQuote };
    // Ends the field at the stop `at`.
    auto stop = [&](const Byte* at) {
        const Byte b = at < end ? *at : 0;
        if (b == '"' || b == '\'') return kQuote;
        // noted before the limit can end the splitting: dropped, a CR that ends the
        // last field wanted joins that field to what follows
        crSeen |= b == '\r';
        if (at != fieldStart) {
            list.Append(std::string_view(reinterpret_cast<const char*>(fieldStart),
                                         static_cast<std::size_t>(at - fieldStart)));
            if (++count == maxFields) return kDone;
        }
        if (b == 0) return kDone;
        fieldStart = at + 1;
        return kGoOn;
    };
    // a quote opens a stretch the general path follows, from its field's start
    auto finish = [&](Next next) {
        if (next == kQuote) {
            crSeen = true; // the quoted stretch is not searched here
            count = SplitFrom(fieldStart, end, list, maxFields, count);
        }
        return count;
    };
#if defined(__SSE2__)
    const __m128i separators = _mm_set1_epi8(static_cast<char>(separator));
    const __m128i crs = _mm_set1_epi8('\r');
    const __m128i lfs = _mm_set1_epi8('\n');
    const __m128i doubleQuotes = _mm_set1_epi8('"');
    const __m128i singleQuotes = _mm_set1_epi8('\'');
    // 16 bytes' stops other than the separator, and the separators, as bit masks
    auto others = [&](__m128i block) -> std::uint64_t {
        return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(block, _mm_setzero_si128()), _mm_cmpeq_epi8(block, crs)),
            _mm_or_si128(_mm_cmpeq_epi8(block, lfs),
                         _mm_or_si128(_mm_cmpeq_epi8(block, doubleQuotes),
                                      _mm_cmpeq_epi8(block, singleQuotes))))));
    };
    auto separatorsIn = [&](__m128i block) -> std::uint64_t {
        return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, separators)));
    };
    auto load = [](const Byte* at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    };
    // A cheap superset of the other stops: every byte up to CR, and the bytes
    // 0x22, 0x23, 0x26 and 0x27 that the quotes share once 0x05 is set in them.
    const __m128i lastControl = _mm_set1_epi8('\r');
    const __m128i quoteBits = _mm_set1_epi8(0x05);
    const __m128i quotesWithBits = _mm_set1_epi8('\'');
    auto mayBeOthers = [&](__m128i block) -> std::uint64_t {
        return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_or_si128(
            _mm_cmpeq_epi8(_mm_min_epu8(block, lastControl), block),
            _mm_cmpeq_epi8(_mm_or_si128(block, quoteBits), quotesWithBits))));
    };
    auto isStop = [separator](Byte b) {
        return b == separator || b == 0 || b == '\r' || b == '\n' || b == '"' || b == '\'';
    };
    // 64 bytes at a time; a separator, by far the most common stop, is handled here
    for (; end - p >= 64; p += 64) {
        const __m128i b0 = load(p), b1 = load(p + 16), b2 = load(p + 32), b3 = load(p + 48);
        const std::uint64_t other = mayBeOthers(b0) | mayBeOthers(b1) << 16 |
                                    mayBeOthers(b2) << 32 | mayBeOthers(b3) << 48;
        std::uint64_t mask = other | separatorsIn(b0) | separatorsIn(b1) << 16 |
                             separatorsIn(b2) << 32 | separatorsIn(b3) << 48;
        for (; mask != 0; mask &= mask - 1) {
            const int at = __builtin_ctzll(mask);
            if ((other >> at) & 1) {
                if (!isStop(p[at])) continue;
                if (Next next = stop(p + at); next != kGoOn) return finish(next);
                continue;
            }
            if (p + at != fieldStart) {
                list.Append(std::string_view(reinterpret_cast<const char*>(fieldStart),
                                             static_cast<std::size_t>(p + at - fieldStart)));
                if (++count == maxFields) return count;
            }
            fieldStart = p + at + 1;
        }
    }
    for (; end - p >= 16; p += 16) {
        const __m128i block = load(p);
        for (std::uint64_t mask = others(block) | separatorsIn(block); mask != 0; mask &= mask - 1)
            if (Next next = stop(p + __builtin_ctzll(mask)); next != kGoOn) return finish(next);
    }
#endif
    for (; p < end; ++p) {
        const Byte b = *p;
        if (b == separator || b == 0 || b == '\r' || b == '\n' || b == '"' || b == '\'')
            if (Next next = stop(p); next != kGoOn) return finish(next);
    }
    return finish(stop(end));
}

} // namespace conversion
