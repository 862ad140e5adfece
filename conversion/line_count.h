#pragma once

#include "conversion/byte_source.h"

#include <cstdint>
#include <string>

namespace conversion {

// Counts text lines as the open command sizes its progress range: a line ends at
// CR, at LF, or at CR LF (one end); a last line without an end counts; a NUL byte
// ends the text. Streams, so a log of any size can be counted.
std::uint64_t CountLines(ByteSource& source);

// CountLines over a file; a file that cannot be opened throws
// "Cannot open file "<path>". <the system's text>".
std::uint64_t CountLogLines(const std::string& path);

} // namespace conversion
