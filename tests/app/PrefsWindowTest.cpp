// The order in which the first activation fills the real main window, as its controls receive it.
#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/Handle.h"
#include "files/ProgramFolder.h"
#include "MainBar.h"
#include "MainWin.h"
#include "Prefs.h"
#include "ui/Application.h"

namespace {

using Trace = std::vector<const char*>;

// The controls that were given a text or a check mark, in the order they got it. Room is made before the window is
// watched, so the window procedure below does not allocate.
Trace trace;
std::map<HWND, std::pair<const char*, WNDPROC>> watched;

LRESULT CALLBACK Watch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto found = watched.find(hwnd);
    if (found == watched.end()) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if ((message == WM_SETTEXT || message == BM_SETCHECK) && trace.size() < trace.capacity()) {
        trace.push_back(found->second.first);
    }
    return CallWindowProcW(found->second.second, hwnd, message, wParam, lParam);
}

void WatchControl(const char* name, HWND hwnd)
{
    const auto original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Watch)));
    watched[hwnd] = {name, original};
}

std::wstring PrefsPath()
{
    return ProgramFolder() + L"\\ZuvPrefs.txt";
}

void WritePrefsFile(const std::string& bytes)
{
    FileHandle file(CreateFileW(PrefsPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

class PrefsWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The menu bar is made before the application object is registered, as start-up does, so that it outlives
        // its items. The plain application object's Activate does nothing: each case fills the window itself.
        const Ref<MainBar> bar = MainBarInstance();
        const Ref<Application> app = MakeRef<Application>();
        app->SetMenuBar(bar);
        RegisterApplication(app);
    }

    void SetUp() override { DeleteFileW(PrefsPath().c_str()); }
    void TearDown() override { DeleteFileW(PrefsPath().c_str()); }

    // Opens a new main window, watches its six settings and fills it as the first activation does.
    static Trace FillNewWindow()
    {
        const Ref<MainWin> window = CurrentWindow<MainWin>();
        watched.clear();
        WatchControl("DemoPathBox", window->DemoPathBox()->Handle());
        WatchControl("NumPerChallengeBox", window->NumPerChallengeBox()->Handle());
        WatchControl("NumPerPlayerBox", window->NumPerPlayerBox()->Handle());
        WatchControl("NumPlayerChek", window->NumPlayerChek()->Handle());
        WatchControl("OnlyPlayerChek", window->OnlyPlayerChek()->Handle());
        WatchControl("PlayerNameBox", window->PlayerNameBox()->Handle());
        trace.clear();
        trace.reserve(64);
        LoadPrefsOrDefaults();
        Trace filled = trace;
        window->Close();
        watched.clear();
        return filled;
    }
};

// A load places each text line as it is read, the player name (line 6) before the boxes of lines 4 and 5; the
// defaults set the boxes before the player name.
TEST_F(PrefsWindowTest, LoadAndDefaultsFillTheControlsInTheirOwnOrder)
{
    const struct {
        const char* name;
        bool fileExists;
        Trace expected;
    } cases[] = {
        {"file loaded", true,
         {"DemoPathBox", "NumPerChallengeBox", "NumPerPlayerBox", "PlayerNameBox", "NumPlayerChek", "OnlyPlayerChek"}},
        {"defaults", false,
         {"DemoPathBox", "NumPerChallengeBox", "NumPerPlayerBox", "NumPlayerChek", "OnlyPlayerChek", "PlayerNameBox"}},
    };
    for (const auto& c : cases) {
        DeleteFileW(PrefsPath().c_str());
        if (c.fileExists) {
            WritePrefsFile("p\r\n1\r\n2\r\n1\r\n0\r\nann\r\n");
        }
        const Trace filled = FillNewWindow();
        EXPECT_EQ(std::vector<std::string>(c.expected.begin(), c.expected.end()),
                  std::vector<std::string>(filled.begin(), filled.end()))
            << c.name;
    }
}

} // namespace
