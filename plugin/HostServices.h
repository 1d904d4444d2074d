// Pendrel's side of the host boundary: the types that cross it and the wrappers that reach the host's services.
#pragma once

#include <cstdint>

// The host's file object. Pendrel only passes the pointer on; it never looks inside.
struct FolderItem;

extern "C" {
// Maps a service name to the host's entry for it, or to null when the host has no such service.
typedef void* (*HostLookupFunction)(const char* serviceName);
}

// The one method Pendrel adds to the host: its entry, a second (write) form it does not have, and its declaration.
// Three pointer-sized fields and nothing after them; the host keeps a pointer to the record, so it never changes.
struct MethodRecord {
    FolderItem* (*function)();
    void (*secondEntry)();
    const char* declaration;
};
static_assert(sizeof(MethodRecord) == 3 * sizeof(void*), "the host reads exactly three pointer-sized fields");

// The host's "FolderItemFromPath": a new folder item for an ANSI path, with its one reference handed to the caller.
// Null when the host has no such service.
FolderItem* FolderItemFromPath(const char* path) noexcept;

extern "C" {
// Shows the shell's folder dialog on the current directory; the chosen folder, or null.
FolderItem* SelectFolder() noexcept;
}
