// The plug-in services and the record of what plug-ins registered through them.
#include "plugins/PluginRegistry.h"

#include <windows.h>

#include <string>

#include "files/FolderItem.h"
#include "text/Strings.h"
#include "text/Unicode.h"

namespace {

struct CurrentPlugin {
    int32_t version;
};

CurrentPlugin* current = nullptr;
std::vector<RegisteredPluginMethod> methods;

std::wstring AnsiToWide(const char* text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1) {
        return std::wstring();
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

void RegisterPluginVersion(int32_t version) noexcept
{
    if (current != nullptr) {
        current->version = version;
    }
}

// Version 2 and versions below 1 register nothing. Version 1 means an older two-field record that no plug-in of
// this system uses, so it is not read either.
void PluginRegisterMethod(const PluginMethodRecord* record) noexcept
{
    if (current == nullptr || record == nullptr || current->version < PLUGIN_RECORD_BY_POINTER_VERSION) {
        return;
    }
    try {
        methods.push_back({record, current->version});
    } catch (const std::bad_alloc&) {
        // The plug-in cannot take an exception; the method is then simply not registered.
    }
}

// The path arrives as bytes in the ANSI code page; the new item's one reference passes to the caller.
FolderItem* FolderItemFromPath(const char* path) noexcept
{
    if (path == nullptr) {
        return nullptr;
    }
    try {
        return GetFolderItem(Narrow(AnsiToWide(path))).Detach();
    } catch (const std::exception&) {
        // No exception may enter the plug-in: a failed service gives nil.
        return nullptr;
    }
}

struct Service {
    const char* name;
    void* entry;
};

template <class ServiceFunction>
void* ServiceEntry(ServiceFunction function) noexcept
{
    return reinterpret_cast<void*>(function);
}

} // namespace

bool SameTextIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept
{
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(static_cast<unsigned char>(a[i])) != AsciiUpper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

void* PluginServiceLookup(const char* serviceName) noexcept
{
    // Each entry is first taken as its service's type, so that a service whose signature drifts fails to build.
    static const Service services[] = {
        {PLUGIN_SERVICE_REGISTER_VERSION, ServiceEntry<RegisterPluginVersionFunction>(&RegisterPluginVersion)},
        {PLUGIN_SERVICE_REGISTER_METHOD, ServiceEntry<PluginRegisterMethodFunction>(&PluginRegisterMethod)},
        {PLUGIN_SERVICE_FOLDER_ITEM_FROM_PATH, ServiceEntry<FolderItemFromPathFunction>(&FolderItemFromPath)},
    };
    if (serviceName == nullptr) {
        return nullptr;
    }
    for (const Service& service : services) {
        if (SameTextIgnoringAsciiCase(service.name, serviceName)) {
            return service.entry;
        }
    }
    return nullptr;
}

void RunPluginEntry(PluginMainFunction entry) noexcept
{
    CurrentPlugin plugin = {1};
    current = &plugin;
    entry(PluginServiceLookup);
    current = nullptr;
}

const std::vector<RegisteredPluginMethod>& RegisteredPluginMethods() noexcept
{
    return methods;
}

void ForgetPluginMethods() noexcept
{
    methods.clear();
}
