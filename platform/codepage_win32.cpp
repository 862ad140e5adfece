#include "platform/codepage.h"

#include <windows.h>

namespace platform {

bool IsAnsiLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != 0; }

} // namespace platform
