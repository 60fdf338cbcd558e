// Every text of the install script subsystem that a user or a title maker reads, in one place.
#pragma once

#include "foundation/Captions.h"

// Defaults of the disc-change prompt and the labels of discs that the script leaves unnamed.
#define ZV_TEXT_CHANGE_DISC_MESSAGE "ディスク%sに入れ替えてください"
#define ZV_TEXT_CHANGE_DISC_CAPTION "ディスクの交換"
#define ZV_TEXT_DISC_LABEL "ディスク" // and the disc's number: "ディスク2"

// The syntax error report (its caption is ZV_CAPTION_SYNTAX_ERROR).
#define ZV_TEXT_SYNTAX_REPORT "%s\n\nファイル名: %s\n行数: %d\n%s"

// Syntax errors, in the order the checks are made for a line.
#define ZV_ERROR_SYNTAX "構文が間違っています"
#define ZV_ERROR_UNKNOWN_VARIABLE "不明な変数名です"
#define ZV_ERROR_TYPE_COUNT_MAX "$InstallTypeCountの最大値は10です"
#define ZV_ERROR_TYPE_COUNT_FIRST "$InstallTypeCountを先に設定してください"
#define ZV_ERROR_TYPE_COUNT_DIFFERS "$InstallTypeCountで設定された数と違います"
#define ZV_ERROR_BOOL "bool型の値を設定してください"
#define ZV_ERROR_DISC_COUNT_MIN "ディスク枚数は1以上を指定してください"
#define ZV_ERROR_DISC_COUNT_MAX "ディスク枚数は999以下を指定してください"
#define ZV_ERROR_CMD_COMMAND "コマンドを指定してください"
#define ZV_ERROR_CMD_CAPTION "ボタン文字列を指定してください"
#define ZV_ERROR_UNDEFINED_COMMAND "未定義の命令を使用しました"
#define ZV_ERROR_ALREADY_ADDING "既にファイル追加モードです"
#define ZV_ERROR_TOO_MANY_TYPES "タイプの数が多すぎます"
#define ZV_ERROR_END_WITHOUT_START "endコマンドがありましたが、まだstartコマンドがありません"
#define ZV_ERROR_TOO_MANY_DIRS "最大で作成できるディレクトリの数を超えています"
#define ZV_ERROR_MKDIR_ARGUMENT "mkdirに引数がありません"
#define ZV_ERROR_MKSC_ARGUMENT "mkscに引数がありません"
#define ZV_ERROR_MKSC_COMMAND "mkscにコマンドが指定されていません"
#define ZV_ERROR_IDENTIFIER "識別名は'$'か'&'で始まる必要があります"
#define ZV_ERROR_FILE_BEFORE_DISC "ディスク番号指定の前にファイル名を指定する必要があります"
#define ZV_ERROR_DISC_NUMBER "ディスク番号の指定が不正です"
#define ZV_ERROR_NO_TYPE_COUNT "$InstallTypeCountを設定してください"
// A value that does not fit its field: it is refused rather than cut, as a cut path would install elsewhere.
#define ZV_ERROR_VALUE_TOO_LONG "値が長すぎます"
