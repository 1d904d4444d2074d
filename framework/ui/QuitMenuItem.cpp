// The menu item whose default handling is Quit.
#include "ui/QuitMenuItem.h"

#include "ui/EventLoop.h"

bool QuitMenuItem::DefaultAction()
{
    Quit();
    return true;
}
