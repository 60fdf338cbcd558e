#include "ui/MenuLayout.h"

#include <cstring>

#include "foundation/PathText.h"

int ConvertCaptionLineBreaks(const char* caption, char* out, int outSize)
{
    int used = 0;
    int breaks = 0;
    for (const char* p = caption; *p != '\0';) {
        int take = CharBytes(p);
        const char* piece = p;
        if (p[0] == '\\' && p[1] == 'n') {
            piece = "\r\n";
            take = 2;
            breaks++;
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

bool OpenWithDefaultVerbAfterRunas(intptr_t runasResult)
{
    const intptr_t kAssociationIncomplete = 27; // SE_ERR_ASSOCINCOMPLETE
    const intptr_t kNoAssociation = 31; // SE_ERR_NOASSOC
    return runasResult == kNoAssociation || runasResult == kAssociationIncomplete;
}
