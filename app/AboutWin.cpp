// The About window and its controls: four centred lines above the logo, closed only by its close box.
#include "AboutWin.h"

#include <cstdint>

#include "LogoPicture.h"

namespace {

// Each control of the window is its own subclass, named after the control, that applies its properties.
namespace about {

class KestrinCanvas : public Canvas {
public:
    KestrinCanvas()
    {
        SetName("KestrinCanvas");
        SetBackdrop(LogoPicture());
        SetVisible(true);
        SetLeft(122);
        SetTop(137);
        SetWidth(40);
        SetHeight(50);
        SetAutoDeactivate(true);
        SetEnabled(true);
        SetUseFocusRing(true);
    }
};

// The four lines differ only in their name, their top and their text.
class CreditLine : public StaticText {
protected:
    CreditLine(const std::string& name, int32_t top, const std::string& text)
    {
        SetName(name);
        SetVisible(true);
        SetLeft(20);
        SetTop(top);
        SetWidth(240);
        SetHeight(20);
        SetAutoDeactivate(true);
        SetTextFont("System");
        SetTextSize(15);
        SetText(text);
        SetTextAlign(1);
        SetEnabled(true);
    }
};

class StaticText1 : public CreditLine {
public:
    StaticText1() : CreditLine("StaticText1", 14, "Tarnwick 1.9 Demo Pruner") {}
};

class StaticText2 : public CreditLine {
public:
    StaticText2() : CreditLine("StaticText2", 44, "By Kestrin!") {}
};

class StaticText3 : public CreditLine {
public:
    StaticText3() : CreditLine("StaticText3", 74, "Made with C++ and the Win32 API") {}
};

class StaticText4 : public CreditLine {
public:
    StaticText4() : CreditLine("StaticText4", 105, "kestrin@example.com") {}
};

} // namespace about

} // namespace

Ref<Canvas> AboutWin::KestrinCanvas() const
{
    return ControlAs<Canvas>("KestrinCanvas");
}

Ref<StaticText> AboutWin::StaticText1() const
{
    return ControlAs<::StaticText>("StaticText1");
}

Ref<StaticText> AboutWin::StaticText2() const
{
    return ControlAs<::StaticText>("StaticText2");
}

Ref<StaticText> AboutWin::StaticText3() const
{
    return ControlAs<::StaticText>("StaticText3");
}

Ref<StaticText> AboutWin::StaticText4() const
{
    return ControlAs<::StaticText>("StaticText4");
}

bool AboutWin::KeyDown(const std::string& key)
{
    (void)key;
    return false;
}

void AboutWin::Layout()
{
    SetBackColor(Color{0xFFFFFF});
    SetTitle("About Zuv");
    SetVisible(true);
    SetMenuBarVisible(true);
    SetCloseBox(true);
    SetWidth(286);
    SetHeight(209);
    SetMinWidth(64);
    SetMinHeight(64);
    SetMaxWidth(32000);
    SetMaxHeight(32000);
}

void AboutWin::CreateControls()
{
    Add(MakeRef<about::KestrinCanvas>());
    Add(MakeRef<about::StaticText1>());
    Add(MakeRef<about::StaticText2>());
    Add(MakeRef<about::StaticText3>());
    Add(MakeRef<about::StaticText4>());
}
