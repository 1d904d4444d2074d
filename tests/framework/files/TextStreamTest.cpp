// Text streams over real files in a temporary folder: line endings, buffer boundaries, exact bytes written.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/Handle.h"
#include "files/TextInputStream.h"
#include "files/TextOutputStream.h"
#include "support/TempFolder.h"

namespace {

class TextStreamTest : public testing::Test {
protected:
    void WriteBytes(const std::string& bytes) { folder_.MakeFile(L"file.txt", bytes); }
    std::string ReadBytes()
    {
        FileHandle file = Open(GENERIC_READ, OPEN_EXISTING);
        std::string bytes(GetFileSize(file.Get(), nullptr), '\0');
        DWORD read = 0;
        ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        bytes.resize(read);
        return bytes;
    }
    FileHandle Open(DWORD access, DWORD disposition)
    {
        const std::wstring path = folder_.PathOf(L"file.txt");
        return FileHandle(CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition, 0, nullptr));
    }
    Ref<TextInputStream> OpenInput() { return MakeRef<TextInputStream>(Open(GENERIC_READ, OPEN_EXISTING)); }
    Ref<TextOutputStream> CreateOutput() { return MakeRef<TextOutputStream>(Open(GENERIC_WRITE, CREATE_ALWAYS)); }

    TempFolder folder_;
};

TEST_F(TextStreamTest, ReadLineSplitsAtCrLfAndCrLfPairs)
{
    const std::string x1023(1023, 'x');
    const struct {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\r\nb\rc\n\nd", {"a", "b", "c", "", "d"}},
        {"", {}},
        {"last", {"last"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\r\nb\r\n", {"a", "", "b"}},
        {"\r\n\r\n", {"", ""}},
        {std::string("a\0b\nc\0", 6), {std::string("a\0b", 3), std::string("c\0", 2)}},
        {x1023 + "\r\ny", {x1023, "y"}},          // CR is byte 1,024, its LF the first of the next buffer
        {x1023 + "\rz", {x1023, "z"}},
        {x1023 + "\r", {x1023}},
        {x1023 + "\n\ry", {x1023, "", "y"}},
        {std::string(1024, 'y') + "\nz", {std::string(1024, 'y'), "z"}},
        {std::string(3000, 'w') + "\r\n" + x1023, {std::string(3000, 'w'), x1023}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        WriteBytes(cases[i].bytes);
        Ref<TextInputStream> stream = OpenInput();
        for (const std::string& line : cases[i].lines) {
            EXPECT_EQ(stream->ReadLine(), line) << "case " << i;
        }
        EXPECT_EQ(stream->ReadLine(), "") << "case " << i;
        EXPECT_EQ(stream->ReadLine(), "") << "case " << i;
        stream->Close();
    }
}

TEST_F(TextStreamTest, ReadsATenMegabyteLineWithNulBytes)
{
    std::string line(10 * 1024 * 1024, 'q');
    line[5] = '\0';
    line[line.size() - 1] = '\0';
    WriteBytes(line + "\r\nend");
    Ref<TextInputStream> stream = OpenInput();
    EXPECT_TRUE(stream->ReadLine() == line);
    EXPECT_EQ(stream->ReadLine(), "end");
    EXPECT_EQ(stream->ReadLine(), "");
}

TEST_F(TextStreamTest, ClosedInputGivesEmptyLines)
{
    WriteBytes("one\r\ntwo\r\n");
    Ref<TextInputStream> stream = OpenInput();
    EXPECT_EQ(stream->Encoding, "UTF-8");
    EXPECT_EQ(stream->ReadLine(), "one");
    stream->Close();
    stream->Close();
    EXPECT_EQ(stream->ReadLine(), "");
    EXPECT_EQ(MakeRef<TextInputStream>(FileHandle())->ReadLine(), "");
}

TEST_F(TextStreamTest, WriteLineWritesTheBytesAndTheDelimiter)
{
    const struct {
        std::string delimiter;
        std::vector<std::string> lines;
        std::string bytes;
    } cases[] = {
        {"", {"C:\\Demos\\", "3", "", "Pl\xC3\xA4yer"}, "C:\\Demos\\\r\n3\r\n\r\nPl\xC3\xA4yer\r\n"},
        {"\n", {"a", "b"}, "a\nb\n"},
        {"||", {"a"}, "a||"},
        {"", {std::string("a\0b", 3)}, std::string("a\0b\r\n", 5)},
        {"", {}, ""},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        Ref<TextOutputStream> stream = CreateOutput();
        stream->Delimiter = cases[i].delimiter;
        for (const std::string& line : cases[i].lines) {
            stream->WriteLine(line);
        }
        EXPECT_TRUE(stream->Close()) << "case " << i;
        EXPECT_TRUE(stream->Close()) << "case " << i;
        EXPECT_EQ(ReadBytes(), cases[i].bytes) << "case " << i;
    }
}

TEST_F(TextStreamTest, WrittenLinesReadBackUnchanged)
{
    const std::vector<std::string> lines = {"C:\\Demos", "3", "2", "1", "0", "\xD0\xAF \xE6\x97\xA5"};
    Ref<TextOutputStream> output = CreateOutput();
    for (const std::string& line : lines) {
        output->WriteLine(line);
    }
    ASSERT_TRUE(output->Close());
    Ref<TextInputStream> input = OpenInput();
    for (const std::string& line : lines) {
        EXPECT_EQ(input->ReadLine(), line);
    }
    EXPECT_EQ(input->ReadLine(), "");
}

TEST_F(TextStreamTest, FailedWritesAreReported)
{
    WriteBytes("keep");
    Ref<TextOutputStream> readOnly = MakeRef<TextOutputStream>(Open(GENERIC_READ, OPEN_EXISTING));
    readOnly->WriteLine("lost");
    EXPECT_TRUE(readOnly->Failed());
    EXPECT_FALSE(readOnly->Close());
    EXPECT_EQ(ReadBytes(), "keep");

    Ref<TextOutputStream> closed = CreateOutput();
    EXPECT_TRUE(closed->Close());
    closed->WriteLine("late");
    EXPECT_TRUE(closed->Failed());
    EXPECT_FALSE(closed->Close());
    EXPECT_EQ(ReadBytes(), "");

    Ref<TextOutputStream> noFile = MakeRef<TextOutputStream>(FileHandle());
    noFile->WriteLine("x");
    EXPECT_FALSE(noFile->Close());
}

} // namespace
