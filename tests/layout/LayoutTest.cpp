// The layout rules on made-up files, then the real tree, which breaks none of them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/layout/LayoutRules.h"

namespace {

using Lines = std::vector<std::string>;

struct FILE_ROW {
    const char* proves;
    const char* path;
    const char* text;
    Lines expected;
};

const FILE_ROW kFileRows[] = {
    {"the install including the menu window", "engine/Install.cpp", "#include \"ui/MainWnd.h\"\n",
        {"include engine/Install.cpp ui/MainWnd.h"}},
    {"the bottom floor including the top", "foundation/WinMain.cpp",
        "#include <windows.h>\n#include \"startup/App.h\"\n", {"include foundation/WinMain.cpp startup/App.h"}},
    {"a floor including the floor above it", "script/Parse.cpp",
        "  #  include \"log/Log.h\"\n#include \"engine/Plan.h\"\n", {"include script/Parse.cpp engine/Plan.h"}},
    {"the uninstall including the install, and back", "uninstall/Undo.h", "#include \"engine/Plan.h\"\n",
        {"include uninstall/Undo.h engine/Plan.h"}},
    {"the install including the uninstall", "engine/Plan.cpp", "#include \"uninstall/Undo.h\"\n",
        {"include engine/Plan.cpp uninstall/Undo.h"}},
    {"a product file including test code", "pack/Reader.cpp", "#include \"tests/TestFiles.h\"\n",
        {"include pack/Reader.cpp tests/TestFiles.h"}},
    {"a header of the tree in angle brackets, and one reached by ../", "engine/Copy.cpp",
        "#include <ui/MainWnd.h>\n#include \"../startup/App.h\"\n",
        {"include engine/Copy.cpp startup/App.h", "include engine/Copy.cpp ui/MainWnd.h"}},
    {"allowed: own floor, its other folder, lower floors, resources, system headers", "ui/Menu.cpp",
        "#include <vector>\n#include \"ui/ZVWnd.h\"\n#include \"engine/Plan.h\"\n#include \"uninstall/Undo.h\"\n"
        "#include \"foundation/ZVString.h\"\n#include \"resources/resource.h\"\n#include \"Local.h\"\n",
        {}},
    {"allowed: the two folders of the bottom floor, both ways", "pack/FPK.h",
        "#include \"foundation/ZVString.h\"\n#include \"pack/Format.h\"\n", {}},
    {"allowed: the two folders of the second floor, both ways", "log/Replay.h", "#include \"script/Description.h\"\n",
        {}},
    {"allowed: the top includes anything of the floors", "startup/App.cpp",
        "#include \"ui/MainWnd.h\"\n#include \"engine/Plan.h\"\n#include \"log/Log.h\"\n", {}},
    {"allowed: includes in comments", "engine/Old.cpp",
        "// #include \"ui/MainWnd.h\"\n/* the menu\n#include \"ui/MainWnd.h\"\n*/\nconst char* s = \"// x\";\n", {}},
    {"allowed: files outside the floors include what they test", "tests/menu/MenuTest.cpp",
        "#include \"ui/MainWnd.h\"\n#include \"startup/InstallApp.h\"\n", {}},

    {"a member defined with a return type", "engine/Install.cpp", "bool CMainWnd::Install()\n{\n    return true;\n}\n",
        {"member engine/Install.cpp CMainWnd::Install"}},
    {"a member whose return type is the class's own", "uninstall/Uninstall.cpp",
        "CMainWnd::UNDO_OUTCOME CMainWnd::UndoInstall(bool erase, bool quiet)\n{\n}\n",
        {"member uninstall/Uninstall.cpp CMainWnd::UndoInstall"}},
    {"a constructor, a destructor and a callback", "startup/Start.cpp",
        "CMainWnd::CMainWnd() : m_a(0)\n{\n}\nCMainWnd::~CMainWnd()\n{\n}\n"
        "INT_PTR CALLBACK CMainWnd::CopyDialogProc(HWND dialog, UINT message,\n"
        "                                          WPARAM wParam, LPARAM lParam)\n",
        {"member startup/Start.cpp CMainWnd::CMainWnd", "member startup/Start.cpp CMainWnd::CopyDialogProc",
            "member startup/Start.cpp CMainWnd::~CMainWnd"}},
    {"a return type on the line before", "script/Read.cpp",
        "bool\nCMainWnd::ReadInstallInfo (const char* name)\n{\n}\n",
        {"member script/Read.cpp CMainWnd::ReadInstallInfo"}},
    {"a member defined by a test", "tests/engine/Stub.cpp", "void CMainWnd::Refresh() { }\n",
        {"member tests/engine/Stub.cpp CMainWnd::Refresh"}},
    {"allowed: calls, names of members and comments", "engine/Copy.cpp",
        "    DialogBoxParam(0, 0, 0, CMainWnd::CopyDialogProc, 0);\n    return CMainWnd::Probe();\n"
        "return CMainWnd::Probe();\nstatic auto proc = CMainWnd::CopyDialogProc;\nDLGPROC procs[] = "
        "{CMainWnd::Proc()};\n"
        "// CMainWnd::Install() runs the steps\n/*\nCMainWnd::Install() runs the steps\n*/\n"
        "const char* k = \"CMainWnd::Install()\";\n",
        {}},
    {"allowed: the menu window's own folder", "ui/MainWnd.cpp", "CMainWnd::CMainWnd()\n{\n}\nbool CMainWnd::Show()\n",
        {}},

    {"a call below the top", "engine/CopyFiles.cpp", "    while (GetApp()->PeekAndPump()) { }\n",
        {"getapp engine/CopyFiles.cpp"}},
    {"a declaration, once for the file", "ui/App.h", "class CInstallApp;\nCInstallApp* GetApp ();\nx = ::GetApp();\n",
        {"getapp ui/App.h"}},
    {"allowed: comments, texts and longer names", "ui/Launch.cpp",
        "// reached through GetApp()\n/* GetApp() */\nconst char* s = \"GetApp()\";\nGetApplicationName();\n"
        "MyGetApp();\nconst char* t = R\"(GetApp())\";\n",
        {}},
    {"allowed: the top floor", "startup/InstallApp.cpp", "CInstallApp* GetApp()\n{\n}\n", {}},
    {"allowed: a test of the application object", "tests/frame/AppTest.cpp", "    GetApp()->Run();\n", {}},
};

TEST(LayoutRules, EachFileByItself)
{
    for (const FILE_ROW& row : kFileRows)
        EXPECT_EQ(row.expected, FindLayoutViolations({{row.path, row.text}})) << row.proves;
}

struct CYCLE_ROW {
    const char* proves;
    std::vector<LAYOUT_FILE> files;
    Lines expected;
};

TEST(LayoutRules, IncludeCyclesOfTheBottomFloor)
{
    const CYCLE_ROW rows[] = {
        {"two headers including each other",
            {{"foundation/A.h", "#include \"foundation/B.h\"\n"}, {"foundation/B.h", "#include \"foundation/A.h\"\n"}},
            {"cycle foundation/A.h foundation/B.h"}},
        {"a circle through both folders, beside a chain into it",
            {{"pack/P.h", "#include \"foundation/A.h\"\n"}, {"foundation/A.h", "#include \"foundation/B.h\"\n"},
                {"foundation/B.h", "#include \"pack/P.h\"\n"}, {"pack/Q.cpp", "#include \"pack/P.h\"\n"}},
            {"cycle foundation/A.h foundation/B.h pack/P.h"}},
        {"a header including itself", {{"pack/S.h", "#include \"S.h\"\n"}}, {"cycle pack/S.h"}},
        {"allowed: a chain, and both including a third",
            {{"foundation/A.h", "#include \"foundation/B.h\"\n#include \"pack/C.h\"\n"},
                {"foundation/B.h", "#include \"pack/C.h\"\n"}, {"pack/C.h", "#include <string>\n"}},
            {}},
        {"allowed: a circle in an include commented out",
            {{"foundation/A.h", "#include \"foundation/B.h\"\n"},
                {"foundation/B.h", "// #include \"foundation/A.h\"\n"}},
            {}},
        {"left to the other rules: a circle above the bottom floor",
            {{"log/A.h", "#include \"log/B.h\"\n"}, {"log/B.h", "#include \"log/A.h\"\n"}}, {}},
    };
    for (const CYCLE_ROW& row : rows)
        EXPECT_EQ(row.expected, FindLayoutViolations(row.files)) << row.proves;
}

TEST(LayoutTree, BreaksNoRule)
{
    const std::vector<LAYOUT_FILE> files = ReadLayoutTree(ZV_SOURCE_DIR);
    ASSERT_GE(files.size(), 100u) << "too few sources under " << ZV_SOURCE_DIR;
    for (const std::string& line : FindLayoutViolations(files))
        ADD_FAILURE() << ExplainViolation(line);
}

} // namespace
