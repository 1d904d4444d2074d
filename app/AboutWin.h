// The About window: the program's title, three credit lines and the logo, shown modally from File > About.
#pragma once

#include <string>

#include "ui/Canvas.h"
#include "ui/StaticText.h"
#include "ui/Window.h"

class AboutWin : public Window {
public:
    // The window's controls, each checked to be of its framework class.
    Ref<Canvas> KestrinCanvas() const;
    Ref<::StaticText> StaticText1() const;
    Ref<::StaticText> StaticText2() const;
    Ref<::StaticText> StaticText3() const;
    Ref<::StaticText> StaticText4() const;

protected:
    // The About window has no keyboard command: every key goes on to the framework.
    bool KeyDown(const std::string& key) override;
    void Layout() override;
    void CreateControls() override;
};
