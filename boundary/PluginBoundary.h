/* What crosses between a program and a plug-in library: the entry point, the host services looked up by name and the
   record a plug-in registers a method with. Plain C and nothing of either side, so that both include this alone. */
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The host's file object. A plug-in only passes the pointer on; it never looks inside. */
struct FolderItem;

/* A method's entry as the record carries it and the binding hands it out; the caller casts it to the real one. */
typedef void (*PluginEntrypoint)(void);

/* Interface versions from this one on register methods as this record. The host keeps the pointer, not a copy, so
   the record lives in the library, unchanged, for as long as the library is loaded. Three pointer-sized fields and
   nothing after them. */
#define PLUGIN_RECORD_BY_POINTER_VERSION 3
typedef struct PluginMethodRecord {
    PluginEntrypoint entry;
    PluginEntrypoint secondEntry; /* the method's write form, when it has one */
    const char* declaration;      /* e.g. "Name as Type": the key the program binds the method by */
} PluginMethodRecord;

/* Maps a service name to the host's entry for it, or to null when the host has no such service. Names are compared
   whole, ASCII letters' case ignored. */
typedef void* (*PluginLookupFunction)(const char* serviceName);

/* The library's one export, QUOXPluginMain under that plain name: the host calls it once, right after loading the
   library, with its lookup function. */
typedef void (*PluginMainFunction)(PluginLookupFunction lookup);

/* The host services, each a plain function. The two that register act on the plug-in whose entry is running, the
   version first. */
#define PLUGIN_SERVICE_REGISTER_VERSION "RegisterPluginVersion"
typedef void (*RegisterPluginVersionFunction)(int32_t version);
#define PLUGIN_SERVICE_REGISTER_METHOD "PluginRegisterMethod"
typedef void (*PluginRegisterMethodFunction)(const PluginMethodRecord* record);
/* A new folder item for a path in the ANSI code page, its one reference handed to the caller; null when it fails. */
#define PLUGIN_SERVICE_FOLDER_ITEM_FROM_PATH "FolderItemFromPath"
typedef struct FolderItem* (*FolderItemFromPathFunction)(const char* path);

#ifdef __cplusplus
}
#endif
