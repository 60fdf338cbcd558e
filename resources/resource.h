// Resource ids of ZVSetup.exe, shared by the resource scripts and the code.
#pragma once

#define IDD_SUBFORM 101 // the menu sub-form of the main window
#define IDD_SETTINGS 102 // the set-up settings
#define IDD_COPY 103 // the copy progress
#define IDI_MAIN 111 // the window's icon
#define IDI_SECOND 116 // carried, not loaded

// Menu sub-form
#define IDC_LAUNCH 1000
#define IDC_INSTALL 1001
#define IDC_DIRECTX 1002
#define IDC_QUIT 1003
#define IDC_UNINSTALL 1004

// Settings
#define IDC_INSTALL_DIR 1004
#define IDC_BROWSE 1005
#define IDC_DESKTOP_SHORTCUT 1006
#define IDC_STARTMENU_SHORTCUT 1007
#define IDC_TYPE_GROUP 1008
#define IDC_ALL_USERS 1026
#define IDC_TYPE_FIRST 5000 // the radio buttons 5000 to 5009, one per install type

// Copy progress
#define IDC_FILE_PROGRESS 1020
#define IDC_DISC_PROGRESS 1021
#define IDC_COPY_CANCEL 1023
#define IDC_FILE_TEXT 1024
#define IDC_DISC_TEXT 1025
