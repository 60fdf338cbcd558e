// The names the install log itself gives: its file, the key of the Windows list of installed programs that its
// "regcreatel" lines name, and the folder of the Windows folder that holds the journals and the kept copies.
#pragma once

#define ZV_INSTALL_LOG_FILE "uninst.dat"
#define ZV_UNINSTALL_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
#define ZV_TITLE_FILES_FOLDER "ZVSetup" // in the Windows folder
#define ZV_SCRIPT_FILE "Install.ifo" // the script, on the disc and in the kept copy
