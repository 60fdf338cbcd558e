#include "engine/DiscPrompt.h"

#include <string>

#include "foundation/PathText.h"

CZVString FormatDiscText(const char* format, const char* label)
{
    std::string text;
    for (const char* cursor = format; *cursor != '\0';) {
        if (cursor[0] == '%' && cursor[1] == 's') {
            text += label;
            cursor += 2;
        } else if (cursor[0] == '%' && cursor[1] == '%') {
            text += '%';
            cursor += 2;
        } else {
            // Double-byte characters are copied whole.
            int bytes = CharBytes(cursor);
            text.append(cursor, bytes);
            cursor += bytes;
        }
    }
    return CZVString(text.c_str());
}
