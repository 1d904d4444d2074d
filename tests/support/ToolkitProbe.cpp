// A small windowed program for the toolkit tests: a window with a File menu whose shortcuts the tests press.
#include <windows.h>

#include <string>

#include "ui/Application.h"
#include "ui/EditField.h"
#include "ui/EventLoop.h"
#include "ui/MsgBox.h"
#include "ui/QuitMenuItem.h"
#include "ui/Window.h"

namespace {

class ProbeBar : public MenuBar {
public:
    ProbeBar()
    {
        auto file = MakeRef<MenuItem>();
        file->SetName("FileMenu");
        file->SetText("&File");
        auto quit = MakeRef<QuitMenuItem>();
        quit->SetName("FileQuit");
        quit->SetText("Quit");
        quit->SetCommandKey("Q");
        auto say = MakeRef<MenuItem>();
        say->SetName("SayItem");
        say->SetText("Say");
        say->SetCommandKey("s");
        file->Append(quit);
        file->Append(say);
        Append(file);
    }
};

// Both answer with a message box so that the test sees which ran.
class SayHandler : public MenuHandler {
public:
    bool Action(int32_t) override
    {
        MsgBox("said");
        return true;
    }
};

class QuitHandler : public MenuHandler {
public:
    bool Action(int32_t) override
    {
        MsgBox("quitting");
        return false;
    }
};

class NameBox : public EditField {
public:
    NameBox()
    {
        SetName("NameBox");
        SetLeft(10);
        SetTop(10);
        SetWidth(200);
        SetHeight(22);
    }
};

class ProbeWin : public Window {
protected:
    void Layout() override
    {
        SetMenuBar(GetApplication()->MenuBar());
        SetTitle("Toolkit Probe");
        SetWidth(320);
        SetHeight(120);
    }
    void CreateControls() override { Add(MakeRef<NameBox>()); }
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    std::wstring arguments = commandLine;
    return RunProgram([&] {
        if (arguments.find(L"throw") != std::wstring::npos) {
            throw NilObjectException();
        }
        auto app = MakeRef<Application>();
        app->SetMenuBar(MakeRef<ProbeBar>());
        app->AddMenuHandler("SayItem", MakeRef<SayHandler>());
        app->AddMenuHandler("FileQuit", MakeRef<QuitHandler>());
        RegisterApplication(app);
        CurrentWindow<ProbeWin>();
        RuntimeRun();
    });
}
