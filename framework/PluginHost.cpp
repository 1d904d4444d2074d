// Writes out, loads and starts the plug-ins carried as resources, and unloads and deletes them at exit.
#include "PluginHost.h"

#include <windows.h>
#include <ole2.h>

#include <list>
#include <string>
#include <utility>

#include "Handle.h"
#include "LibrarySearch.h"
#include "PluginRegistry.h"

namespace {

const wchar_t* const kImageType = L"PLUGIN";
const wchar_t* const kNameType = L"PLUGINNAME";
const UINT kEndedByInstallFailure = 1;

// A library written out and loaded: unloaded before its file is deleted, since a loaded library's file is locked.
class InstalledPlugin {
public:
    InstalledPlugin(std::wstring path, ModuleHandle module) : path_(std::move(path)), module_(std::move(module)) {}
    ~InstalledPlugin()
    {
        module_.Reset();
        DeleteFileW(path_.c_str());
    }
    InstalledPlugin(const InstalledPlugin&) = delete;
    InstalledPlugin& operator=(const InstalledPlugin&) = delete;

    HMODULE Module() const noexcept { return module_.Get(); }

private:
    std::wstring path_;
    ModuleHandle module_;
};

struct HostState {
    bool installed = false;
    bool oleInitialised = false;
    std::wstring folder;
    std::list<InstalledPlugin> plugins;

    ~HostState() { UninstallPlugins(); }
};

HostState& State()
{
    static HostState state;
    return state;
}

// The bytes of a resource of this executable, or an empty span when there is none.
struct ResourceBytes {
    const char* data = nullptr;
    DWORD size = 0;
};

ResourceBytes FindResourceBytes(int id, const wchar_t* type)
{
    ResourceBytes bytes;
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(id), type);
    if (resource == nullptr) {
        return bytes;
    }
    HGLOBAL loaded = LoadResource(nullptr, resource);
    if (loaded == nullptr) {
        return bytes;
    }
    bytes.data = static_cast<const char*>(LockResource(loaded));
    bytes.size = bytes.data == nullptr ? 0 : SizeofResource(nullptr, resource);
    return bytes;
}

// A bare file name of printable ASCII from the zero-terminated text; empty when the text is anything else, so that
// nothing is ever written outside the plug-in folder.
std::wstring PluginFileName(const ResourceBytes& bytes)
{
    std::wstring name;
    for (DWORD i = 0; i < bytes.size && bytes.data[i] != '\0'; ++i) {
        const char c = bytes.data[i];
        if (c < ' ' || c > '~' || c == '\\' || c == '/' || c == ':') {
            return std::wstring();
        }
        name += static_cast<wchar_t>(c);
    }
    return name == L"." || name == L".." ? std::wstring() : name;
}

std::wstring ExecutableStem()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring stem(path, length < MAX_PATH ? length : 0);
    stem = stem.substr(stem.find_last_of(L"\\/") + 1);
    stem = stem.substr(0, stem.find_last_of(L'.'));
    return stem.empty() ? L"Program" : stem;
}

// Running copies of the program each get their own folder, so none overwrites or deletes another's library.
bool MakePrivateFolder(HostState& state)
{
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) {
        return false;
    }
    std::wstring folder = std::wstring(temp, length) + ExecutableStem() + L"-plugins-"
                          + std::to_wstring(GetCurrentProcessId());
    // A folder left by an ended process that had the same id is simply taken over.
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return false;
    }
    state.folder = std::move(folder);
    return true;
}

bool WriteWholeFile(const std::wstring& path, const ResourceBytes& image)
{
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    DWORD written = 0;
    return WriteFile(file.Get(), image.data, image.size, &written, nullptr) && written == image.size;
}

[[noreturn]] void StopCannotInstall(const std::wstring& partialFile)
{
    if (!partialFile.empty()) {
        DeleteFileW(partialFile.c_str());
    }
    UninstallPlugins();
    MessageBoxW(nullptr,
                L"The application cannot continue because a needed file cannot be installed. You don't have "
                L"appropriate permission to install the file.",
                nullptr, MB_OK | MB_ICONSTOP);
    ExitProcess(kEndedByInstallFailure);
}

void InstallPlugin(HostState& state, const ResourceBytes& image, const std::wstring& fileName)
{
    if (state.folder.empty() && !MakePrivateFolder(state)) {
        StopCannotInstall(std::wstring());
    }
    const std::wstring path = state.folder + L"\\" + fileName;
    if (!WriteWholeFile(path, image)) {
        StopCannotInstall(path);
    }
    ModuleHandle module(LoadLibraryFromPath(path));
    // Through the generic function pointer type, which converts to any other without a warning.
    const FARPROC found = module ? GetProcAddress(module.Get(), "QUOXPluginMain") : nullptr;
    const auto entry = reinterpret_cast<PluginMainFunction>(reinterpret_cast<void (*)()>(found));
    if (entry == nullptr) {
        // Not a usable plug-in: skipped without a word, and its file not left behind.
        module.Reset();
        DeleteFileW(path.c_str());
        return;
    }
    state.plugins.emplace_back(path, std::move(module));
    RunPluginEntry(entry);
}

} // namespace

void InstallPlugins()
{
    HostState& state = State();
    if (state.installed) {
        return;
    }
    state.installed = true;
    // The shell's dialogs that plug-ins show need OLE on this thread, before any plug-in runs.
    state.oleInitialised = SUCCEEDED(OleInitialize(nullptr));
    for (int id = 1;; ++id) {
        const ResourceBytes image = FindResourceBytes(id, kImageType);
        if (image.data == nullptr) {
            break;
        }
        const std::wstring fileName = PluginFileName(FindResourceBytes(id, kNameType));
        if (!fileName.empty()) {
            InstallPlugin(state, image, fileName);
        }
    }
}

void UninstallPlugins() noexcept
{
    HostState& state = State();
    if (!state.installed) {
        return;
    }
    state.installed = false;
    // The records of the registered methods live in the libraries.
    ForgetPluginMethods();
    while (!state.plugins.empty()) {
        state.plugins.pop_back();
    }
    if (!state.folder.empty()) {
        RemoveDirectoryW(state.folder.c_str());
        state.folder.clear();
    }
    if (state.oleInitialised) {
        OleUninitialize();
        state.oleInitialised = false;
    }
}

const std::wstring& PluginFolder() noexcept
{
    return State().folder;
}
