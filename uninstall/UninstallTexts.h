// Every text of the uninstaller that the user reads, in one place (Shift-JIS after compilation).
#pragma once

#include "foundation/Captions.h"

#define ZV_UNINSTALL_NOT_INSTALLED "%sがインストールされていません" // the title
#define ZV_UNINSTALL_ADMIN_ONLY "管理者権限のあるアカウントでのみアンインストールできます"
#define ZV_UNINSTALL_CONFIRM "%sをアンインストールします\nよろしいですか？" // the title
#define ZV_UNINSTALL_NO_LOG "アンインストール情報が見つかりません\nアンインストールしますか？"
#define ZV_UNINSTALL_DONE "%sのアンインストールが完了しました" // the title
#define ZV_UNINSTALL_PARTLY_DONE "%sのアンインストールが完了しましたが一部失敗した項目があります" // the title
#define ZV_INSTALL_INTERRUPTED                                                                                         \
    "%sのインストールが途中で中断されています\n中断されたインストールを元に戻しますか？" // the title
#define ZV_TEXT_DELETED_AT_RESTART "%s は次回の起動時に削除されます" // a path
