// The texts of the menu window, as the user sees them (Shift-JIS after compilation).
#pragma once

#include "foundation/Captions.h"

#define ZV_MENU_SUBFORM_FAILED "サブフォームの作成に失敗しました"
#define ZV_MENU_SPLASH_FAILED "splash.bmpのロードに失敗しました"
#define ZV_MENU_SPLASH_TEXT "%sインストーラ"
#define ZV_MENU_TITLE "%sセットアップメニュー"
#define ZV_MENU_NO_REGISTRY "レジストリ設定情報がありません\n\"Install.ifo\"を確認してください"
#define ZV_MENU_LAUNCH_FAILED "%sを実行できませんでした"
#define ZV_MENU_PROGRAM_FAILED "「%s」が起動できませんでした"
#define ZV_MENU_DIRECTX_QUESTION                                                                                       \
    "%sを実行するためにはDirectXのバージョンが%d以降である必要があります\nこのまま実行しますか？"
#define ZV_MENU_DSETUP_MISSING "DSetup.dllがロードできません"
#define ZV_MENU_DSETUP_INVALID "不正なDSetup.dllです"

// The settings dialog.
#define ZV_SETTINGS_TYPE_TEXT "%s --約%dMB" // the type's name and its need in MB
#define ZV_SETTINGS_BROWSE_TITLE "インストール先の選択"
#define ZV_SETTINGS_LOW_SPACE "必要な容量に足りませんがインストールしますか？"

// The DirectX set-up.
#define ZV_DIRECTX_DEFAULT_SETUP "directx7\\dxsetup.exe"
#define ZV_DIRECTX_CONFIRM "DirectXをインストールします"
#define ZV_DIRECTX_START_FAILED                                                                                                        \
    "DirectXインストールプログラムが起動できませんでした\n手動でインストールしてみてください\n" \
    "手動インストールの方法はマニュアルをご覧ください"
#define ZV_DIRECTX_INSTALL_FAILED                                                                                      \
    "DirectXがインストールできませんでした\n手動でインストールしてみてください\n"      \
    "手動インストールの方法はマニュアルをご覧ください"
