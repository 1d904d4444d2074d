// Preferences files from the wild, through the real program: it loads what it can or ends in the report, and never
// crashes, hangs or loses the previous file.
#include <windows.h>

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/GuiDriver.h"
#include "support/HalvardFolder.h"
#include "support/TempFolder.h"
#include "support/TestText.h"
#include "text/Unicode.h"

namespace {

std::string RandomBytes(uint64_t seed, size_t size, const std::string& alphabet = std::string())
{
    std::mt19937_64 random(seed);
    std::string bytes;
    for (size_t i = 0; i < size; ++i) {
        const auto pick = random();
        bytes += alphabet.empty() ? static_cast<char>(pick & 0xFF) : alphabet[static_cast<size_t>(pick % alphabet.size())];
    }
    return bytes;
}

// The file as the program must leave it after a save: six lines, each ended by CR LF.
bool IsSixLines(const std::string& bytes)
{
    size_t lines = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            if (i == 0 || bytes[i - 1] != '\r') {
                return false;
            }
            ++lines;
        } else if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) {
            return false;
        }
    }
    return lines == 6 && !bytes.empty() && bytes.back() == '\n';
}

class PrefsWildTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(program_.Installed()); }
    void TearDown() override { SetFileAttributesW(program_.Path().c_str(), FILE_ATTRIBUTE_NORMAL); }

    // The start's outcome: the main window, or the report, which the test answers and then sees the program end.
    HWND StartsWithWindow(gui::Process& process, const std::string& context) const
    {
        for (int poll = 0; poll < 600; ++poll) {
            const HWND main = gui::WaitForWindow(process.Id(), kMainTitle, nullptr, 25);
            if (main != nullptr) {
                return main;
            }
            const gui::MessageBoxInfo box = gui::WaitForMessageBox(process.Id(), 25);
            if (box.window != nullptr) {
                EXPECT_EQ(kNilObjectReport, box.text) << context;
                EXPECT_TRUE(gui::DismissMessageBox(box)) << context;
                EXPECT_TRUE(process.WaitForExit()) << context << ": still running after the report";
                EXPECT_NE(0u, process.ExitCode()) << context;
                return nullptr;
            }
            if (process.WaitForExit(0)) {
                ADD_FAILURE() << context << ": ended without a window or a report, code " << process.ExitCode();
                return nullptr;
            }
        }
        ADD_FAILURE() << context << ": neither a window nor a report";
        process.Kill();
        return nullptr;
    }

    HalvardFolder program_;
};

// Whatever bytes the file holds, the program starts with what it can read, and the close box leaves the file as it
// was; the Quit button then writes six proper lines.
TEST_F(PrefsWildTest, AnyBytesLoadAndTheFileIsKeptOrRewrittenWhole)
{
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"random bytes", RandomBytes(1, 3000)},
        {"random line ends and bytes", RandomBytes(2, 5000, std::string("\r\n\r\n\0ab\xc3\xa9\xff", 10))},
        {"invalid UTF-8", "\xc3\r\n\xff\xfe\r\n\xed\xa0\x80\r\n\xc0\xaf\r\n\x80\r\n\xf4\x90\x80\x80\r\n"},
        {"NUL bytes", std::string("C:\\a\0b\r\n3\0\r\n\0\r\n0\0\r\n\0\r\nna\0me\r\n", 26)},
        {"a 10 MB single line", std::string(10 * 1024 * 1024, 'x')},
        {"only CRs", std::string(5000, '\r')},
        {"only LFs", std::string(3, '\n')},
        {"LF CR pairs", "a\n\rb\n\rc\n\r"},
    };
    for (const auto& c : cases) {
        for (const bool quitByButton : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (quitByButton ? ", Quit button" : ", close box"));
            program_.MakeFile(L"ZuvPrefs.txt", c.bytes);
            auto process = program_.Start();
            const HWND main = StartsWithWindow(*process, c.what);
            ASSERT_NE(main, nullptr);
            if (quitByButton) {
                gui::Click(gui::FindChild(main, "Quit"));
            } else {
                gui::RequestClose(main);
            }
            ASSERT_TRUE(process->WaitForExit()) << "no end";
            EXPECT_EQ(0u, process->ExitCode());
            if (quitByButton) {
                EXPECT_TRUE(IsSixLines(program_.PrefsBytes()));
            } else {
                EXPECT_TRUE(program_.PrefsBytes() == c.bytes) << "the file changed";
            }
        }
    }
}

// The items that cannot be read or written: a start ends in the report and a quit that cannot save does too; the
// previous file is always still there, whole.
TEST_F(PrefsWildTest, UnusableFileOrFolderEndsInTheReportAndLosesNothing)
{
    const std::string before = "C:\\Old\\\r\n1\r\n1\r\n0\r\n0\r\nold\r\n";
    {
        SCOPED_TRACE("a folder with a file in it named ZuvPrefs.txt");
        program_.MakeFolder(L"ZuvPrefs.txt");
        program_.MakeFile(L"ZuvPrefs.txt\\inside.txt", "inside");
        auto process = program_.Start();
        EXPECT_EQ(StartsWithWindow(*process, "folder"), nullptr);
        EXPECT_EQ(text::ReadFileBytes(program_.PathOf(L"ZuvPrefs.txt\\inside.txt")), "inside");
        DeleteFileW(program_.PathOf(L"ZuvPrefs.txt\\inside.txt").c_str());
        RemoveDirectoryW(program_.PrefsPath().c_str());
    }
    {
        SCOPED_TRACE("a read-only file loads; the close box leaves it");
        program_.MakeFile(L"ZuvPrefs.txt", before);
        SetFileAttributesW(program_.PrefsPath().c_str(), FILE_ATTRIBUTE_READONLY);
        auto process = program_.Start();
        const HWND main = StartsWithWindow(*process, "read-only");
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(gui::ReadText(gui::ChildOfClass(main, L"Edit", 0)), "C:\\Old\\");
        gui::RequestClose(main);
        ASSERT_TRUE(process->WaitForExit());
        EXPECT_EQ(program_.PrefsBytes(), before);
        SetFileAttributesW(program_.PrefsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    {
        SCOPED_TRACE("the file replaced by a folder while the program runs, then Quit");
        program_.MakeFile(L"ZuvPrefs.txt", before);
        auto process = program_.Start();
        const HWND main = StartsWithWindow(*process, "replaced");
        ASSERT_NE(main, nullptr);
        DeleteFileW(program_.PrefsPath().c_str());
        program_.MakeFolder(L"ZuvPrefs.txt");
        program_.MakeFile(L"ZuvPrefs.txt\\inside.txt", "inside");
        gui::Click(gui::FindChild(main, "Quit"));
        const gui::MessageBoxInfo box = gui::WaitForMessageBox(process->Id());
        ASSERT_NE(box.window, nullptr);
        EXPECT_EQ(box.text, kNilObjectReport);
        gui::DismissMessageBox(box);
        ASSERT_TRUE(process->WaitForExit());
        EXPECT_EQ(text::ReadFileBytes(program_.PathOf(L"ZuvPrefs.txt\\inside.txt")), "inside");
        DeleteFileW(program_.PathOf(L"ZuvPrefs.txt\\inside.txt").c_str());
        RemoveDirectoryW(program_.PrefsPath().c_str());
    }
    {
        SCOPED_TRACE("a read-only program folder at quit");
        program_.MakeFile(L"ZuvPrefs.txt", before);
        auto process = program_.Start();
        const HWND main = StartsWithWindow(*process, "read-only folder");
        ASSERT_NE(main, nullptr);
        gui::TypeText(gui::ChildOfClass(main, L"Edit", 1), "new");
        SetFileAttributesW(program_.Path().c_str(), FILE_ATTRIBUTE_READONLY);
        gui::Click(gui::FindChild(main, "Quit"));
        // Windows ignores a folder's read-only mark, and so may the program: it saves, or it reports and keeps
        // the old file.
        for (int poll = 0; poll < 400 && !process->WaitForExit(25);) {
            const gui::MessageBoxInfo box = gui::WaitForMessageBox(process->Id(), 25);
            if (box.window != nullptr) {
                EXPECT_EQ(box.text, kNilObjectReport);
                gui::DismissMessageBox(box);
            }
            ++poll;
        }
        ASSERT_TRUE(process->WaitForExit());
        SetFileAttributesW(program_.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
        const std::string after = program_.PrefsBytes();
        EXPECT_TRUE(after == before || after == "C:\\Old\\\r\n1\r\n1\r\n0\r\n0\r\nnew\r\n") << after;
        EXPECT_EQ(ListNames(program_.Path()), (std::vector<std::wstring>{L"Halvard.exe", L"ZuvPrefs.txt"}));
    }
}

} // namespace
