// The menu item whose default handling is Quit.
#include "QuitMenuItem.h"

#include "EventLoop.h"

bool QuitMenuItem::DefaultAction()
{
    Quit();
    return true;
}
