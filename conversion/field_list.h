#pragma once

#include "conversion/errors.h"

#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace conversion {

// The fields of a line, as the window's hidden list box holds them.
using FieldList = platform::StringList;

// The same list holding views into the text that was split; the conversion's hot
// path uses it so that no field is copied. Clear() keeps the capacity.
class FieldViews {
public:
    void Append(std::string_view field) {
        try {
            items_.push_back(field);
        } catch (const std::bad_alloc&) {
            throw ListInsertError();
        }
    }
    std::string_view Get(std::size_t index) const {
        if (index >= items_.size()) throw ListIndexError(index);
        return items_[index];
    }
    std::size_t Count() const { return items_.size(); }
    void Clear() { items_.clear(); }

private:
    std::vector<std::string_view> items_;
};

} // namespace conversion
