// The resources the program carries: each dialog template as written (header and controls), each dialog created
// hidden from it, the icons and the version resource.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "Version.h"
#include "resources/resource.h"
#include "tests/frame/DialogTemplate.h"

namespace {

struct ExpectedControl {
    int id;
    const char* className;
    const char* text;
    DWORD style; // every bit that must be set
    DWORD typeMask; // the bits of style that must match exactly (the button type, for example)
    bool visible;
    RECT units; // x, y, x + cx, y + cy
};

RECT Units(int x, int y, int cx, int cy)
{
    return {x, y, x + cx, y + cy};
}

const DWORD kButtonType = BS_TYPEMASK;
const DWORD kNoMask = 0;

void ExpectControls(int dialogId, const DialogTemplate& dialog, const ExpectedControl* expected, size_t count)
{
    ASSERT_EQ(count, dialog.items.size()) << "dialog " << dialogId;
    for (size_t i = 0; i < count; i++) {
        const DialogItem& item = dialog.items[i];
        const ExpectedControl& want = expected[i];
        SCOPED_TRACE(testing::Message() << "dialog " << dialogId << ", control " << want.id);
        EXPECT_EQ(want.id, item.id);
        EXPECT_EQ(0, lstrcmpiA(want.className, item.className.c_str())) << item.className;
        EXPECT_EQ(std::string(want.text), item.text);
        EXPECT_EQ(want.style, item.style & want.style);
        EXPECT_EQ(want.style & want.typeMask, item.style & want.typeMask);
        EXPECT_EQ(want.visible, (item.style & WS_VISIBLE) != 0);
        EXPECT_EQ(want.units.left, item.units.left);
        EXPECT_EQ(want.units.top, item.units.top);
        EXPECT_EQ(want.units.right, item.units.right);
        EXPECT_EQ(want.units.bottom, item.units.bottom);
    }
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE; // also for WM_INITDIALOG: no focus, so the default button stays as written
}

// Creates the dialog hidden and compares every control's window with the table: the system built what the
// template says, with the texts in the right code page.
void ExpectCreatedDialog(int dialogId, HWND parent, const ExpectedControl* expected, size_t count)
{
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialogId), parent, QuietDialogProc, 0);
    ASSERT_NE(nullptr, dialog) << "dialog " << dialogId << " could not be created";
    EXPECT_FALSE(IsWindowVisible(dialog));
    for (size_t i = 0; i < count; i++) {
        const ExpectedControl& want = expected[i];
        if (want.id == -1)
            continue;
        SCOPED_TRACE(testing::Message() << "dialog " << dialogId << ", control " << want.id);
        HWND control = GetDlgItem(dialog, want.id);
        ASSERT_NE(nullptr, control);
        char text[256] = "";
        GetWindowTextA(control, text, sizeof(text));
        EXPECT_EQ(std::string(want.text), text);
        EXPECT_EQ(want.visible, (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0);
        // The dialog manager converts position and size separately.
        RECT position = {want.units.left, want.units.top, 0, 0};
        RECT size = {0, 0, want.units.right - want.units.left, want.units.bottom - want.units.top};
        MapDialogRect(dialog, &position);
        MapDialogRect(dialog, &size);
        RECT placed;
        GetWindowRect(control, &placed);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
        EXPECT_EQ(position.left, placed.left);
        EXPECT_EQ(position.top, placed.top);
        EXPECT_EQ(size.right, placed.right - placed.left);
        EXPECT_EQ(size.bottom, placed.bottom - placed.top);
    }
    DestroyWindow(dialog);
}

const ExpectedControl kSubFormControls[] = {
    {IDC_LAUNCH, "Button", "ゲーム起動", WS_CHILD | BS_PUSHBUTTON, kButtonType, true, Units(10, 7, 50, 14)},
    {IDC_INSTALL, "Button", "インストール", WS_CHILD | BS_PUSHBUTTON, kButtonType, true, Units(10, 31, 50, 14)},
    {IDC_DIRECTX, "Button", "DirectX", WS_CHILD | BS_PUSHBUTTON, kButtonType, true, Units(10, 55, 50, 14)},
    {IDC_QUIT, "Button", "終了", WS_CHILD | BS_PUSHBUTTON, kButtonType, true, Units(10, 79, 50, 14)},
    {IDC_UNINSTALL, "Button", "アンインストール", WS_CHILD | BS_PUSHBUTTON, kButtonType, false, Units(10, 31, 50, 14)},
};

const ExpectedControl kSettingsControls[] = {
    {IDOK, "Button", "次へ", BS_DEFPUSHBUTTON, kButtonType, true, Units(107, 202, 50, 14)},
    {IDCANCEL, "Button", "ｷｬﾝｾﾙ", BS_PUSHBUTTON, kButtonType, true, Units(162, 202, 50, 14)},
    {-1, "Static", "インストール先", SS_LEFT, SS_TYPEMASK, true, Units(7, 25, 44, 8)},
    {IDC_INSTALL_DIR, "Edit", "", WS_BORDER | ES_READONLY | ES_AUTOHSCROLL, kNoMask, true, Units(59, 23, 99, 14)},
    {IDC_BROWSE, "Button", "参照", BS_PUSHBUTTON, kButtonType, true, Units(163, 23, 50, 14)},
    {IDC_TYPE_GROUP, "Button", "インストールタイプ", BS_GROUPBOX, kButtonType, true, Units(7, 50, 217, 91)},
    {5000, "Button", "", BS_AUTORADIOBUTTON | WS_GROUP, kButtonType, true, Units(19, 63, 91, 8)},
    {5001, "Button", "", BS_AUTORADIOBUTTON, kButtonType | WS_GROUP, true, Units(19, 78, 91, 8)},
    {5002, "Button", "", BS_AUTORADIOBUTTON, kButtonType | WS_GROUP, true, Units(19, 93, 91, 8)},
    {5003, "Button", "", BS_AUTORADIOBUTTON, kButtonType | WS_GROUP, true, Units(19, 108, 91, 8)},
    {5004, "Button", "", BS_AUTORADIOBUTTON, kButtonType | WS_GROUP, true, Units(19, 123, 91, 8)},
    {5005, "Button", "", BS_AUTORADIOBUTTON, kButtonType | WS_GROUP, true, Units(114, 63, 91, 8)},
    {5006, "Button", "", BS_AUTORADIOBUTTON, kButtonType | WS_GROUP, true, Units(114, 78, 91, 8)},
    {5007, "Button", "", BS_AUTORADIOBUTTON, kButtonType | WS_GROUP, true, Units(114, 93, 91, 8)},
    {5008, "Button", "", BS_AUTORADIOBUTTON, kButtonType | WS_GROUP, true, Units(114, 108, 91, 8)},
    {5009, "Button", "", BS_AUTORADIOBUTTON, kButtonType | WS_GROUP, true, Units(114, 123, 91, 8)},
    {IDC_DESKTOP_SHORTCUT, "Button", "デスクトップにショートカットを作成する", BS_AUTOCHECKBOX | WS_GROUP, kButtonType,
        true, Units(34, 151, 172, 10)},
    {IDC_STARTMENU_SHORTCUT, "Button", "スタートメニューにショートカットを作成する", BS_AUTOCHECKBOX, kButtonType, true,
        Units(34, 168, 179, 10)},
    {IDC_ALL_USERS, "Button", "全てのユーザーに対してインストール", BS_AUTOCHECKBOX, kButtonType, false,
        Units(34, 185, 124, 10)},
};

const ExpectedControl kCopyControls[] = {
    {IDC_FILE_TEXT, "Static", "", SS_LEFT | SS_NOPREFIX, SS_TYPEMASK, true, Units(7, 7, 173, 8)},
    {IDC_FILE_PROGRESS, PROGRESS_CLASSA, "", WS_CHILD, kNoMask, true, Units(7, 19, 173, 12)},
    {IDC_DISC_TEXT, "Static", "", SS_LEFT | SS_NOPREFIX, SS_TYPEMASK, true, Units(7, 38, 173, 8)},
    {IDC_DISC_PROGRESS, PROGRESS_CLASSA, "", WS_CHILD, kNoMask, true, Units(7, 50, 173, 12)},
    {IDC_COPY_CANCEL, "Button", "キャンセル", BS_PUSHBUTTON, kButtonType, true, Units(68, 78, 50, 14)},
};

class ResourceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
    }
};

} // namespace

TEST_F(ResourceTest, SubFormTemplate)
{
    DialogTemplate dialog;
    ASSERT_TRUE(ReadDialogTemplate(GetModuleHandleA(nullptr), IDD_SUBFORM, &dialog));
    EXPECT_TRUE(dialog.extended);
    EXPECT_EQ(static_cast<DWORD>(WS_CHILD | DS_SETFONT), dialog.style);
    EXPECT_EQ(static_cast<DWORD>(WS_EX_STATICEDGE), dialog.exStyle);
    EXPECT_EQ(75, dialog.width);
    EXPECT_EQ(454, dialog.height);
    EXPECT_EQ("", dialog.title);
    EXPECT_EQ(9, dialog.fontPoints);
    EXPECT_EQ("ＭＳ Ｐゴシック", dialog.fontFace);
    ExpectControls(IDD_SUBFORM, dialog, kSubFormControls, std::size(kSubFormControls));

    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 600, nullptr, nullptr, nullptr, nullptr);
    ExpectCreatedDialog(IDD_SUBFORM, parent, kSubFormControls, std::size(kSubFormControls));
    DestroyWindow(parent);
}

TEST_F(ResourceTest, SettingsTemplate)
{
    DialogTemplate dialog;
    ASSERT_TRUE(ReadDialogTemplate(GetModuleHandleA(nullptr), IDD_SETTINGS, &dialog));
    EXPECT_FALSE(dialog.extended);
    EXPECT_EQ(0x80C808C0u, dialog.style);
    EXPECT_EQ(231, dialog.width);
    EXPECT_EQ(223, dialog.height);
    EXPECT_EQ("セットアップの設定", dialog.title);
    EXPECT_EQ(9, dialog.fontPoints);
    EXPECT_EQ("ＭＳ Ｐゴシック", dialog.fontFace);
    ExpectControls(IDD_SETTINGS, dialog, kSettingsControls, std::size(kSettingsControls));
    ExpectCreatedDialog(IDD_SETTINGS, nullptr, kSettingsControls, std::size(kSettingsControls));
}

TEST_F(ResourceTest, CopyProgressTemplate)
{
    DialogTemplate dialog;
    ASSERT_TRUE(ReadDialogTemplate(GetModuleHandleA(nullptr), IDD_COPY, &dialog));
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | DS_CENTER | DS_MODALFRAME | DS_SETFONT),
        dialog.style & ~static_cast<DWORD>(WS_VISIBLE));
    EXPECT_EQ(0u, dialog.style & WS_SYSMENU) << "no system menu: the copy is only cancelled by its button";
    EXPECT_EQ(187, dialog.width);
    EXPECT_EQ(103, dialog.height);
    EXPECT_EQ("コピー中...", dialog.title);
    EXPECT_EQ(10, dialog.fontPoints);
    EXPECT_EQ("MS UI Gothic", dialog.fontFace);
    ExpectControls(IDD_COPY, dialog, kCopyControls, std::size(kCopyControls));
    ExpectCreatedDialog(IDD_COPY, nullptr, kCopyControls, std::size(kCopyControls));
}

TEST_F(ResourceTest, IconGroupsCarrySeveralSizes)
{
    for (int id : {IDI_MAIN, IDI_SECOND}) {
        SCOPED_TRACE(testing::Message() << "icon group " << id);
        HRSRC group = FindResourceA(nullptr, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_GROUP_ICON));
        ASSERT_NE(nullptr, group);
        // The group directory: reserved, type, count, then one entry per image.
        const WORD* directory = static_cast<const WORD*>(LockResource(LoadResource(nullptr, group)));
        EXPECT_GE(directory[2], 3) << "16, 32 and 48 pixels";
        for (int size : {16, 32, 48}) {
            HICON icon = static_cast<HICON>(
                LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
            EXPECT_NE(nullptr, icon) << size;
            if (icon)
                DestroyIcon(icon);
        }
    }
    EXPECT_NE(nullptr, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN)));
}

TEST_F(ResourceTest, VersionResourceNamesTheInstaller)
{
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(VS_VERSION_INFO), reinterpret_cast<LPCSTR>(RT_VERSION));
    ASSERT_NE(nullptr, found);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    // The fixed part follows the key "VS_VERSION_INFO" in the block; find it by its signature.
    const VS_FIXEDFILEINFO* fixed = nullptr;
    for (DWORD offset = 0; offset + sizeof(VS_FIXEDFILEINFO) <= SizeofResource(nullptr, found); offset += 4) {
        const VS_FIXEDFILEINFO* candidate = reinterpret_cast<const VS_FIXEDFILEINFO*>(data + offset);
        if (candidate->dwSignature == 0xFEEF04BD) {
            fixed = candidate;
            break;
        }
    }
    ASSERT_NE(nullptr, fixed);
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(ZV_VERSION_MINOR, ZV_VERSION_MAJOR)), fixed->dwFileVersionMS)
        << ZV_VERSION_TEXT;
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(0, ZV_VERSION_PATCH)), fixed->dwFileVersionLS) << ZV_VERSION_TEXT;
    EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), fixed->dwFileOS) << "the 95 family runs it too";
    std::string block(reinterpret_cast<const char*>(data), SizeofResource(nullptr, found));
    std::string wideName;
    for (char ch : std::string("ZVSetup.exe")) {
        wideName.push_back(ch);
        wideName.push_back('\0');
    }
    EXPECT_NE(std::string::npos, block.find(wideName)) << "OriginalFilename";
}

TEST_F(ResourceTest, ManifestAsksForAdministratorAndCommonControls6)
{
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), reinterpret_cast<LPCSTR>(RT_MANIFEST));
    ASSERT_NE(nullptr, found);
    std::string manifest(
        static_cast<const char*>(LockResource(LoadResource(nullptr, found))), SizeofResource(nullptr, found));
    EXPECT_NE(std::string::npos, manifest.find("level=\"requireAdministrator\""));
    EXPECT_NE(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    // Vista, 7, 8, 8.1 and 10, so that the system reports its real version.
    for (const char* id : {"e2011457-1546-43c5-a5fe-008deee3d3f0", "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
             "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "1f676c76-80e1-4239-95bb-83d0f6d0da78",
             "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
        EXPECT_NE(std::string::npos, manifest.find(id)) << id;
}
