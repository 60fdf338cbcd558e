// The names the install log itself gives: its file, the key of the Windows list of installed programs that its
// "regcreatel" lines name, the folder of the Windows folder that holds the journals and the kept copies, and the
// title's links, which the clean-up without a log looks for by these names.
#pragma once

#define ZV_INSTALL_LOG_FILE "uninst.dat"
#define ZV_UNINSTALL_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
#define ZV_TITLE_FILES_FOLDER "ZVSetup" // in the Windows folder
#define ZV_SCRIPT_FILE "Install.ifo" // the script, on the disc and in the kept copy
#define ZV_SHORTCUT_LINK "%s\\%s.lnk" // the folder, the link's name
#define ZV_SHORTCUT_UNINSTALL_LINK "%s\\%sのアンインストール.lnk" // the folder, the title
