// What is known of the title's install on this machine and of the program that runs: the install and the uninstall
// both read and change it, the menu shows it.
#pragma once

#include "foundation/ZVString.h"

struct INSTALL_STATE {
    char sourceDir[260] = ""; // the folder of the disc that holds "Install.ifo"
    char installedDir[260] = ""; // the install folder with its trailing backslash; empty when not installed
    bool isInstalled = false;
    bool isInstalledForAllUsers = false; // found under the default user's hive
    bool hasAdminRights = false; // the default user's hive may be written
    CZVString installLog; // the install log while it is built, or "uninst.dat" as read by the uninstall
    char moduleFileName[260] = ""; // the running program's file name with its extension, without folder
};
