// Every text of start-up that the user reads, in one place.
#pragma once

#include "foundation/Captions.h"

#define ZV_STARTUP_MUTEX_NAME "ZVSetupApp"
#define ZV_STARTUP_SCRIPT_NAME "Install.ifo"
#define ZV_STARTUP_PROGRAM_NAME "ZVSetup.exe"

#define ZV_TEXT_UNSUPPORTED_OS "このOSには対応していません\nインストールを中断します"
#define ZV_TEXT_INSERT_GAME_CD                                                                                         \
    "ゲームのCDをドライブに入れてから起動してください\nセットアッププログラムが起動した場合は終了してください"
#define ZV_TEXT_SETUP_FROM_DRIVE "%cドライブからセットアップします" // the drive letter
#define ZV_TEXT_SCRIPT_UNREADABLE "インストール情報ファイルが読み込めませんでした"
#define ZV_TEXT_INSERT_TITLE_CD "CDロムドライブに%sのCDを入れてください" // the title
#define ZV_TEXT_MAIN_WINDOW_FAILED "メインウィンドウの作成に失敗しました"
#define ZV_TEXT_NO_WORK_FOLDER "作業用フォルダが取得できませんでした"
#define ZV_TEXT_WORK_COPY_FAILED "作業用ファイルのコピーが失敗しました"
#define ZV_TEXT_WORK_START_FAILED "作業用ファイルの起動に失敗しました"
