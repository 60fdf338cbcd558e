// The DirectX version the registry records, read from its text.
#include <gtest/gtest.h>

#include "ui/DirectXVersion.h"

namespace {

TEST(DirectXVersion, TheMajorVersionIsTheSecondField)
{
    struct {
        const char* proves;
        const char* text;
        int major;
    } const rows[] = {
        {"DirectX 9", "4.09.00.0904", 9},
        {"DirectX 8.1", "4.08.01.0881", 8},
        {"DirectX 7", "4.07.00.0700", 7},
        {"a later one", "4.10.00.0000", 10},
        {"two fields are enough", "4.09", 9},
        {"one field is not", "4", kDirectXUnknown},
        {"five fields are too many", "4.09.00.0904.1", kDirectXUnknown},
        {"empty", "", kDirectXUnknown},
        {"an empty field", "4..00.0904", kDirectXUnknown},
        {"a trailing dot", "4.09.", kDirectXUnknown},
        {"a letter", "4.x9.00.0904", kDirectXUnknown},
        {"a leading blank", " 4.09.00.0904", kDirectXUnknown},
        {"a trailing blank", "4.09.00.0904 ", kDirectXUnknown},
        {"a sign", "4.-9.00.0904", kDirectXUnknown},
        {"digits that would overflow", "4.99999999999.00.0904", kDirectXUnknown},
        {"another separator", "4,09,00,0904", kDirectXUnknown},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.major, DirectXMajorFromVersionText(row.text)) << row.proves << ": \"" << row.text << "\"";
    EXPECT_EQ(kDirectXUnknown, DirectXMajorFromVersionText(nullptr));
}

} // namespace
