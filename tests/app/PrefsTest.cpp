// The preferences file's format on real files: what each kind of file reads as, the exact bytes a save writes,
// and that a save which cannot finish leaves the previous file whole.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/Handle.h"
#include "PrefsFile.h"
#include "support/TempFolder.h"
#include "support/TestText.h"

namespace {

const std::string kGoodFile = "C:\\Old\\\r\n7\r\n2\r\n1\r\n0\r\nann\r\n";

void ExpectValues(const MainWinSettings& expected, const MainWinSettings& actual, const std::string& context)
{
    EXPECT_EQ(expected.demoPath, actual.demoPath) << context;
    EXPECT_EQ(expected.numPerChallenge, actual.numPerChallenge) << context;
    EXPECT_EQ(expected.numPerPlayer, actual.numPerPlayer) << context;
    EXPECT_EQ(expected.limitPerPlayer, actual.limitPerPlayer) << context;
    EXPECT_EQ(expected.onlyPlayer, actual.onlyPlayer) << context;
    EXPECT_EQ(expected.playerName, actual.playerName) << context;
}

class PrefsTest : public testing::Test {
protected:
    MainWinSettings Read(const std::string& bytes)
    {
        const std::wstring path = folder_.MakeFile(L"ZuvPrefs.txt", bytes);
        const auto file = MakeRef<FolderItem>(path);
        Ref<TextInputStream> stream = file->OpenAsTextFile();
        MainWinSettings values = ReadPrefs(*stream);
        stream->Close();
        return values;
    }
    Ref<FolderItem> Target() const { return MakeRef<FolderItem>(folder_.PathOf(L"ZuvPrefs.txt")); }
    // Only the preferences file itself may be left in the folder after a save, whether it worked or not.
    std::vector<std::wstring> Entries() const { return ListNames(folder_.Path()); }

    TempFolder folder_;
};

TEST_F(PrefsTest, ReadTakesSixLinesAsTheyAre)
{
    const struct {
        const char* name;
        std::string bytes;
        MainWinSettings expected;
    } cases[] = {
        {"crlf", kGoodFile, {"C:\\Old\\", "7", "2", true, false, "ann"}},
        {"lone lf", "C:\\Old\\\n7\n2\n1\n0\nann\n", {"C:\\Old\\", "7", "2", true, false, "ann"}},
        {"lone cr", "C:\\Old\\\r7\r2\r1\r0\rann\r", {"C:\\Old\\", "7", "2", true, false, "ann"}},
        {"no end on last line", "p\r\n1\r\n2\r\n0\r\n1\r\nbob", {"p", "1", "2", false, true, "bob"}},
        {"three lines", "D:\\x\\\r\n5\r\n6\r\n", {"D:\\x\\", "5", "6", true, true, ""}},
        {"empty", "", {"", "", "", true, true, ""}},
        {"overlong", "a\r\nb\r\nc\r\n0\r\n0\r\nd\r\ne\r\nf\r\n", {"a", "b", "c", false, false, "d"}},
        {"text kept untrimmed", " p \r\n abc\r\n-1\r\n0\r\n0\r\n Kim \r\n", {" p ", " abc", "-1", false, false, " Kim "}},
        {"empty text lines", "\r\n\r\n\r\n0\r\n0\r\n\r\n", {"", "", "", false, false, ""}},
        {"non-ascii", "C:\\Démos\\Ωmega\\\r\n3\r\n3\r\n0\r\n0\r\nJosé Ñandú 名前\r\n",
         {"C:\\Démos\\Ωmega\\", "3", "3", false, false, "José Ñandú 名前"}},
        // An editor's byte-order mark: one at the very start is skipped, anything else stays text.
        {"mark", "\xEF\xBB\xBF" + kGoodFile, {"C:\\Old\\", "7", "2", true, false, "ann"}},
        {"mark on an empty first line", "\xEF\xBB\xBF\r\n7\r\n2\r\n0\r\n0\r\nann\r\n",
         {"", "7", "2", false, false, "ann"}},
        {"mark alone", "\xEF\xBB\xBF", {"", "", "", true, true, ""}},
        {"two marks", "\xEF\xBB\xBF\xEF\xBB\xBFp\r\n", {"\xEF\xBB\xBFp", "", "", true, true, ""}},
        {"mark on a later line", "p\r\n\xEF\xBB\xBF" "7\r\n2\r\n0\r\n0\r\n\xEF\xBB\xBFn\r\n",
         {"p", "\xEF\xBB\xBF" "7", "2", false, false, "\xEF\xBB\xBFn"}},
        {"part of a mark", "\xEF\xBBp\r\n", {"\xEF\xBBp", "", "", true, true, ""}},
    };
    for (const auto& c : cases) {
        ExpectValues(c.expected, Read(c.bytes), c.name);
    }
}

TEST_F(PrefsTest, OnlyAnExactZeroUnchecksABox)
{
    const struct {
        std::string line;
        bool checked;
    } cases[] = {
        {"0", false}, {"1", true}, {"2", true}, {"yes", true}, {"0 ", true}, {" 0", true},
        {"00", true}, {"O", true}, {"", true}, {"\t0", true},
    };
    for (const auto& c : cases) {
        const MainWinSettings values = Read("p\r\n3\r\n3\r\n" + c.line + "\r\n" + c.line + "\r\nn\r\n");
        EXPECT_EQ(c.checked, values.limitPerPlayer) << "line 4 \"" << c.line << "\"";
        EXPECT_EQ(c.checked, values.onlyPlayer) << "line 5 \"" << c.line << "\"";
    }
}

TEST_F(PrefsTest, WriteGivesSixCrLfLinesInUtf8WithoutMark)
{
    const struct {
        MainWinSettings values;
        std::string bytes;
    } cases[] = {
        {{"C:\\Games\\Demos\\", "3", "3", false, false, "UnnamedPlayer"},
         "C:\\Games\\Demos\\\r\n3\r\n3\r\n0\r\n0\r\nUnnamedPlayer\r\n"},
        {{"", "", "", true, true, ""}, "\r\n\r\n\r\n1\r\n1\r\n\r\n"},
        {{"x", "abc", "-4", true, false, " sp "}, "x\r\nabc\r\n-4\r\n1\r\n0\r\n sp \r\n"},
        {{"C:\\Démos\\", "0", "12", false, true, "Zoë"},
         "C:\\D\xC3\xA9mos\\\r\n0\r\n12\r\n0\r\n1\r\nZo\xC3\xAB\r\n"},
    };
    for (const auto& c : cases) {
        WritePrefs(*Target(), c.values);
        EXPECT_EQ(c.bytes, text::ReadFileBytes(folder_.PathOf(L"ZuvPrefs.txt")));
        EXPECT_EQ(std::vector<std::wstring>{L"ZuvPrefs.txt"}, Entries());
    }
}

TEST_F(PrefsTest, WhatIsWrittenReadsBackTheSame)
{
    const MainWinSettings cases[] = {
        {"C:\\Spiele\\Démos ü\\", "3", "1", true, true, "Ñandú"},
        {"\\\\server\\share\\d\\", "", "x", false, true, ""},
        {std::string(5000, 'p'), "999999999999", "0", false, false, std::string(3000, 'n')},
    };
    for (const auto& values : cases) {
        WritePrefs(*Target(), values);
        Ref<TextInputStream> stream = Target()->OpenAsTextFile();
        ExpectValues(values, ReadPrefs(*stream), values.playerName);
        stream->Close();
    }
}

TEST_F(PrefsTest, WriteReplacesALongerFileAndCreatesAMissingOne)
{
    folder_.MakeFile(L"ZuvPrefs.txt", "a\r\nb\r\nc\r\n1\r\n1\r\nd\r\ne\r\nf\r\ng\r\n");
    WritePrefs(*Target(), {"p", "1", "2", false, false, "q"});
    EXPECT_EQ("p\r\n1\r\n2\r\n0\r\n0\r\nq\r\n", text::ReadFileBytes(folder_.PathOf(L"ZuvPrefs.txt")));

    DeleteFileW(folder_.PathOf(L"ZuvPrefs.txt").c_str());
    WritePrefs(*Target(), {"r", "4", "5", true, false, "s"});
    EXPECT_EQ("r\r\n4\r\n5\r\n1\r\n0\r\ns\r\n", text::ReadFileBytes(folder_.PathOf(L"ZuvPrefs.txt")));
    EXPECT_EQ(std::vector<std::wstring>{L"ZuvPrefs.txt"}, Entries());
}

// Each way a save can fail raises NilObjectException and leaves what was there before untouched.
TEST_F(PrefsTest, AFailedWriteKeepsThePreviousFile)
{
    const MainWinSettings values{"new", "1", "1", true, true, "new"};

    {
        const std::wstring path = folder_.MakeFile(L"ZuvPrefs.txt", kGoodFile);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_THROW(WritePrefs(*Target(), values), NilObjectException) << "read-only file";
        EXPECT_EQ(kGoodFile, text::ReadFileBytes(path));
        EXPECT_EQ(std::vector<std::wstring>{L"ZuvPrefs.txt"}, Entries());
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    {
        const std::wstring path = folder_.MakeFile(L"ZuvPrefs.txt", kGoodFile);
        FileHandle held(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_THROW(WritePrefs(*Target(), values), NilObjectException) << "file held without sharing";
        held.Reset();
        EXPECT_EQ(kGoodFile, text::ReadFileBytes(path));
        EXPECT_EQ(std::vector<std::wstring>{L"ZuvPrefs.txt"}, Entries());
        DeleteFileW(path.c_str());
    }
    {
        folder_.MakeFolder(L"ZuvPrefs.txt");
        folder_.MakeFile(L"ZuvPrefs.txt\\keep.txt", "kept");
        EXPECT_THROW(WritePrefs(*Target(), values), NilObjectException) << "folder of that name";
        EXPECT_EQ("kept", text::ReadFileBytes(folder_.PathOf(L"ZuvPrefs.txt\\keep.txt")));
        EXPECT_EQ(std::vector<std::wstring>{L"ZuvPrefs.txt"}, Entries());
    }
    {
        const auto inMissingFolder = MakeRef<FolderItem>(folder_.PathOf(L"missing\\ZuvPrefs.txt"));
        EXPECT_THROW(WritePrefs(*inMissingFolder, values), NilObjectException) << "folder cannot be written";
    }
}

} // namespace
