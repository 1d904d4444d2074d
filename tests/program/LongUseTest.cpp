// Long use of the real program: many Go presses, Browse/Cancel and About cycles in one process, with its handles,
// GDI and USER objects and memory read from outside after a warm-up and at the end. Wine reports no handle or
// GUI object counts of another process (they read 0), so there only the memory figures can catch a leak.
//
// HALVARD_LONG_USE=full runs 1,000 presses and 200 cycles of each kind instead of 100 and 20.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "support/GuiDriver.h"
#include "support/HalvardFolder.h"
#include "support/TempFolder.h"
#include "text/Unicode.h"

namespace {

struct Usage {
    DWORD handles = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    SIZE_T workingSet = 0;
    SIZE_T privateBytes = 0;
};

Usage Measure(DWORD processId)
{
    Usage usage;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) {
        return usage;
    }
    GetProcessHandleCount(process, &usage.handles);
    usage.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    usage.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        usage.workingSet = memory.WorkingSetSize;
        // Wine reports no private usage; the commit charge stands in for it.
        usage.privateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
    }
    CloseHandle(process);
    return usage;
}

void Print(const char* when, const Usage& usage)
{
    std::printf("%s: handles %lu, GDI %lu, USER %lu, working set %llu KB, private %llu KB\n", when,
                static_cast<unsigned long>(usage.handles), static_cast<unsigned long>(usage.gdiObjects),
                static_cast<unsigned long>(usage.userObjects), static_cast<unsigned long long>(usage.workingSet / 1024),
                static_cast<unsigned long long>(usage.privateBytes / 1024));
    std::fflush(stdout);
}

void ExpectNoGrowth(const Usage& warm, const Usage& end, const char* what)
{
    EXPECT_LE(end.handles, warm.handles + 16) << what << ": handles";
    EXPECT_LE(end.gdiObjects, warm.gdiObjects + 16) << what << ": GDI objects";
    EXPECT_LE(end.userObjects, warm.userObjects + 16) << what << ": USER objects";
    EXPECT_LE(end.privateBytes, warm.privateBytes + 4 * 1024 * 1024) << what << ": private bytes";
    EXPECT_LE(end.workingSet, warm.workingSet + 8 * 1024 * 1024) << what << ": working set";
}

TEST(LongUse, GoBrowseAndAboutRepeatedWithoutGrowth)
{
    const bool full = std::getenv("HALVARD_LONG_USE") != nullptr && std::string(std::getenv("HALVARD_LONG_USE")) == "full";
    const int presses = full ? 1000 : 100;
    const int cycles = full ? 200 : 20;

    HalvardFolder program;
    ASSERT_TRUE(program.Installed());
    const std::wstring demos = program.MakeFolder(L"demos");
    for (int i = 1; i <= 6; ++i) {
        program.MakeFile(L"demos\\c" + std::to_wstring(i % 2) + L"](p" + std::to_wstring(i) + L".x).dm_68", "d");
    }
    program.MakeFile(L"ZuvPrefs.txt", Narrow(demos) + "\r\n2\r\n1\r\n0\r\n0\r\nann\r\n");

    const auto process = program.Start();
    const HWND main = gui::WaitForWindow(process->Id(), kMainTitle);
    ASSERT_NE(main, nullptr);
    const HWND go = gui::FindChild(main, "Go!");
    const HWND browse = gui::FindChild(main, "Browse...");

    const auto pressGo = [&](int n) {
        gui::Click(go);
        const gui::MessageBoxInfo box = gui::WaitForMessageBox(process->Id());
        ASSERT_NE(box.window, nullptr) << "press " << n;
        ASSERT_EQ(box.text, "Done!") << "press " << n;
        ASSERT_TRUE(gui::DismissMessageBox(box));
    };
    const auto browseAndCancel = [&](int n) {
        gui::Click(browse);
        const HWND dialog = gui::WaitForWindow(process->Id(), "Browse for Folder", L"#32770");
        ASSERT_NE(dialog, nullptr) << "cycle " << n;
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ASSERT_TRUE(gui::WaitForWindowGone(dialog)) << "cycle " << n;
    };
    const auto aboutOpenClose = [&](int n) {
        gui::PressCtrlKey(main, 'A');
        const HWND about = gui::WaitForWindow(process->Id(), kAboutTitle);
        ASSERT_NE(about, nullptr) << "cycle " << n;
        gui::RequestClose(about);
        ASSERT_TRUE(gui::WaitForWindowGone(about)) << "cycle " << n;
    };

    // The first rounds load what stays loaded (the shell's dialog code, the logo, caches); growth counts after.
    const int warmUp = 5;
    for (int n = 0; n < warmUp; ++n) {
        ASSERT_NO_FATAL_FAILURE(pressGo(n));
        ASSERT_NO_FATAL_FAILURE(browseAndCancel(n));
        ASSERT_NO_FATAL_FAILURE(aboutOpenClose(n));
    }
    const Usage warm = Measure(process->Id());
    Print("after warm-up", warm);
    for (int n = warmUp; n < presses; ++n) {
        ASSERT_NO_FATAL_FAILURE(pressGo(n));
    }
    const Usage afterGo = Measure(process->Id());
    Print("after Go presses", afterGo);
    ExpectNoGrowth(warm, afterGo, "Go");
    for (int n = warmUp; n < cycles; ++n) {
        ASSERT_NO_FATAL_FAILURE(browseAndCancel(n));
    }
    const Usage afterBrowse = Measure(process->Id());
    Print("after Browse cycles", afterBrowse);
    ExpectNoGrowth(afterGo, afterBrowse, "Browse");
    for (int n = warmUp; n < cycles; ++n) {
        ASSERT_NO_FATAL_FAILURE(aboutOpenClose(n));
    }
    const Usage end = Measure(process->Id());
    Print("after About cycles", end);
    ExpectNoGrowth(afterBrowse, end, "About");

    gui::RequestClose(main);
    ASSERT_TRUE(process->WaitForExit());
    EXPECT_EQ(process->ExitCode(), 0u);
    // Two challenges of three demos, two kept in each: the first press pruned, the later ones found nothing to do.
    EXPECT_EQ(ListNames(demos).size(), 4u);
}

} // namespace
