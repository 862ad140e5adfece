#pragma once

#include "platform/error.h"

#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Reading an entry of a list at an index not below its count.
class ListIndexError : public Error {
public:
    explicit ListIndexError(std::size_t index)
        : Error("List index out of bounds (" + std::to_string(index) + ")") {}
};

// A list that cannot take one more entry (memory exhausted).
class ListInsertError : public Error {
public:
    ListInsertError() : Error("Unable to insert a line") {}
};

// An ordered list of byte strings that owns its entries.
class StringList {
public:
    void Append(std::string_view item) {
        try {
            items_.emplace_back(item);
        } catch (const std::bad_alloc&) {
            throw ListInsertError();
        }
    }
    // Throws ListIndexError when index is not below Count().
    const std::string& Get(std::size_t index) const {
        if (index >= items_.size()) throw ListIndexError(index);
        return items_[index];
    }
    std::size_t Count() const { return items_.size(); }
    void Clear() { items_.clear(); }

private:
    std::vector<std::string> items_;
};

} // namespace platform
