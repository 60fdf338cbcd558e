// The program's dialogs as Unicode windows: the texts they hold are the program's Shift-JIS decoded by its own
// table, whatever the system's code page; their font has Japanese glyphs; their labels are as wide as their texts.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "foundation/ShiftJis.h"
#include "foundation/WindowCalls_win.h"
#include "resources/resource.h"
#include "ui/DialogFont_win.h"

namespace {

// What the program's dialog procedures do first.
INT_PTR CALLBACK PreparedDialog(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG)
        UseJapaneseDialogFont(dialog);
    return FALSE;
}

std::u16string HeldText(HWND control)
{
    wchar_t text[256] = L"";
    GetWindowTextW(control, text, 256);
    return reinterpret_cast<const char16_t*>(text);
}

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

std::wstring FaceOf(HWND window)
{
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font.lfFaceName;
}

bool HasJapaneseGlyphs(const std::wstring& face)
{
    LOGFONTW wanted = {};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

TEST(UnicodeDialog, HoldsTheProgramsTextsAsUtf16AndGivesThemBackByteForByte)
{
    HWND dialog
        = CreateProgramDialog(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_COPY), nullptr, PreparedDialog, 0);
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(IsWindowUnicode(dialog));
    HWND fileText = GetDlgItem(dialog, IDC_FILE_TEXT);

    // 0x5C trail bytes ("ソ" 83 5C, "表" 95 5C) beside a real backslash, and half-width katakana.
    const std::string text = "ソフト\\表示 ｷｬﾝｾﾙ";
    ASSERT_TRUE(SetProgramDlgItemText(dialog, IDC_FILE_TEXT, text.c_str()));
    const std::u16string held = u"ソフト\\表示 ｷｬﾝｾﾙ";
    EXPECT_TRUE(held == HeldText(fileText));
    EXPECT_EQ(text, ProgramWindowText(fileText));
    char cut[6];
    EXPECT_EQ(4, GetProgramWindowText(fileText, cut, sizeof(cut))) << "cut on a character boundary";
    EXPECT_STREQ("ソフ", cut);

    // A character code page 932 lacks, as the program keeps it (its escape), shows as itself and comes back as kept.
    const std::string foreign = "Jos\x81\x7F"
                                "00E9\\表";
    ASSERT_TRUE(SetProgramWindowText(fileText, foreign.c_str()));
    EXPECT_TRUE(u"Jos\u00E9\\表" == HeldText(fileText));
    EXPECT_EQ(foreign, ProgramWindowText(fileText));

    // The caption, and a shown text with a lead byte that has no trail byte: the system's mark for it.
    ASSERT_TRUE(SetProgramWindowText(dialog, "表示\x81"));
    const std::u16string marked = u"表示\u30FB";
    EXPECT_TRUE(marked == HeldText(dialog));

    // Whatever face the template names, the labels and buttons draw in one with Japanese glyphs.
    EXPECT_TRUE(HasJapaneseGlyphs(FaceOf(fileText)));
    EXPECT_TRUE(HasJapaneseGlyphs(FaceOf(GetDlgItem(dialog, IDC_COPY_CANCEL))));
    DestroyWindow(dialog);
}

TEST(UnicodeDialog, LabelsWidenToTheirTextsWithinTheDialog)
{
    HWND dialog
        = CreateProgramDialog(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETTINGS), nullptr, PreparedDialog, 0);
    ASSERT_NE(nullptr, dialog);
    HWND allUsers = GetDlgItem(dialog, IDC_ALL_USERS);
    RECT before, client;
    GetWindowRect(allUsers, &before);
    GetClientRect(dialog, &client);
    // Longer than the template's room: the box widens to the text, up to the dialog's edge.
    SetProgramWindowText(allUsers, "全てのユーザーに対してインストールする（管理者のみ）");
    FitControlsToTexts(dialog);
    RECT after;
    GetWindowRect(allUsers, &after);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&after), 2);
    EXPECT_GT(after.right - after.left, before.right - before.left);
    EXPECT_LE(after.right, client.right);
    DestroyWindow(dialog);
}

} // namespace
