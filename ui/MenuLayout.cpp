#include "ui/MenuLayout.h"

#include <cstring>

#include "foundation/SystemApi.h"

int ConvertCaptionLineBreaks(const char* caption, char* out, int outSize)
{
    int used = 0;
    int breaks = 0;
    for (const char* p = caption; *p != '\0';) {
        int take = 1;
        const char* piece = p;
        if (p[0] == '\\' && p[1] == 'n') {
            piece = "\r\n";
            take = 2;
            breaks++;
        } else if (IsDBCSLeadByte(static_cast<BYTE>(p[0])) && p[1] != '\0') {
            take = 2;
        }
        if (used + take >= outSize) {
            if (outSize > 0)
                out[0] = '\0';
            return -1;
        }
        memcpy(out + used, piece, take);
        used += take;
        p += take;
    }
    if (outSize <= 0)
        return -1;
    out[used] = '\0';
    return breaks;
}

int PlaceExtraButtons(const MENU_COLUMN& column, int32_t directxrequire, const std::vector<int>& lineBreaks,
    std::vector<EXTRA_BUTTON_PLACE>* places)
{
    places->clear();
    int top = column.launchTop + (directxrequire < 1 ? 2 : 3) * column.pitch;
    for (int breaks : lineBreaks) {
        EXTRA_BUTTON_PLACE place = {false, top, 0};
        if (breaks >= 0) {
            place.made = true;
            place.height = (breaks + 1) * column.buttonHeight;
            top += breaks * column.buttonHeight + column.pitch;
        }
        places->push_back(place);
    }
    return top;
}

const char* GameCommandLine(const INSTALL_SETTINGS& settings)
{
    return settings.executecommand[0] != '\0' ? settings.executecommand : settings.executefile;
}

void SplitProgramPath(const char* fullPath, char* folder, char* fileName)
{
    // The last backslash that is not the trail byte of a double-byte character.
    int nameStart = 0;
    for (int i = 0; fullPath[i] != '\0'; i++) {
        if (IsDBCSLeadByte(static_cast<BYTE>(fullPath[i])) && fullPath[i + 1] != '\0') {
            i++;
            continue;
        }
        if (fullPath[i] == '\\')
            nameStart = i + 1;
    }
    lstrcpynA(folder, fullPath, nameStart + 1 < kPathBytes ? nameStart + 1 : kPathBytes);
    lstrcpynA(fileName, fullPath + nameStart, kPathBytes);
}
