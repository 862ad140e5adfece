#pragma once

#include "conversion/errors.h"

#include <cassert>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace conversion {

// The fields of a line, as the window's hidden list box holds them.
using FieldList = platform::StringList;

// The first fields of a line as views into its text, for the conversion's hot
// path: no field is copied and nothing is allocated per line. It holds at most
// `capacity` fields, so it is filled by a split limited to that many.
class FieldViews {
public:
    explicit FieldViews(std::size_t capacity)
        : items_(std::make_unique<std::string_view[]>(capacity)), capacity_(capacity) {}
    void Append(std::string_view field) {
        assert(count_ < capacity_);
        items_[count_++] = field;
    }
    std::string_view Get(std::size_t index) const {
        if (index >= count_) throw ListIndexError(index);
        return items_[index];
    }
    std::size_t Count() const { return count_; }
    void Clear() { count_ = 0; }

private:
    std::unique_ptr<std::string_view[]> items_;
    std::size_t capacity_;
    std::size_t count_ = 0;
};

} // namespace conversion
