// The plug-in method table that start-up binds and the Browse button calls through.
#pragma once

#include <cstdint>

#include "files/FolderItem.h"
#include "plugins/PluginBinding.h"

// One slot, for SelectFolder. Nil until start-up binds it; the slot stays empty when the plug-in's method was not
// found and the user went on past the failed-assertion box. Kept until the process ends.
extern Ref<PluginEntrypointsTable> PluginMethods;
constexpr int32_t kSelectFolderSlot = 0;

// Start-up's binding: allocates the one-slot table and stores, untested, what the lookup of
// "SelectFolder as FolderItem" gives.
void BindPluginMethods();

// Whether SelectFolder can be called: the table exists and its slot holds an entry.
bool SelectFolderAvailable();
// Shows the folder-browsing dialog through the bound slot: the chosen folder, or nil when the user cancelled.
// The plug-in hands over the item's one reference. NilObjectException when SelectFolderAvailable() is false.
Ref<FolderItem> SelectFolder();
