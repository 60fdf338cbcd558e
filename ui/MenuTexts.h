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
#define ZV_MENU_NOT_YET "この機能はまだありません"
