// Writes out, loads and starts the plug-ins carried as resources, and unloads and deletes them at exit.
#include "plugins/PluginHost.h"

#include <windows.h>
#include <ole2.h>

#include <cstring>
#include <list>
#include <string>
#include <utility>
#include <vector>

#include "core/Handle.h"
#include "files/ProgramFolder.h"
#include "plugins/LibrarySearch.h"
#include "plugins/PluginRegistry.h"

namespace {

const wchar_t* const kImageType = L"PLUGIN";
const wchar_t* const kNameType = L"PLUGINNAME";
const UINT kEndedByInstallFailure = 1;
// Fresh random names practically never meet an existing folder; the bound only stops a broken generator.
const int kFolderNameAttempts = 16;

// A library written out and loaded. Its file stays open for reading, shared with readers only, until the library is
// unloaded, so nobody can change, rename or delete it meanwhile; then it is closed and deleted.
class InstalledPlugin {
public:
    InstalledPlugin(std::wstring path, FileHandle file, ModuleHandle module)
        : path_(std::move(path)), file_(std::move(file)), module_(std::move(module))
    {
    }
    ~InstalledPlugin()
    {
        module_.Reset();
        file_.Reset();
        DeleteFileW(path_.c_str());
    }
    InstalledPlugin(const InstalledPlugin&) = delete;
    InstalledPlugin& operator=(const InstalledPlugin&) = delete;

    HMODULE Module() const noexcept { return module_.Get(); }

private:
    std::wstring path_;
    FileHandle file_;
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
    std::wstring stem = ExecutablePath();
    stem = stem.substr(stem.find_last_of(L"\\/") + 1);
    stem = stem.substr(0, stem.find_last_of(L'.'));
    return stem.empty() ? L"Program" : stem;
}

// 32 hexadecimal digits of the system's random numbers (a random GUID), or empty when it has none to give.
std::wstring RandomName()
{
    GUID guid;
    if (FAILED(CoCreateGuid(&guid))) {
        return std::wstring();
    }
    unsigned char bytes[sizeof(guid)];
    std::memcpy(bytes, &guid, sizeof(guid));
    const wchar_t* const digits = L"0123456789abcdef";
    std::wstring name;
    for (const unsigned char b : bytes) {
        name += digits[b >> 4];
        name += digits[b & 0xF];
    }
    return name;
}

// A folder of this run's own under the temporary folder, which it creates itself under a name nobody can guess:
// one that exists already was made by someone else, perhaps with a library planted in it, so it is never used.
// Running copies of the program thus never share a library either.
bool MakePrivateFolder(HostState& state)
{
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) {
        return false;
    }
    for (int attempt = 0; attempt < kFolderNameAttempts; ++attempt) {
        const std::wstring random = RandomName();
        if (random.empty()) {
            return false;
        }
        std::wstring folder = std::wstring(temp, length) + ExecutableStem() + L"-plugins-" + random;
        if (CreateDirectoryW(folder.c_str(), nullptr)) {
            state.folder = std::move(folder);
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
    return false;
}

// Whether the file, read from its start, holds exactly the image and nothing after it.
bool HoldsExactly(const FileHandle& file, const ResourceBytes& image)
{
    std::vector<char> bytes(static_cast<size_t>(image.size) + 1);
    DWORD total = 0;
    DWORD read = 0;
    while (total < bytes.size()
           && ReadFile(file.Get(), bytes.data() + total, static_cast<DWORD>(bytes.size()) - total, &read, nullptr)
           && read > 0) {
        total += read;
    }
    return total == image.size && std::memcmp(bytes.data(), image.data, image.size) == 0;
}

// Writes the image to a new file and holds it open for reading, shared with readers only, so that from then on
// nobody can change, rename or delete it: the open file, or none. Holding it with write access is not possible,
// since the loader shares a library only for reading and deleting and would then refuse to load it. Someone could
// have changed the file between the write and the new open, so it must read back as the image.
FileHandle WriteAndHold(const std::wstring& path, const ResourceBytes& image)
{
    {
        // New, in a folder that is new: a file there already was planted.
        FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
        DWORD written = 0;
        if (!file || !WriteFile(file.Get(), image.data, image.size, &written, nullptr) || written != image.size) {
            return FileHandle();
        }
    }
    FileHandle held(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!held || !HoldsExactly(held, image)) {
        return FileHandle();
    }
    return held;
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
    FileHandle file = WriteAndHold(path, image);
    if (!file) {
        StopCannotInstall(path);
    }
    // By its full path while the file is held, so the library loaded is the one written.
    ModuleHandle module(LoadLibraryFromPath(path));
    // Through the generic function pointer type, which converts to any other without a warning.
    const FARPROC found = module ? GetProcAddress(module.Get(), "QUOXPluginMain") : nullptr;
    const auto entry = reinterpret_cast<PluginMainFunction>(reinterpret_cast<void (*)()>(found));
    if (entry == nullptr) {
        // Not a usable plug-in: skipped without a word, and its file not left behind.
        module.Reset();
        file.Reset();
        DeleteFileW(path.c_str());
        return;
    }
    state.plugins.emplace_back(path, std::move(file), std::move(module));
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
