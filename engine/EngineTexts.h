// Every text of the install engine that the user reads, in one place (Shift-JIS after compilation). The lines of
// the install log are log/InstallLog.h's.
#pragma once

#include "foundation/Captions.h"
#include "log/LogNames.h"

// The install sequence.
#define ZV_INSTALL_AGAIN "%sは既にインストールされています\n再びインストールしますか？" // the title
#define ZV_INSTALL_DONE "%sのインストールは完了しました" // the title
#define ZV_INSTALL_FAILED "インストール中にエラーが発生しました\nアンドゥーします"
#define ZV_INSTALL_EARLIER_LEFT "%sの以前のインストールを削除できませんでした\nインストールを中止します" // the title

// The file set and the folders.
#define ZV_INSTALL_NO_FILES "インストール指定されたファイルがありません"

// The copy.
#define ZV_COPY_DISC_MARKER "DISCID.%03d" // the disc number
#define ZV_COPY_MISSING_CONTINUE "ファイルが見つかりません -- %s\n続行しますか？" // the script's file name
#define ZV_COPY_NOT_FOUND "%sがみつかりませんでした" // the script's file name
#define ZV_COPY_OPEN_FAILED "%sが開けませんでした" // the relative path
#define ZV_COPY_WRITE_FAILED "%sが書き込めませんでした" // the destination path
#define ZV_COPY_OVERWRITE "転送先ファイル\n%s\nは既に存在します\n上書きしますか？" // the destination path
#define ZV_COPY_SIZE_FAILED "%sのファイルサイズ取得に失敗しました" // the relative path
#define ZV_COPY_FAILED "%sのコピー中に失敗しました" // the destination path
#define ZV_COPY_READ_FAILED "%sの読み込みに失敗しました\nディスクの汚れや傷を確かめて再試行してください" // the relative path
#define ZV_CAPTION_READ_ERROR "読み込みエラー"
#define ZV_COPY_FILE_TEXT "コピー中 %s in %s" // the relative path, the disc's label
#define ZV_COPY_COUNT_TEXT "全体(%d of %d)" // the file's number, the total

// The shortcuts.
#define ZV_SHORTCUT_NO_START_MENU "スタートメニューフォルダが取得できません"
#define ZV_SHORTCUT_NO_DESKTOP "デスクトップフォルダが取得できません"
#define ZV_SHORTCUT_SAVE_FAILED "%sのショートカットが作成できませんでした" // the link's name, without ".lnk"

// The registry and the uninstall entry.
#define ZV_UNINSTALL_PUBLISHER "ZENVORA"
#define ZV_QUIET_UNINSTALL_OPTIONS " -quiet -uninstall" // after the uninstall command line

// The steps of an install as an unattended run reports them.
#define ZV_STEP_DONE "%s 完了" // the step
#define ZV_STEP_FAILED "%s 失敗"
#define ZV_STEP_FOLDERS "フォルダの作成"
#define ZV_STEP_COPY "ファイルのコピー"
#define ZV_STEP_SHORTCUTS "ショートカットの作成"
#define ZV_STEP_REGISTRY "レジストリの設定"
#define ZV_STEP_UNINSTALL_ENTRY "アンインストール情報の登録"
#define ZV_STEP_LOG_SAVED "インストールログの保存"
#define ZV_STEP_UNDO "アンドゥー"
