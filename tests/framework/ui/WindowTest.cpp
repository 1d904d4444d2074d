// Windows and their controls as the native system sees them: building order, sizes, positions, state.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/ToolkitTestIds.h"
#include "support/GuiDriver.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/CheckBox.h"
#include "ui/EditField.h"
#include "ui/PushButton.h"
#include "ui/StaticText.h"
#include "ui/Window.h"

namespace {

std::vector<std::string> events;

class LoggingApp : public Application {
public:
    void Activate() override
    {
        Ref<Window> probe = CurrentProbe();
        events.push_back("Activate controls=" + std::to_string(probe ? probe->ControlCount() : -1) +
                         " visible=" + std::to_string(probe && IsWindowVisible(probe->Handle())));
    }
    std::function<Ref<Window>()> CurrentProbe;
};

class Field : public EditField {
public:
    Field(int32_t left, int32_t top, int32_t width, int32_t height)
    {
        SetName("Field");
        SetLeft(left);
        SetTop(top);
        SetWidth(width);
        SetHeight(height);
        SetTextFont("System");
        SetTextSize(12);
    }
};

class Box : public CheckBox {
public:
    explicit Box(const std::string& name)
    {
        SetName(name);
        SetCaption(name + " caption");
        SetLeft(10);
        SetTop(40);
        SetWidth(150);
        SetHeight(20);
    }
    std::function<void(Box&)> onAction;
    int actions = 0;

protected:
    void Action() override
    {
        ++actions;
        if (onAction) {
            onAction(*this);
        }
    }
};

class Button : public PushButton {
public:
    Button()
    {
        SetName("Button");
        SetCaption("Go!");
        SetLeft(200);
        SetTop(40);
        SetWidth(82);
        SetHeight(20);
    }
};

class Label : public StaticText {
public:
    Label()
    {
        SetName("Label");
        SetText("Label text");
        SetLeft(10);
        SetTop(70);
        SetWidth(100);
        SetHeight(20);
    }
};

class ProbeWin : public Window {
public:
    ProbeWin()
    {
        events.push_back("constructed");
    }
    bool refuseClose = false;

protected:
    void Layout() override
    {
        events.push_back("Layout");
        SetBackColor(Color(0xFFFFFF));
        SetTitle("Probe \xC3\xA9t\xC3\xA9");
        SetVisible(true);
        SetWidth(705);
        SetHeight(242);
    }
    void CreateControls() override
    {
        events.push_back("CreateControls");
        Add(MakeRef<Field>(101, 14, 485, 21));
        Add(MakeRef<Box>("First"));
        Add(MakeRef<Button>());
        Add(MakeRef<Label>());
    }
    bool CancelClose() override { return refuseClose; }
};

// A label added before the input controls, overlapping the field by 50 pixels.
class OverlapWin : public Window {
protected:
    void Layout() override
    {
        SetTitle("Overlap");
        SetWidth(300);
        SetHeight(100);
    }
    void CreateControls() override
    {
        Add(MakeRef<Label>());
        Add(MakeRef<Field>(60, 70, 200, 20));
        Add(MakeRef<Box>("First"));
        Add(MakeRef<Button>());
    }
};

class PlainWin : public Window {
protected:
    void Layout() override
    {
        SetTitle("Plain");
        SetWidth(200);
        SetHeight(100);
    }
};

TEST(Window, BuildsInOrderWithActivateAfterControlsBeforeShowing)
{
    events.clear();
    auto app = MakeRef<LoggingApp>();
    app->CurrentProbe = [] { return Ref<Window>(CurrentWindow<ProbeWin>()); };
    RegisterApplication(app);
    Ref<ProbeWin> window = CurrentWindow<ProbeWin>();
    std::vector<std::string> expected{"constructed", "Layout", "CreateControls", "Activate controls=4 visible=0"};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    // Showing the window activates the program, which must not count as a second activation.
    EXPECT_EQ(events.size(), expected.size());
    window->Close();
}

TEST(Window, ContentSizeTitleAndControlsAreAsSet)
{
    Ref<ProbeWin> window = OpenWindow<ProbeWin>();
    HWND hwnd = window->Handle();
    SIZE client = gui::ClientSize(hwnd);
    EXPECT_EQ(client.cx, 705);
    EXPECT_EQ(client.cy, 242);
    EXPECT_EQ(gui::ReadText(hwnd), "Probe \xC3\xA9t\xC3\xA9");

    struct Expected {
        const char* className;
        const char* text;
        RECT rect;
    };
    const Expected expected[] = {
        {"Edit", "", {101, 14, 586, 35}},
        {"Button", "First caption", {10, 40, 160, 60}},
        {"Button", "Go!", {200, 40, 282, 60}},
        {"Static", "Label text", {10, 70, 110, 90}},
    };
    std::vector<HWND> children = gui::Children(hwnd);
    ASSERT_EQ(children.size(), 4u);
    for (size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(gui::ClassName(children[i]), expected[i].className);
        EXPECT_EQ(gui::ReadText(children[i]), expected[i].text);
        RECT rect = gui::ChildRect(children[i]);
        EXPECT_EQ(rect.left, expected[i].rect.left);
        EXPECT_EQ(rect.top, expected[i].rect.top);
        EXPECT_EQ(rect.right, expected[i].rect.right);
        EXPECT_EQ(rect.bottom, expected[i].rect.bottom);
        EXPECT_EQ(window->ControlAt(static_cast<int32_t>(i))->Handle(), children[i]);
    }
    // The framework's view matches the native one.
    EXPECT_EQ(window->ControlAs<StaticText>("label")->Text(), "Label text");
    EXPECT_THROW(window->ControlAs<PushButton>("Label"), IllegalCastException);
    EXPECT_THROW(window->ControlAs<PushButton>("Missing"), NilObjectException);
    window->Close();
}

// Whatever order they were added in, a label stays below the input controls: it paints nothing over a field it
// overlaps, and Tab goes through the input controls in the order they were added.
TEST(Window, LabelsStayBelowTheInputControlsTheyOverlap)
{
    Ref<OverlapWin> window = OpenWindow<OverlapWin>();
    HWND hwnd = window->Handle();
    HWND field = window->ControlNamed("Field")->Handle();
    HWND box = window->ControlNamed("First")->Handle();
    HWND button = window->ControlNamed("Button")->Handle();
    EXPECT_EQ(box, GetNextDlgTabItem(hwnd, field, FALSE));
    EXPECT_EQ(button, GetNextDlgTabItem(hwnd, box, FALSE));
    EXPECT_EQ(field, GetNextDlgTabItem(hwnd, button, FALSE));

    const gui::Screenshot shot = gui::Capture(hwnd);
    ASSERT_FALSE(shot.bits.empty());
    const RECT overlap{60, 70, 110, 90};
    EXPECT_EQ(0, shot.CountAtClient(overlap, shot.AtClient(2, 2))) << "pixels of the field painted over by the label";
    window->Close();
}

TEST(Window, ControlKnowsItsWindowOnlyWhileItIsOpen)
{
    Ref<ProbeWin> window = OpenWindow<ProbeWin>();
    Ref<Button> button = window->ControlAs<Button>("Button");
    EXPECT_EQ(button->WindowAs<ProbeWin>().Get(), window.Get());
    EXPECT_THROW(button->WindowAs<PlainWin>(), IllegalCastException);
    window->Close();
    EXPECT_FALSE(button->Window());
    EXPECT_THROW(button->WindowAs<ProbeWin>(), NilObjectException);
}

TEST(Window, CurrentWindowIsOnePerClassAndNewAfterClosing)
{
    Ref<PlainWin> first = CurrentWindow<PlainWin>();
    EXPECT_EQ(CurrentWindow<PlainWin>().Get(), first.Get());
    EXPECT_EQ(RuntimeGetImplicitWindow<PlainWin>().Get(), first.Get());
    EXPECT_NE(CurrentWindow<ProbeWin>().Get(), static_cast<Window*>(first.Get()));
    CurrentWindow<ProbeWin>()->Close();
    ASSERT_TRUE(first->Close());
    EXPECT_FALSE(first->IsOpen());
    EXPECT_FALSE(RuntimeGetImplicitWindow<PlainWin>());
    Ref<PlainWin> second = CurrentWindow<PlainWin>();
    EXPECT_NE(second.Get(), first.Get());
    EXPECT_TRUE(second->IsOpen());
    second->Close();
}

TEST(Window, CancelCloseKeepsTheWindowOpen)
{
    Ref<ProbeWin> window = OpenWindow<ProbeWin>();
    window->refuseClose = true;
    EXPECT_FALSE(window->Close());
    EXPECT_TRUE(IsWindow(window->Handle()));
    window->refuseClose = false;
    HWND hwnd = window->Handle();
    EXPECT_TRUE(window->Close());
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(Window, TextKeptAfterTheWindowCloses)
{
    Ref<ProbeWin> window = OpenWindow<ProbeWin>();
    Ref<Field> field = window->ControlAs<Field>("Field");
    Ref<Box> box = window->ControlAs<Box>("First");
    gui::TypeText(field->Handle(), "typed");
    SendMessageW(box->Handle(), BM_CLICK, 0, 0);
    window->Close();
    EXPECT_EQ(field->Text(), "typed");
    EXPECT_TRUE(box->Value());
}

TEST(EditField, TextRoundTripsUtf8)
{
    Ref<ProbeWin> window = OpenWindow<ProbeWin>();
    Ref<Field> field = window->ControlAs<Field>("Field");
    const std::string texts[] = {"", "C:\\Demos\\", "J\xC3\xBCrgen \xE2\x82\xAC", "\xF0\x9F\x8E\xAE game",
                                 std::string(300, 'x')};
    for (const auto& text : texts) {
        field->SetText(text);
        EXPECT_EQ(field->Text(), text);
        EXPECT_EQ(gui::ReadText(field->Handle()), text);
    }
    // What the user types is what the program reads.
    gui::TypeText(field->Handle(), "\xC3\x98ystein");
    EXPECT_EQ(field->Text(), "\xC3\x98ystein");
    window->Close();
}

TEST(CheckBox, SettingValueRunsActionEvenWhenUnchanged)
{
    Ref<ProbeWin> window = OpenWindow<ProbeWin>();
    Ref<Box> box = window->ControlAs<Box>("First");
    struct Step {
        bool set;
        int actions;
    };
    const Step steps[] = {{true, 1}, {true, 2}, {false, 3}, {false, 4}};
    for (const auto& step : steps) {
        box->SetValue(step.set);
        EXPECT_EQ(box->Value(), step.set);
        EXPECT_EQ(gui::IsChecked(box->Handle()), step.set);
        EXPECT_EQ(box->actions, step.actions);
    }
    // A click toggles and runs Action once.
    SendMessageW(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(box->Value());
    EXPECT_EQ(box->actions, 5);
    window->Close();
}

TEST(CheckBox, SettingValueFromItsOwnActionDoesNotRunItAgain)
{
    Ref<ProbeWin> window = OpenWindow<ProbeWin>();
    Ref<Box> box = window->ControlAs<Box>("First");
    auto other = MakeRef<Box>("Second");
    window->Add(other);
    // Its own Action sets its Value back: no second run. It sets the other box: that one's Action runs.
    box->onAction = [&](Box& self) {
        self.SetValue(false);
        other->SetValue(true);
    };
    other->onAction = [&](Box&) { box->SetValue(true); };
    SendMessageW(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(box->actions, 1);
    EXPECT_EQ(other->actions, 1);
    EXPECT_TRUE(other->Value());
    EXPECT_TRUE(box->Value()); // the other box's Action set it, without running Action again
    window->Close();
}

TEST(Control, EnabledReachesTheNativeControl)
{
    Ref<ProbeWin> window = OpenWindow<ProbeWin>();
    for (int32_t i = 0; i < window->ControlCount(); ++i) {
        Ref<Control> control = window->ControlAt(i);
        SCOPED_TRACE(control->Name());
        control->SetEnabled(false);
        EXPECT_FALSE(gui::IsEnabled(control->Handle()));
        EXPECT_FALSE(control->Enabled());
        control->SetEnabled(true);
        EXPECT_TRUE(gui::IsEnabled(control->Handle()));
    }
    window->Close();
}

TEST(StaticText, AlignmentChangesTheNativeStyle)
{
    Ref<ProbeWin> window = OpenWindow<ProbeWin>();
    Ref<Label> label = window->ControlAs<Label>("Label");
    const std::pair<int32_t, LONG_PTR> cases[] = {{1, SS_CENTER}, {2, SS_RIGHT}, {0, SS_LEFT}};
    for (const auto& [align, style] : cases) {
        label->SetTextAlign(align);
        EXPECT_EQ(GetWindowLongPtrW(label->Handle(), GWL_STYLE) & SS_TYPEMASK, style);
    }
    window->Close();
}

TEST(Canvas, CanvasesShareOnePicture)
{
    Ref<Picture> picture = Picture::FromResource(IDB_PROBE_PICTURE);
    EXPECT_EQ(picture->Width(), 6);
    EXPECT_EQ(picture->Height(), 4);
    Ref<ProbeWin> window = OpenWindow<ProbeWin>();
    auto first = MakeRef<Canvas>();
    auto second = MakeRef<Canvas>();
    first->SetBackdrop(picture);
    second->SetBackdrop(picture);
    first->SetWidth(10);
    first->SetHeight(8);
    window->Add(first);
    window->Add(second);
    EXPECT_EQ(picture->ReferenceCount(), 3);
    EXPECT_EQ(first->Backdrop().Get(), second->Backdrop().Get());
    // The canvas keeps its own size around the smaller picture.
    RECT rect = gui::ChildRect(first->Handle());
    EXPECT_EQ(rect.right - rect.left, 10);
    EXPECT_EQ(rect.bottom - rect.top, 8);
    EXPECT_THROW(Picture::FromResource(999), NilObjectException);
    window->Close();
}

} // namespace
