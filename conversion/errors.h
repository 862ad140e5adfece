#pragma once

#include "platform/error.h"

#include <cstddef>
#include <string>

namespace conversion {

// Reading an entry of a field list at an index not below its count.
class ListIndexError : public platform::Error {
public:
    explicit ListIndexError(std::size_t index)
        : Error("List index out of bounds (" + std::to_string(index) + ")") {}
};

// A field list that cannot take one more field (memory exhausted).
class ListInsertError : public platform::Error {
public:
    ListInsertError() : Error("Unable to insert a line") {}
};

// The log's header has no column of this name.
class MissingColumnError : public platform::Error {
public:
    explicit MissingColumnError(const std::string& name)
        : Error("Brak kolumny \"" + name + "\" w nagłówku") {}
};

} // namespace conversion
