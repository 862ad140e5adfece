#pragma once

#include "platform/error.h"
#include "platform/string_list.h"

#include <string>

namespace conversion {

using platform::ListIndexError;
using platform::ListInsertError;

// The log's header has no column of this name.
class MissingColumnError : public platform::Error {
public:
    explicit MissingColumnError(const std::string& name)
        : Error("Brak kolumny \"" + name + "\" w nagłówku") {}
};

} // namespace conversion
