#include "ui/DialogFace.h"

const wchar_t* const kJapaneseFaces[] = {
    L"MS UI Gothic",
    L"Meiryo UI",
    L"MS PGothic",
    L"Yu Gothic UI",
    L"IPAPGothic",
    L"IPAGothic",
    L"Noto Sans CJK JP",
};
const int kJapaneseFaceCount = sizeof(kJapaneseFaces) / sizeof(kJapaneseFaces[0]);

std::wstring ChooseDialogFace(
    const std::wstring& named, const std::function<bool(const std::wstring&)>& hasJapaneseFace)
{
    if (hasJapaneseFace(named))
        return named;
    for (int i = 0; i < kJapaneseFaceCount; i++) {
        if (hasJapaneseFace(kJapaneseFaces[i]))
            return kJapaneseFaces[i];
    }
    return named;
}
