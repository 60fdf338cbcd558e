// The captions of the program's message boxes: a fixed set that every subsystem shares (Shift-JIS after
// compilation). A subsystem's own texts stay in its own header; its captions come from here.
#pragma once

#define ZV_CAPTION_ERROR "エラー"
#define ZV_CAPTION_FAILURE "失敗"
#define ZV_CAPTION_WARNING "警告"
#define ZV_CAPTION_CONFIRMATION "確認"
#define ZV_CAPTION_INFORMATION "情報"
#define ZV_CAPTION_DONE "完了"
#define ZV_CAPTION_SUCCESS "成功"
#define ZV_CAPTION_NOT_SUPPORTED "未対応"
#define ZV_CAPTION_SETUP "セットアップ"
#define ZV_CAPTION_SYNTAX_ERROR "構文エラー"
#define ZV_CAPTION_ALREADY_RUNNING "多重起動エラー"
#define ZV_CAPTION_STEP "手順" // a step of an unattended run, in its report
