// The dialogs' face from what the system has: the template's, else a Japanese one, never a face it lacks.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ui/DialogFace.h"

namespace {

struct FACE_CASE {
    const char* proves;
    std::set<std::wstring> installed; // the faces the system has with Japanese glyphs
    std::wstring named;
    std::wstring chosen;
};

TEST(DialogFace, TheTemplatesFaceOrTheFirstJapaneseOneTheSystemHas)
{
    const FACE_CASE cases[] = {
        {"a Japanese system keeps the template's face", {L"ＭＳ Ｐゴシック", L"MS UI Gothic"}, L"ＭＳ Ｐゴシック",
            L"ＭＳ Ｐゴシック"},
        {"the named face missing: the best of the list", {L"Meiryo UI", L"MS PGothic", L"Yu Gothic UI"},
            L"ＭＳ Ｐゴシック", L"Meiryo UI"},
        {"Windows 10 without the supplemental fonts", {L"Yu Gothic UI", L"Segoe UI"}, L"MS UI Gothic", L"Yu Gothic UI"},
        {"a Linux prefix with the IPA fonts", {L"IPAGothic", L"IPAPGothic"}, L"ＭＳ Ｐゴシック", L"IPAPGothic"},
        {"no Japanese face at all: the template's, for the system to substitute", {L"Tahoma"}, L"ＭＳ Ｐゴシック",
            L"ＭＳ Ｐゴシック"},
    };
    for (const FACE_CASE& row : cases) {
        auto has = [&row](const std::wstring& face) { return row.installed.count(face) != 0; };
        EXPECT_TRUE(ChooseDialogFace(row.named, has) == row.chosen) << row.proves;
    }
}

} // namespace
