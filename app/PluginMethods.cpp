// The plug-in method table that start-up binds and the Browse button calls through.
#include "PluginMethods.h"

namespace {

const char kSelectFolderDeclaration[] = "SelectFolder as FolderItem";

} // namespace

Ref<PluginEntrypointsTable> PluginMethods;

void BindPluginMethods()
{
    PluginMethods = RuntimeAllocatePluginEntrypointsTable(1);
    (*PluginMethods)[kSelectFolderSlot] = RuntimeLookupPluginEntrypoint(kSelectFolderDeclaration);
}

bool SelectFolderAvailable()
{
    return PluginMethods && (*PluginMethods)[kSelectFolderSlot] != nullptr;
}

Ref<FolderItem> SelectFolder()
{
    return PluginMethods->CallObjectFunction<FolderItem>(kSelectFolderSlot);
}
