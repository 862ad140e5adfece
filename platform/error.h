#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// A failure reported to the user. what() is the message as the error box shows it,
// less the full stop the box may add.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace platform
