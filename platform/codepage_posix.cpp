#include "platform/codepage.h"

namespace platform {

// POSIX systems name files in UTF-8
bool IsAnsiLeadByte(unsigned char) { return false; }

} // namespace platform
