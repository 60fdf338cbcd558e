// The pack mode of the reader: the directory layouts, the name search, the three storage methods on hand-made
// data, malformed archives, and the trace lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/Trace.h"
#include "pack/FPK.h"
#include "tests/TestFiles.h"
#include "tests/pack/AllocationCount.h"
#include "tests/pack/PackTestSupport.h"
#include "tools/fpkpack/PackWriter.h"

using namespace std::string_literals;

namespace {

std::vector<std::string> g_lines;

void CollectLine(const char* line)
{
    g_lines.push_back(line);
}

// Opens member of the archive bytes and reads it whole in pieces. False when the archive or member does not open.
bool ReadMemberOf(const std::string& archive, const char* member, std::string* content, int32_t pieceSize = 4096)
{
    ExactBytes bytes(archive);
    CFPK reader;
    if (!reader.CreateFromBytes(bytes.Data(), bytes.Size(), "test.fpk") || !reader.Open(member))
        return false;
    *content = ReadToEnd(&reader, pieceSize);
    return true;
}

std::vector<PACK_MEMBER> FiveMembers()
{
    std::vector<PACK_MEMBER> members;
    const char* const names[] = {"one.txt", "Two.bmp", "three", "FOUR.DAT", "five"};
    for (int i = 0; i < 5; i++)
        members.push_back({names[i], std::string(100 + i, (char)('a' + i)), i % 3});
    return members;
}

} // namespace

TEST(PackArchive, WordZeroSelectsTheLayout)
{
    struct {
        const char* proves;
        PackLayout layout;
        uint32_t word0;
    } cases[] = {
        {"word 0 = 5: five 32-byte entries at offset 4", kLayout1, 5},
        {"top byte 1: five 36-byte entries at the trailer's offset, plain", kLayout2, 0x01000005},
        {"bit 31: five entries, masked and sorted by hash", kLayout2Hashed, 0x80000005},
    };
    TestFolder folder;
    for (const auto& c : cases) {
        std::string archive, error;
        ASSERT_TRUE(BuildPackArchive(FiveMembers(), c.layout, 0xA5C3E10F, &archive, &error)) << error;
        EXPECT_EQ(Le32(c.word0), archive.substr(0, 4)) << c.proves;
        std::string path = folder.Path("five.fpk");
        WriteBytes(path, archive);
        CFPK reader;
        ASSERT_TRUE(reader.Create(path.c_str())) << c.proves;
        EXPECT_FALSE(reader.IsDirectAccess());
        ASSERT_EQ(5, reader.GetEntryCount()) << c.proves;
        for (const PACK_MEMBER& member : FiveMembers()) {
            ASSERT_TRUE(reader.Open(member.name.c_str())) << c.proves << ": " << member.name;
            EXPECT_EQ(member.content.size(), reader.GetSize());
            EXPECT_EQ(member.content, ReadToEnd(&reader, 7)) << c.proves << ": " << member.name;
        }
    }
}

TEST(PackArchive, NamesAreFoundWithoutRegardToCase)
{
    EXPECT_EQ(PackNameHash("readme.txt"), PackNameHash("README.TXT"));
    EXPECT_EQ(1, PackNameHash("\x81\x40")); // bytes from 0x80 count as negative: -127 * 1 + 64 * 2
    EXPECT_EQ(PackNameHash("AB"), PackNameHash("CA")); // 65 + 2 * 66 = 67 + 2 * 65
    EXPECT_EQ(PackNameHash("12345678901234567890123"), PackNameHash("12345678901234567890123456"));

    // Many names, two of them with one hash, in each layout: every one is found in either case, absent ones not.
    std::vector<PACK_MEMBER> members = {{"AB", "first", kMethodStored}, {"CA", "second", kMethodStored}};
    for (int i = 0; i < 300; i++)
        members.push_back({"File" + std::to_string(i) + ".dat", "content " + std::to_string(i), i % 3});
    // An absent name with the highest hash, the hashed directory's last: the first byte two up and the second one
    // down weigh the same (1 x 2 = 2 x 1).
    std::string last = members[0].name;
    for (const PACK_MEMBER& member : members) {
        if (PackNameHash(member.name.c_str()) > PackNameHash(last.c_str()))
            last = member.name;
    }
    std::string lastHashAbsent = {(char)(toupper(last[0]) + 2), (char)(toupper(last[1]) - 1)};
    lastHashAbsent += last.substr(2);
    ASSERT_EQ(PackNameHash(last.c_str()), PackNameHash(lastHashAbsent.c_str()));
    for (PackLayout layout : {kLayout1, kLayout2, kLayout2Hashed}) {
        std::string archive, error, content;
        ASSERT_TRUE(BuildPackArchive(members, layout, 0x12345678, &archive, &error)) << error;
        for (const PACK_MEMBER& member : members) {
            std::string lower = member.name;
            for (char& ch : lower)
                ch = (char)tolower((unsigned char)ch);
            ASSERT_TRUE(ReadMemberOf(archive, lower.c_str(), &content)) << layout << " " << lower;
            EXPECT_EQ(member.content, content) << layout << " " << lower;
        }
        EXPECT_FALSE(ReadMemberOf(archive, "File300.dat", &content)) << layout;
        EXPECT_FALSE(ReadMemberOf(archive, lastHashAbsent.c_str(), &content)) << layout;
        EXPECT_FALSE(ReadMemberOf(archive, "", &content)) << layout;
        EXPECT_FALSE(ReadMemberOf(archive, nullptr, &content)) << layout;
    }
}

TEST(PackArchive, HashedDirectoryOutOfOrderStillFindsItsNames)
{
    // A directory that claims to be hashed but is not sorted: the search falls back to every entry in order.
    const char* const names[] = {"zzz", "aaa", "mmm"};
    std::string archive = HashedOutOfOrderArchive();
    for (int i = 0; i < 3; i++) {
        std::string content;
        ASSERT_TRUE(ReadMemberOf(archive, names[i], &content)) << names[i];
        EXPECT_EQ("dat" + std::to_string(i), content);
    }
}

TEST(PackArchive, Zlc2BackReferences)
{
    std::string literals4096, stream4096;
    for (int i = 0; i < 4096; i++) {
        if (i % 8 == 0)
            stream4096.push_back('\0');
        literals4096.push_back((char)(i * 7 % 251 + 1));
        stream4096.push_back(literals4096.back());
    }
    struct {
        const char* proves;
        std::string data;
        std::string expected;
    } cases[] = {
        {"distance field 0 copies from 4096 bytes back", Zlc2Data(4099, stream4096 + std::string("\x80\x00\x00", 3)),
            literals4096 + literals4096.substr(0, 3)},
        {"distance 1 length 18 repeats the last byte 18 times", Zlc2Data(19, "\x40x\x01\x0F"), std::string(19, 'x')},
        {"history before the member's start reads as zeros", Zlc2Data(5, std::string("\x40q\x05\x01", 4)),
            "q" + std::string(4, '\0')},
        {"an overlapping copy repeats a pattern",
            Zlc2Data(9,
                std::string("\x20"
                            "ab\x02\x04",
                    5)),
            "ababababa"},
        {"an empty member with its flag byte", Zlc2Data(0, std::string(1, '\0')), ""},
        {"decoding stops at the member size", Zlc2Data(3, "\x00xyzuvw"s), "xyz"},
    };
    for (const auto& c : cases) {
        std::string archive = RawLayout1({{"m", c.data}});
        for (int32_t piece : {1, 7, 4096, 65537}) {
            std::string content;
            ASSERT_TRUE(ReadMemberOf(archive, "m", &content, piece)) << c.proves;
            EXPECT_EQ(c.expected, content) << c.proves << ", pieces of " << piece;
        }
    }
}

TEST(PackArchive, Rle0Operations)
{
    std::string sixtyFour;
    for (int i = 0; i < 64; i++)
        sixtyFour.push_back((char)(0x80 + i));
    std::string abc65, xy65;
    for (int i = 0; i < 65; i++) {
        abc65 += "abc";
        xy65 += "xy";
    }
    struct {
        const char* proves;
        std::string data;
        bool opens;
        std::string expected;
    } cases[] = {
        {"0x00 copies 64 literal bytes", Rle0Data(65, 64, 1, std::string(1, '\0') + sixtyFour), true, sixtyFour},
        {"0x41 writes the next byte twice", Rle0Data(2, 2, 1, "\x41z"), true, "zz"},
        {"0xC0 writes the next three bytes 65 times",
            Rle0Data(4, 195, 1,
                "\xC0"
                "abc"),
            true, abc65},
        {"0x80 writes the next two bytes 65 times", Rle0Data(3, 130, 1, "\x80xy"), true, xy65},
        {"operations in sequence", Rle0Data(7, 6, 1, "\x02pq\x42r\x01s"), true, "pqrrrs"},
        {"output ends at the unpacked size", Rle0Data(6, 2, 1, "\x02pq\x02rs"), true, "pq"},
        {"mode 0 is the content itself", Rle0Data(5, 5, 0, "plain"), true, "plain"},
        {"empty member", Rle0Data(0, 0, 0, ""), true, ""},
        {"a run past the unpacked size", Rle0Data(2, 3, 1, "\x43z"), false, ""},
        {"literals past the packed data", Rle0Data(3, 3, 1, "\x03pq"), false, ""},
        {"a pattern cut by the packed size",
            Rle0Data(2, 6, 1,
                "\xC1"
                "a"),
            false, ""},
        {"fewer bytes than the unpacked size", Rle0Data(3, 9, 1, "\x02pq"), false, ""},
        {"mode 0 with less data than its size", Rle0Data(2, 5, 0, "pl"), false, ""},
        {"an unknown mode", Rle0Data(2, 2, 2, "\x41z"), false, ""},
        {"an unpacked size no stream could give", Rle0Data(2, 99, 1, "\x41z"), false, ""},
        {"packed data past the end of the archive", Rle0Data(200, 2, 1, "\x41z"), false, ""},
    };
    for (const auto& c : cases) {
        std::string content;
        EXPECT_EQ(c.opens, ReadMemberOf(RawLayout1({{"r", c.data}}), "r", &content, 5)) << c.proves;
        EXPECT_EQ(c.expected, content) << c.proves;
    }
}

TEST(PackArchive, StoredMembers)
{
    std::string content;
    EXPECT_FALSE(ReadMemberOf(RawLayout1({{"empty", ""}, {"next", "data"}}), "empty", &content))
        << "a stored member of size 0 cannot be opened";
    ASSERT_TRUE(ReadMemberOf(RawLayout1({{"short", "ab"}}), "short", &content)) << "shorter than a tag";
    EXPECT_EQ("ab", content);
    // Data that begins with a tag is taken as compressed: here a ZLC2 stream of 1 byte, "Z".
    ASSERT_TRUE(ReadMemberOf(RawLayout1({{"tagged", Zlc2Data(1, "\x00Z"s)}}), "tagged", &content));
    EXPECT_EQ("Z", content);
    // A ZLC2 tag without its size (at the end of the file) is read as stored.
    std::string cut = Le32(1) + Le32(36) + Le32(5) + "m" + std::string(23, '\0') + "ZLC2\x01";
    ASSERT_TRUE(ReadMemberOf(cut, "m", &content));
    EXPECT_EQ("ZLC2\x01", content);
    // A stored member never reads past its size into the next member.
    ASSERT_TRUE(ReadMemberOf(RawLayout1({{"a", "first"}, {"b", "second"}}), "a", &content, 65537));
    EXPECT_EQ("first", content);
}

TEST(PackArchive, MalformedArchivesFailCleanly)
{
    std::string name24 = "abcdefghijklmnopqrstuvwx";
    struct {
        const char* proves;
        std::string archive;
        bool creates;
    } archives[] = {
        {"an empty file", "", false},
        {"word 0 cut short", std::string("\x01\x00", 2), false},
        {"a directory shorter than its count", Le32(2) + RawLayout1({{"a", "data"}}).substr(4), false},
        {"a count no file could hold", Le32(0x00FFFFFF) + std::string(64, '\0'), false},
        {"a hashed count no file could hold", Le32(0x80FFFFFF) + std::string(64, '\0') + Le32(0) + Le32(4), false},
        {"layout 2 without room for its trailer", Le32(0x01000000) + "abc", false},
        {"layout 2 with its directory past the end", Le32(0x01000001) + Le32(0) + Le32(1000), false},
        {"layout 2 with its directory overlapping the end", Le32(0x81000001) + std::string(30, 'd') + Le32(0) + Le32(8),
            false},
        {"no members at all", Le32(0), true},
    };
    for (const auto& c : archives) {
        ExactBytes bytes(c.archive);
        CFPK reader;
        StartCountingAllocations();
        bool created = reader.CreateFromBytes(bytes.Data(), bytes.Size(), "bad.fpk");
        size_t allocated = StopCountingAllocations();
        EXPECT_EQ(c.creates, created) << c.proves;
        if (!created) {
            EXPECT_EQ(0u, allocated) << c.proves << ": refused only after allocating";
        }
        EXPECT_FALSE(reader.Open("a")) << c.proves;
        EXPECT_EQ(0u, reader.GetSize()) << c.proves;
    }

    struct {
        const char* proves;
        std::string archive;
    } members[] = {
        {"member data past the end of the file",
            Le32(1) + Le32(5000) + Le32(4) + std::string("m", 1) + std::string(23, '\0')},
        {"a stored size past the end of the file",
            RawLayout1({{"m", "data"}}).substr(0, 8) + Le32(5000) + RawLayout1({{"m", "data"}}).substr(12)},
        {"a ZLC2 size no stream could give", RawLayout1({{"m", Zlc2Data(0xFFFFFFFF, "\x00x"s)}})},
        {"an RLE0 header cut short", RawLayout1({{"m", Rle0Data(1, 1, 0, "x").substr(0, 20)}})},
    };
    for (const auto& c : members) {
        std::string content;
        EXPECT_FALSE(ReadMemberOf(c.archive, "m", &content)) << c.proves;
    }

    // A ZLC2 stream that ends early, or whose reference passes the member size, gives what came before it.
    struct {
        const char* proves;
        std::string data;
        std::string expected;
    } streams[] = {
        {"a stream shorter than its size",
            Zlc2Data(10,
                "\x00"
                "abc"s),
            "abc"},
        {"a reference past the member size",
            Zlc2Data(5,
                "\x40"
                "a\x01\x0F"),
            "a"},
        {"a reference cut in half",
            Zlc2Data(5,
                "\x40"
                "a\x01"),
            "a"},
    };
    for (const auto& c : streams) {
        std::string content;
        ASSERT_TRUE(ReadMemberOf(RawLayout1({{"z", c.data}}), "z", &content, 3)) << c.proves;
        EXPECT_EQ(c.expected, content) << c.proves;
    }

    // A name that fills all 24 bytes is cut to 23, so it is always terminated.
    ExactBytes bytes(RawLayout1({{"x", "data"}}).substr(0, 12) + name24 + "data");
    CFPK reader;
    ASSERT_TRUE(reader.CreateFromBytes(bytes.Data(), bytes.Size(), "names.fpk"));
    EXPECT_EQ(name24.substr(0, 23), reader.GetEntryName(0));
    EXPECT_EQ(nullptr, reader.GetEntryName(1));
    EXPECT_EQ(nullptr, reader.GetEntryName(-1));
    EXPECT_TRUE(reader.Open(name24.substr(0, 23).c_str()));
    EXPECT_FALSE(reader.Open(name24.c_str()));
}

TEST(PackArchive, TraceLinesAndLifecycle)
{
    TestFolder folder;
    std::string path = folder.Path("game.fpk");
    std::string archive, error;
    ASSERT_TRUE(BuildPackArchive(
        {{"a.txt", "alpha", kMethodZlc2}, {"b.txt", "beta", kMethodRle0}}, kLayout2Hashed, 7, &archive, &error));
    WriteBytes(path, archive);

    g_lines.clear();
    TraceSink previous = SetTraceSink(CollectLine);
    {
        CFPK reader;
        EXPECT_FALSE(reader.Create(folder.Path("missing.fpk").c_str()));
        UINT callerMode = SetErrorMode(SEM_FAILCRITICALERRORS);
        ASSERT_TRUE(reader.Create(path.c_str()));
        EXPECT_EQ(static_cast<UINT>(SEM_FAILCRITICALERRORS), SetErrorMode(callerMode)) << "the caller's error mode";
        ASSERT_TRUE(reader.Open("A.TXT"));
        EXPECT_EQ(kMethodZlc2, reader.GetMethod());
        EXPECT_FALSE(reader.Open("missing"));
        EXPECT_FALSE(reader.IsMemberOpen());
        EXPECT_EQ(-1, reader.GetMethod());
        char buffer[8];
        EXPECT_EQ(0, reader.Read(buffer, sizeof(buffer)));
        ASSERT_TRUE(reader.Open("b.txt"));
        EXPECT_EQ(kMethodRle0, reader.GetMethod());
        reader.Delete();
        EXPECT_EQ(0, reader.GetEntryCount());
        EXPECT_FALSE(reader.Open("b.txt"));
        ASSERT_TRUE(reader.Create(path.c_str()));
        ASSERT_TRUE(reader.Open("a.txt"));
        // The destructor closes the member and the archive.
    }
    SetTraceSink(previous);
    const std::string missing = folder.Path("missing.fpk");
    const std::vector<std::string> expected = {
        "失敗：CFPK::Create オープンに失敗 (" + missing + ")\n",
        "情報：CFPK::Create 成功 (" + path + ")\n",
        "情報：CFPK::Open ファイルをオープンした [A.TXT] (" + path + ")\n",
        "情報：CFPK::Close ファイルをクローズ [A.TXT] (" + path + ")\n",
        "警告：CFPK::_SearchFile 指定のファイルは存在しない [missing] (" + path + ")\n",
        "失敗：CFPK::Open 指定のファイルを開けない [missing] (" + path + ")\n",
        "失敗：CFPK::Read ファイルがオープンされていない (" + path + ")\n",
        "情報：CFPK::Open ファイルをオープンした [b.txt] (" + path + ")\n",
        "情報：CFPK::Delete 破棄 (" + path + ")\n",
        "警告：CFPK::Delete クローズされていないファイルがある [b.txt] (" + path + ")\n",
        "情報：CFPK::Close ファイルをクローズ [b.txt] (" + path + ")\n",
        "失敗：CFPK::Open 指定のファイルを開けない [b.txt] ()\n",
        "情報：CFPK::Create 成功 (" + path + ")\n",
        "情報：CFPK::Open ファイルをオープンした [a.txt] (" + path + ")\n",
        "情報：CFPK::Close ファイルをクローズ [a.txt] (" + path + ")\n",
        "情報：CFPK::Delete 破棄 (" + path + ")\n",
    };
    EXPECT_EQ(expected, g_lines);
}
