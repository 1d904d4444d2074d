// The event loop, Quit, ShowModal, MsgBox and the unhandled-exception report, driven from a second thread.
#include <windows.h>

#include <atomic>
#include <functional>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "support/GuiDriver.h"
#include "ui/EventLoop.h"
#include "ui/MsgBox.h"
#include "ui/PushButton.h"
#include "ui/Window.h"

namespace {

using gui::DriveWhile;

class ActionButton : public PushButton {
public:
    ActionButton(const std::string& caption, std::function<void()> action) : action_(std::move(action))
    {
        SetCaption(caption);
        SetName(caption);
        SetLeft(10);
        SetTop(10);
        SetWidth(120);
        SetHeight(24);
    }

protected:
    void Action() override { action_(); }

private:
    std::function<void()> action_;
};

class TestWin : public Window {
public:
    explicit TestWin(std::string title, std::function<void()> action = {})
        : title_(std::move(title)), action_(std::move(action))
    {
    }
    std::atomic<bool> refuseClose{false};

protected:
    void Layout() override
    {
        SetTitle(title_);
        SetWidth(300);
        SetHeight(120);
    }
    void CreateControls() override
    {
        if (action_) {
            Add(MakeRef<ActionButton>("Press", action_));
        }
    }
    bool CancelClose() override { return refuseClose; }

private:
    std::string title_;
    std::function<void()> action_;
};

HWND Button(HWND window)
{
    return gui::FindChild(window, "Press", L"Button");
}

const DWORD self = GetCurrentProcessId();

TEST(EventLoop, ClosingTheLastWindowEndsTheLoop)
{
    OpenWindow<TestWin>("First");
    OpenWindow<TestWin>("Second");
    bool firstGone = false;
    DriveWhile(RuntimeRun, [&] {
        HWND first = gui::WaitForWindow(self, "First");
        gui::RequestClose(first);
        firstGone = gui::WaitForWindowGone(first);
        gui::RequestClose(gui::WaitForWindow(self, "Second"));
    });
    EXPECT_TRUE(firstGone);
    EXPECT_TRUE(gui::TopWindows(self).empty());
}

TEST(Quit, UnwindsTheHandlerAndEndsTheLoop)
{
    bool afterQuit = false;
    bool unwound = false;
    OpenWindow<TestWin>("Other");
    OpenWindow<TestWin>("Main", [&] {
        struct Probe {
            bool& flag;
            ~Probe() { flag = true; }
        } probe{unwound};
        Quit();
        afterQuit = true;
    });
    DriveWhile(RuntimeRun, [&] { gui::Click(Button(gui::WaitForWindow(self, "Main"))); });
    EXPECT_TRUE(unwound);
    EXPECT_FALSE(afterQuit);
    EXPECT_TRUE(gui::TopWindows(self).empty());
}

TEST(Quit, RefusedByOneWindowReturnsAndClosesNothing)
{
    std::atomic<bool> afterQuit{false};
    Ref<TestWin> refusing = OpenWindow<TestWin>("Refusing");
    refusing->refuseClose = true;
    Ref<TestWin> main = OpenWindow<TestWin>("Main", [&] {
        Quit();
        afterQuit = true;
    });
    bool bothOpen = false;
    DriveWhile(RuntimeRun, [&] {
        gui::Click(Button(gui::WaitForWindow(self, "Main")));
        gui::WaitUntil([&] { return afterQuit.load(); });
        bothOpen = IsWindowVisible(main->Handle()) && IsWindowVisible(refusing->Handle());
        refusing->refuseClose = false;
    });
    EXPECT_TRUE(afterQuit);
    EXPECT_TRUE(bothOpen);
}

TEST(Quit, InsideARunningQuitReturnsAtOnce)
{
    int nestedReturned = 0;
    struct AskingWin : TestWin {
        using TestWin::TestWin;
        std::function<void()> onCancelClose;
        bool CancelClose() override
        {
            onCancelClose();
            return false;
        }
    };
    Ref<AskingWin> asking = OpenWindow<AskingWin>("Asking");
    asking->onCancelClose = [&] {
        Quit();
        ++nestedReturned;
    };
    EXPECT_THROW(Quit(), EndException);
    EXPECT_EQ(nestedReturned, 1);
    EXPECT_FALSE(asking->IsOpen());
}

TEST(ShowModal, RunsANestedLoopUntilClosedAndDisablesTheOwner)
{
    bool returned = false;
    bool ownerDisabledInside = false;
    HWND ownerHwnd = nullptr;
    Ref<TestWin> main = OpenWindow<TestWin>("Main", [&] {
        ShowModal(OpenWindow<TestWin>("Modal"));
        returned = true;
    });
    ownerHwnd = main->Handle();
    DriveWhile(RuntimeRun, [&] {
        gui::Click(Button(gui::WaitForWindow(self, "Main")));
        HWND modal = gui::WaitForWindow(self, "Modal");
        gui::WaitUntil([&] { return !IsWindowEnabled(ownerHwnd); });
        ownerDisabledInside = !IsWindowEnabled(ownerHwnd);
        EXPECT_EQ(GetWindow(modal, GW_OWNER), ownerHwnd);
        EXPECT_FALSE(returned);
        gui::RequestClose(modal);
        gui::WaitForWindowGone(modal);
        gui::WaitUntil([&] { return returned; });
        EXPECT_TRUE(IsWindowEnabled(ownerHwnd));
    });
    EXPECT_TRUE(ownerDisabledInside);
    EXPECT_TRUE(returned);
}

TEST(MsgBox, ShowsCaptionTextStyleAndActiveOwner)
{
    HWND mainHwnd = OpenWindow<TestWin>("Main", [] { MsgBox("Done!"); })->Handle();
    gui::MessageBoxInfo box;
    DriveWhile(RuntimeRun, [&] {
        HWND hwnd = gui::WaitForWindow(self, "Main");
        SetForegroundWindow(hwnd);
        gui::Click(Button(hwnd));
        box = gui::WaitForMessageBox(self);
        EXPECT_FALSE(IsWindowEnabled(hwnd));
        gui::DismissMessageBox(box);
    });
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.caption, "Message");
    EXPECT_EQ(box.text, "Done!");
    EXPECT_FALSE(box.hasCancel);
    EXPECT_EQ(box.owner, mainHwnd);
}

TEST(MsgBox, IsOwnedByTheModalWindowWhileOneIsShown)
{
    HWND modalHwnd = nullptr;
    OpenWindow<TestWin>("Main", [&] {
        ShowModal(OpenWindow<TestWin>("Modal", [&] { MsgBox("inside"); }));
    });
    gui::MessageBoxInfo box;
    DriveWhile(RuntimeRun, [&] {
        gui::Click(Button(gui::WaitForWindow(self, "Main")));
        modalHwnd = gui::WaitForWindow(self, "Modal");
        gui::Click(Button(modalHwnd));
        box = gui::WaitForMessageBox(self);
        gui::DismissMessageBox(box);
    });
    EXPECT_EQ(box.text, "inside");
    EXPECT_EQ(box.owner, modalHwnd);
}

TEST(MsgBox, HasNoOwnerWithoutAWindow)
{
    gui::MessageBoxInfo box;
    DriveWhile([] { MsgBox("alone"); }, [&] {
        box = gui::WaitForMessageBox(self);
        gui::DismissMessageBox(box);
    });
    EXPECT_EQ(box.text, "alone");
    EXPECT_EQ(box.owner, nullptr);
}

struct ReportCase {
    const char* name;
    std::function<void()> raise;
    const char* className;
    bool insideModal;
};

void PrintTo(const ReportCase& c, std::ostream* out)
{
    *out << c.name;
}

class UnhandledReport : public testing::TestWithParam<ReportCase> {};

TEST_P(UnhandledReport, NamesTheClassThenClosesEveryWindow)
{
    const ReportCase& c = GetParam();
    int result = -1;
    gui::MessageBoxInfo box;
    DriveWhile(
        [&] {
            result = RunProgram([&] {
                OpenWindow<TestWin>("Other");
                OpenWindow<TestWin>("Main", c.raise);
                RuntimeRun();
            });
        },
        [&] {
            gui::Click(Button(gui::WaitForWindow(self, "Main")));
            if (c.insideModal) {
                gui::Click(Button(gui::WaitForWindow(self, "Modal")));
            }
            box = gui::WaitForMessageBox(self);
            gui::DismissMessageBox(box);
        });
    EXPECT_EQ(box.caption, "Message");
    EXPECT_EQ(box.text, std::string("An exception of class ") + c.className +
                            " was not handled.\r\nThe application must shut down.");
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(gui::TopWindows(self).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Classes, UnhandledReport,
    testing::Values(ReportCase{"NilObject", [] { throw NilObjectException(); }, "NilObjectException", false},
                    ReportCase{"OutOfBounds", [] { throw OutOfBoundsException(); }, "OutOfBoundsException", false},
                    ReportCase{"Std", [] { throw std::runtime_error("x"); }, "std::runtime_error", false},
                    ReportCase{"InsideModal",
                               [] { ShowModal(OpenWindow<TestWin>("Modal", [] { throw NilObjectException(); })); },
                               "NilObjectException", true}),
    [](const testing::TestParamInfo<ReportCase>& param) { return std::string(param.param.name); });

TEST(UnhandledReport, CoversStartUpCodeOutsideTheLoop)
{
    int result = -1;
    gui::MessageBoxInfo box;
    DriveWhile([&] { result = RunProgram([] { throw IllegalCastException(); }); },
               [&] {
                   box = gui::WaitForMessageBox(self);
                   gui::DismissMessageBox(box);
               });
    EXPECT_EQ(box.text, "An exception of class IllegalCastException was not handled.\r\n"
                        "The application must shut down.");
    EXPECT_EQ(result, 1);
}

TEST(UnhandledReport, QuitIsNotReported)
{
    int result = -1;
    DriveWhile(
        [&] {
            result = RunProgram([] {
                OpenWindow<TestWin>("Main", [] { Quit(); });
                RuntimeRun();
            });
        },
        [&] { gui::Click(Button(gui::WaitForWindow(self, "Main"))); });
    EXPECT_EQ(result, 0);
}

// Pendrel.dll lies beside the test programs, outside System32: only a search of the program's folder finds it.
TEST(RunProgram, ALibraryBesideTheProgramIsNotFoundByName)
{
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring beside = program;
    beside = beside.substr(0, beside.find_last_of(L'\\') + 1) + L"Pendrel.dll";
    ASSERT_NE(GetFileAttributesW(beside.c_str()), INVALID_FILE_ATTRIBUTES);

    HMODULE found = nullptr;
    DWORD error = 0;
    EXPECT_EQ(RunProgram([&] {
                  found = LoadLibraryW(L"Pendrel.dll");
                  error = GetLastError();
              }),
              0);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    if (found != nullptr) {
        FreeLibrary(found);
    }
}

} // namespace
