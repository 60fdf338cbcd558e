// The file reader in its direct-access mode, and the whole-file load and save of CZVString built on it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/Trace.h"
#include "foundation/ZVString.h"
#include "pack/FPK.h"
#include "tests/TestFiles.h"

namespace {

std::vector<std::string> g_traced;

void Collect(const char* line)
{
    g_traced.push_back(line);
}

// Collects the trace lines for the life of a test.
class TraceCapture {
public:
    TraceCapture()
        : m_previous(SetTraceSink(Collect))
    {
        g_traced.clear();
    }
    ~TraceCapture() { SetTraceSink(m_previous); }
    const std::vector<std::string>& Lines() const { return g_traced; }

private:
    TraceSink m_previous;
};

} // namespace

TEST(PackReader, DirectAccessReadsPlainFiles)
{
    TestFolder folder;
    std::string path = folder.Path("data.txt");
    WriteBytes(path, "hello\r\nworld");

    CFPK reader;
    EXPECT_FALSE(reader.Open(path.c_str())); // nothing created yet
    ASSERT_TRUE(reader.Create(nullptr));
    EXPECT_TRUE(reader.IsDirectAccess());
    EXPECT_EQ(0u, reader.GetSize());
    ASSERT_TRUE(reader.Open(path.c_str()));
    EXPECT_EQ(12u, reader.GetSize());
    char buffer[32] = {};
    EXPECT_EQ(5, reader.Read(buffer, 5));
    EXPECT_EQ(7, reader.Read(buffer + 5, 100));
    EXPECT_EQ(0, reader.Read(buffer, 100));
    EXPECT_EQ("hello\r\nworld", std::string(buffer));
    reader.Close();
    EXPECT_FALSE(reader.IsMemberOpen());
    EXPECT_EQ(0u, reader.GetSize());
    EXPECT_EQ(0, reader.Read(buffer, 5));
}

TEST(PackReader, EmptyNameEmptyFileAndMissingFile)
{
    TestFolder folder;
    std::string empty = folder.Path("empty.bin");
    WriteBytes(empty, "");

    CFPK reader;
    ASSERT_TRUE(reader.Create(""));
    EXPECT_FALSE(reader.Open(folder.Path("missing.txt").c_str()));
    EXPECT_FALSE(reader.IsMemberOpen());
    EXPECT_FALSE(reader.Open(nullptr));
    ASSERT_TRUE(reader.Open(empty.c_str()));
    EXPECT_EQ(0u, reader.GetSize());
    char buffer[4];
    EXPECT_EQ(0, reader.Read(buffer, sizeof(buffer)));
}

TEST(PackReader, AnArchiveThatCannotBeReadIsNotOpened)
{
    TestFolder folder;
    std::string path = folder.Path("game.pak");
    WriteBytes(path, std::string("\x01\x00\x00\x00", 4)); // one entry, but no directory
    TraceCapture trace;
    CFPK reader;
    EXPECT_FALSE(reader.Create(path.c_str()));
    EXPECT_FALSE(reader.Open("member"));
    ASSERT_FALSE(trace.Lines().empty());
    EXPECT_EQ("失敗：CFPK::Create オープンに失敗 (" + path + ")\n", trace.Lines()[0]);
}

TEST(PackReader, SecondOpenClosesTheFirstWithAWarning)
{
    TestFolder folder;
    std::string first = folder.Path("first.txt"), second = folder.Path("second.txt");
    WriteBytes(first, "1111");
    WriteBytes(second, "22");

    TraceCapture trace;
    {
        CFPK reader;
        ASSERT_TRUE(reader.Create(nullptr));
        ASSERT_TRUE(reader.Open(first.c_str()));
        ASSERT_TRUE(reader.Open(second.c_str()));
        EXPECT_EQ(2u, reader.GetSize());
        // The first file is closed: it can be replaced while the reader is still open.
        WriteBytes(first, "new");
        EXPECT_EQ("new", ReadBytes(first));
    }
    const std::string archive = "直接アクセスモード";
    const std::vector<std::string> expected = {
        "情報：CFPK::Open ファイルをオープンした [" + first + "] (" + archive + ")\n",
        "警告：CFPK::Open Close(" + first + ")してからOpenしろ [" + second + "] (" + archive + ")\n",
        "情報：CFPK::Close ファイルをクローズ [" + first + "] (" + archive + ")\n",
        "情報：CFPK::Open ファイルをオープンした [" + second + "] (" + archive + ")\n",
        "情報：CFPK::Close ファイルをクローズ [" + second + "] (" + archive + ")\n",
        "情報：CFPK::Delete 破棄 (" + archive + ")\n",
    };
    EXPECT_EQ(expected, trace.Lines());
}

TEST(PackReader, DeleteWithAnOpenFileWarnsAndCloses)
{
    TestFolder folder;
    std::string path = folder.Path("open.txt");
    WriteBytes(path, "x");
    TraceCapture trace;
    CFPK reader;
    ASSERT_TRUE(reader.Create(nullptr));
    ASSERT_TRUE(reader.Open(path.c_str()));
    reader.Delete();
    EXPECT_FALSE(reader.IsMemberOpen());
    EXPECT_FALSE(reader.IsDirectAccess());
    EXPECT_EQ(0, reader.Read(nullptr, 1));
    const std::string archive = "直接アクセスモード";
    const std::vector<std::string> expected = {
        "情報：CFPK::Open ファイルをオープンした [" + path + "] (" + archive + ")\n",
        "情報：CFPK::Delete 破棄 (" + archive + ")\n",
        "警告：CFPK::Delete クローズされていないファイルがある [" + path + "] (" + archive + ")\n",
        "情報：CFPK::Close ファイルをクローズ [" + path + "] (" + archive + ")\n",
        "失敗：CFPK::Read ファイルがオープンされていない ()\n",
    };
    EXPECT_EQ(expected, trace.Lines());
}

TEST(LoadFromPack, WholeFiles)
{
    TestFolder folder;
    std::string script = folder.Path("Install.ifo");
    WriteBytes(script, "$gametitle=ゲーム\r\n表\\ソ\n");
    CZVString text("old");
    ASSERT_TRUE(text.LoadFromPack(script.c_str()));
    EXPECT_EQ("$gametitle=ゲーム\r\n表\\ソ\n", std::string(text.GetString()));

    std::string withZero = folder.Path("zero.bin");
    WriteBytes(withZero, std::string("ab\0cd", 5));
    ASSERT_TRUE(text.LoadFromPack(withZero.c_str(), ""));
    EXPECT_EQ("ab", std::string(text.GetString())); // a zero byte ends the text

    std::string empty = folder.Path("empty.txt");
    WriteBytes(empty, "");
    text = "old";
    ASSERT_TRUE(text.LoadFromPack(empty.c_str()));
    EXPECT_TRUE(text.IsEmpty());

    text = "old";
    EXPECT_FALSE(text.LoadFromPack(folder.Path("missing.ifo").c_str()));
    EXPECT_TRUE(text.IsEmpty());
    text = "old";
    EXPECT_FALSE(text.LoadFromPack("member", folder.Path("missing.pak").c_str()));
    EXPECT_TRUE(text.IsEmpty());
}

TEST(Save, WritesTheBytesAsTheyAre)
{
    TestFolder folder;
    std::string path = folder.Path("uninst.dat");
    CZVString log("[INSTALL]\r\nC:\\表\\ソ\nlast");
    TraceCapture trace;
    ASSERT_TRUE(log.Save(path.c_str()));
    EXPECT_TRUE(trace.Lines().empty()) << "a successful save traces nothing";
    EXPECT_EQ("[INSTALL]\r\nC:\\表\\ソ\nlast", ReadBytes(path));

    ASSERT_TRUE(CZVString("short").Save(path.c_str())); // an existing file is replaced whole
    EXPECT_EQ("short", ReadBytes(path));

    CZVString reloaded;
    ASSERT_TRUE(reloaded.LoadFromPack(path.c_str()));
    EXPECT_EQ("short", std::string(reloaded.GetString()));
}

TEST(Save, EmptyStringOrBadPathFails)
{
    TestFolder folder;
    std::string path = folder.Path("keep.txt");
    WriteBytes(path, "keep me");
    EXPECT_FALSE(CZVString().Save(path.c_str()));
    EXPECT_EQ("keep me", ReadBytes(path));

    TraceCapture trace;
    std::string badPath = folder.Path("no-such-folder") + "/" + "x.txt";
    EXPECT_FALSE(CZVString("text").Save(badPath.c_str()));
    ASSERT_EQ(1u, trace.Lines().size());
    EXPECT_EQ("失敗：CZVString::Save ファイルが作成できない(" + badPath + ")\n", trace.Lines()[0]);
}
