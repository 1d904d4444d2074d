// Pendrel's entry point, its registration with the host, and the lazily bound host services.
#include "HostServices.h"

namespace {

// An interface version whose method records have the three-field layout, kept by pointer.
const int32_t kInterfaceVersion = 5;
static_assert(kInterfaceVersion >= PLUGIN_RECORD_BY_POINTER_VERSION, "the record is read as three fields");

// The entry goes through the generic function pointer type, which converts to any other without a warning.
const PluginMethodRecord kSelectFolderRecord = {reinterpret_cast<PluginEntrypoint>(&SelectFolder), nullptr,
                                                "SelectFolder as FolderItem"};

PluginLookupFunction hostLookup = nullptr;
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

void PluginRegisterMethod(const PluginMethodRecord* record) noexcept
{
    if (void* service = Bind(pluginRegisterMethodSlot, PLUGIN_SERVICE_REGISTER_METHOD)) {
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
    void* service = Bind(folderItemFromPathSlot, PLUGIN_SERVICE_FOLDER_ITEM_FROM_PATH);
    if (service == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<FolderItemFromPathFunction>(service)(path);
}

extern "C" __declspec(dllexport) void QUOXPluginMain(PluginLookupFunction lookup) noexcept
{
    hostLookup = lookup;
    if (lookup == nullptr) {
        return;
    }
    // Looked up at its only use, so not cached.
    void* registerVersion = lookup(PLUGIN_SERVICE_REGISTER_VERSION);
    if (registerVersion == nullptr) {
        // The host would read the record under version 1, an older layout: registering it then would be misread.
        return;
    }
    reinterpret_cast<RegisterPluginVersionFunction>(registerVersion)(kInterfaceVersion);
    PluginEntry();
}
