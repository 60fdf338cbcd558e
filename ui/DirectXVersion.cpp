#include "ui/DirectXVersion.h"

namespace {

const int kMaxFields = 4;
const int kMaxFieldDigits = 4;

} // namespace

int DirectXMajorFromVersionText(const char* text)
{
    if (text == nullptr)
        return kDirectXUnknown;
    int fields[kMaxFields] = {};
    int count = 0;
    const char* cursor = text;
    for (;;) {
        if (count == kMaxFields)
            return kDirectXUnknown;
        int digits = 0;
        int value = 0;
        for (; *cursor >= '0' && *cursor <= '9'; cursor++) {
            if (++digits > kMaxFieldDigits)
                return kDirectXUnknown;
            value = value * 10 + (*cursor - '0');
        }
        if (digits == 0)
            return kDirectXUnknown;
        fields[count++] = value;
        if (*cursor == '\0')
            break;
        if (*cursor++ != '.')
            return kDirectXUnknown;
    }
    return count >= 2 ? fields[1] : kDirectXUnknown;
}
