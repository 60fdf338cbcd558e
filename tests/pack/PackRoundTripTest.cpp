// Encoder -> archive -> reader: every layout and method gives back the same bytes, read whole or in pieces.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "pack/FPK.h"
#include "tests/TestFiles.h"
#include "tests/pack/PackTestSupport.h"
#include "tests/pack/SampleContent.h"
#include "tools/fpkpack/PackWriter.h"

namespace {

// Every test draws its content from a generator of its own with this seed: the bytes it packs do not depend on
// which tests ran before it.
const uint32_t kContentSeed = 12345;

std::vector<PACK_MEMBER> Contents(CSampleContent& content, int method)
{
    std::vector<PACK_MEMBER> members;
    for (size_t size : {0, 1, 4095, 4096, 4097, 65536, 65537}) {
        std::string tag = std::to_string(size);
        members.push_back({"text" + tag, content.Text(size), method});
        members.push_back({"picture" + tag, content.Picture(size), method});
        members.push_back({"zeros" + tag, std::string(size, '\0'), method});
        members.push_back({"noise" + tag, content.Noise(size), method});
    }
    members.push_back({"starts with a tag", "RLE0 is not a header here", method});
    // Several MiB, mixed, so that back-references cross the 64 KiB output area many times.
    members.push_back({"large",
        content.Text(1200000) + content.Picture(1000000) + std::string(300000, '\0') + content.Noise(700000), method});
    return members;
}

} // namespace

TEST(PackRoundTrip, EveryLayoutAndMethodInPiecesOfManySizes)
{
    const int methods[] = {kMethodStored, kMethodZlc2, kMethodRle0, kMethodBest};
    CSampleContent content(kContentSeed);
    for (int method : methods) {
        std::vector<PACK_MEMBER> members = Contents(content, method);
        for (PackLayout layout : {kLayout1, kLayout2, kLayout2Hashed}) {
            std::string archive, error;
            ASSERT_TRUE(BuildPackArchive(members, layout, 0x9E3779B9, &archive, &error)) << error;
            ExactBytes bytes(archive);
            CFPK reader;
            ASSERT_TRUE(reader.CreateFromBytes(bytes.Data(), bytes.Size(), "roundtrip.fpk"));
            for (const PACK_MEMBER& member : members) {
                const bool large = member.content.size() > 65537;
                for (int32_t piece : {0, 1, 7, 4096, 65537}) {
                    if (large && piece == 1)
                        continue; // 3 MiB one byte at a time adds time and finds nothing the 7-byte pieces miss
                    SCOPED_TRACE("method " + std::to_string(method) + ", layout " + std::to_string(layout) + ", "
                        + member.name + ", pieces of " + std::to_string(piece));
                    ASSERT_TRUE(reader.Open(member.name.c_str()));
                    ASSERT_EQ(member.content.size(), reader.GetSize());
                    int32_t pieceSize = piece == 0 ? (int32_t)member.content.size() + 1 : piece;
                    std::string content = ReadToEnd(&reader, pieceSize);
                    ASSERT_EQ(member.content.size(), content.size());
                    ASSERT_TRUE(member.content == content);
                }
            }
        }
    }
}

TEST(PackRoundTrip, ArchiveFilesAreReadThroughTheFileSystem)
{
    TestFolder folder;
    std::string path = folder.Path("disc.fpk");
    CSampleContent content(kContentSeed);
    std::vector<PACK_MEMBER> members = {{"Install.ifo", content.Text(70000), kMethodZlc2},
        {"splash.bmp", content.Picture(200000), kMethodRle0}, {"data.bin", content.Noise(140000), kMethodStored}};
    for (PackLayout layout : {kLayout1, kLayout2, kLayout2Hashed}) {
        std::string archive, error;
        ASSERT_TRUE(BuildPackArchive(members, layout, 0x01020304, &archive, &error)) << error;
        WriteBytes(path, archive);
        CFPK reader;
        ASSERT_TRUE(reader.Create(path.c_str()));
        // Out of order, so every member starts from a file position another member left.
        for (int i : {2, 0, 1, 2}) {
            ASSERT_TRUE(reader.Open(members[i].name.c_str())) << members[i].name;
            EXPECT_TRUE(members[i].content == ReadToEnd(&reader, 5000)) << layout << " " << members[i].name;
        }
    }
}

TEST(PackWriter, MethodsAreChosenAsAsked)
{
    int used = -2;
    CSampleContent content(kContentSeed);
    std::string text = content.Text(20000);
    EXPECT_LT(EncodeMember(text, kMethodZlc2, &used).size(), text.size() / 2) << "ZLC2 finds repeats";
    EXPECT_EQ(kMethodZlc2, used);
    std::string runs = EncodeMember(std::string(5000, 'a'), kMethodRle0, &used);
    EXPECT_EQ(kMethodRle0, used);
    EXPECT_EQ(Le32(1), runs.substr(16, 4)) << "runs are written in run-length mode";
    EXPECT_LT(runs.size(), 24u + 2 * 5000 / 65 + 4);
    std::string noise = EncodeMember(content.Noise(1000), kMethodRle0, &used);
    EXPECT_EQ(Le32(0), noise.substr(16, 4)) << "incompressible bytes are written in plain mode";
    EXPECT_EQ(24u + 1000, noise.size());

    struct {
        const char* proves;
        std::string content;
        int expected;
    } stored[] = {
        {"plain content is stored", "plain", kMethodStored},
        {"empty content cannot be stored", "", kMethodRle0},
        {"content beginning with a tag cannot be stored", "ZLC2 data", kMethodRle0},
        {"nor a piece of a tag, which the following bytes might complete", "RL", kMethodRle0},
    };
    for (const auto& c : stored) {
        EncodeMember(c.content, kMethodStored, &used);
        EXPECT_EQ(c.expected, used) << c.proves;
    }
    EncodeMember(content.Noise(3000), kMethodBest, &used);
    EXPECT_EQ(kMethodStored, used) << "best keeps incompressible bytes stored";
    EncodeMember(std::string(3000, 'z'), kMethodBest, &used);
    EXPECT_NE(kMethodStored, used);
}

TEST(PackWriter, NamesAreCheckedBeforeWriting)
{
    struct {
        const char* proves;
        std::vector<std::string> names;
        bool builds;
    } cases[] = {
        {"23 bytes is the longest name", {"12345678901234567890123"}, true},
        {"24 bytes is too long", {"123456789012345678901234"}, false},
        {"an empty name", {""}, false},
        {"a name given twice in different case", {"Data.bin", "DATA.BIN"}, false},
        {"no members make an empty archive", {}, true},
    };
    for (const auto& c : cases) {
        std::vector<PACK_MEMBER> members;
        for (const std::string& name : c.names)
            members.push_back({name, "x", kMethodStored});
        std::string archive, error;
        EXPECT_EQ(c.builds, BuildPackArchive(members, kLayout2Hashed, 1, &archive, &error)) << c.proves;
        EXPECT_EQ(c.builds, error.empty()) << c.proves;
    }
}
