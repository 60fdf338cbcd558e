// Every text of start-up that the user reads, in one place.
#pragma once

#include "foundation/Captions.h"
#include "log/LogNames.h"

#define ZV_STARTUP_MUTEX_NAME "ZVSetupApp"
#define ZV_STARTUP_SCRIPT_NAME ZV_SCRIPT_FILE
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

// What an unattended run reports in place of a person's answers.
#define ZV_TEXT_ALREADY_RUNNING "セットアップは既に実行されています"
#define ZV_TEXT_BAD_OPTION "オプション %s は使えません" // the option as written
#define ZV_TEXT_NO_SUCH_TYPE "指定されたインストールの種類はありません"
#define ZV_TEXT_TYPE_NEEDED "インストールの種類を -type で指定してください"
#define ZV_TEXT_ALL_USERS_REFUSED "すべてのユーザーへのインストールはできません"
#define ZV_TEXT_ALREADY_INSTALLED "%sは既にインストールされています" // the title
#define ZV_TEXT_EXIT_CODE "終了コード %d"
// type (1-based), base folder, sub-folder, desktop, Start menu, all users (1 or 0)
#define ZV_TEXT_SETTINGS_CHOSEN                                                                                        \
    "設定 種類=%d フォルダ=%s サブフォルダ=%s デスクトップ=%d スタートメニュー=%d 全ユーザー=%d"
