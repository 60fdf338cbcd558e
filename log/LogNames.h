// The names the install log itself gives: its file, and the key of the Windows list of installed programs that its
// "regcreatel" lines name.
#pragma once

#define ZV_INSTALL_LOG_FILE "uninst.dat"
#define ZV_UNINSTALL_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
