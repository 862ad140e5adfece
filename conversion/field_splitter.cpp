#include "conversion/field_splitter.h"

#include "platform/codepage.h"


namespace conversion {

FieldSplitter::FieldSplitter(const ByteSet& separators, const ByteSet& whiteSpace) {
    for (int b = 1; b < 256; ++b) {
        auto byte = static_cast<unsigned char>(b);
        if (whiteSpace.Contains(byte) || byte == '\r' || byte == '\n') flags_[b] |= kSkipAtStart;
        if (separators.Contains(byte) || byte == '\r' || byte == '\n' || byte == '"' ||
            byte == '\'')
            flags_[b] |= kEndsField;
        if (platform::IsAnsiLeadByte(byte)) flags_[b] |= kLead;
    }
    // NUL ends the text and is never stepped over
    flags_[0] = kEndsField;

    int separatorCount = 0, separator = -1;
    bool anyWhiteSpace = false, anyLead = false;
    for (int b = 0; b < 256; ++b) {
        auto byte = static_cast<unsigned char>(b);
        if (separators.Contains(byte)) ++separatorCount, separator = b;
        anyWhiteSpace |= whiteSpace.Contains(byte);
        anyLead |= (flags_[b] & kLead) != 0;
    }
    if (separatorCount == 1 && separator > 0 && !anyWhiteSpace && !anyLead) simpleSeparator_ = separator;
}

} // namespace conversion
