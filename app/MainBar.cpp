// Builds the File menu: Quit (Ctrl+Q) above About (Ctrl+A), no separator.
#include "MainBar.h"

#include <string>

#include "ui/QuitMenuItem.h"

namespace {

void SetUp(MenuItem& item, const std::string& name, const std::string& text, const std::string& commandKey)
{
    item.SetName(name);
    item.SetText(text);
    item.SetCommandKey(commandKey);
    item.SetAutoEnable(true);
    item.SetBold(false);
    item.SetItalic(false);
    item.SetUnderline(false);
}

} // namespace

MainBar::MainBar()
{
    auto fileMenu = MakeRef<MenuItem>();
    SetUp(*fileMenu, "FileMenu", "&File", "");

    auto fileQuit = MakeRef<QuitMenuItem>();
    SetUp(*fileQuit, "FileQuit", "Quit", "Q");
    fileMenu->Append(fileQuit);

    auto aboutItem = MakeRef<MenuItem>();
    SetUp(*aboutItem, "AboutItem", "About", "A");
    fileMenu->Append(aboutItem);

    Append(fileMenu);
}

Ref<MainBar> MainBarInstance()
{
    static const Ref<MainBar> instance = MakeRef<MainBar>();
    return instance;
}
