// Pendrel's entry point, its registration with the host, and the lazily bound host services.
#include "HostServices.h"

namespace {

typedef void (*RegisterPluginVersionFunction)(int32_t version);
typedef void (*PluginRegisterMethodFunction)(const MethodRecord* record);
typedef FolderItem* (*FolderItemFromPathFunction)(const char* path);

// The interface version whose method records have the three-field layout above.
const int32_t kInterfaceVersion = 5;

const MethodRecord kSelectFolderRecord = {SelectFolder, nullptr, "SelectFolder as FolderItem"};

HostLookupFunction hostLookup = nullptr;
void* pluginRegisterMethodSlot = nullptr;
void* folderItemFromPathSlot = nullptr;

// Fills an empty slot from the host. A service the host lacks leaves the slot empty, so the next call asks again.
void* Bind(void*& slot, const char* serviceName) noexcept
{
    if (slot == nullptr && hostLookup != nullptr) {
        slot = hostLookup(serviceName);
    }
    return slot;
}

void PluginRegisterMethod(const MethodRecord* record) noexcept
{
    if (void* service = Bind(pluginRegisterMethodSlot, "PluginRegisterMethod")) {
        reinterpret_cast<PluginRegisterMethodFunction>(service)(record);
    }
}

void PluginEntry() noexcept
{
    PluginRegisterMethod(&kSelectFolderRecord);
}

} // namespace

FolderItem* FolderItemFromPath(const char* path) noexcept
{
    void* service = Bind(folderItemFromPathSlot, "FolderItemFromPath");
    if (service == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<FolderItemFromPathFunction>(service)(path);
}

extern "C" __declspec(dllexport) void QUOXPluginMain(HostLookupFunction lookup) noexcept
{
    hostLookup = lookup;
    if (lookup == nullptr) {
        return;
    }
    // Looked up at its only use, so not cached.
    void* registerVersion = lookup("RegisterPluginVersion");
    if (registerVersion == nullptr) {
        // The host would read the record under version 1, an older layout: registering it then would be misread.
        return;
    }
    reinterpret_cast<RegisterPluginVersionFunction>(registerVersion)(kInterfaceVersion);
    PluginEntry();
}
