// Plug-in method tables and the lookup of a registered method by its declaration.
#include "plugins/PluginBinding.h"

#include <windows.h>

#include "plugins/PluginHost.h"
#include "text/Unicode.h"

namespace {

const UINT kEndedByFailedAssertion = 1;

struct BoundMethod {
    std::string declaration;
    PluginEntrypoint entry;
};

// Read from the registered records at the first lookup, then fixed.
const std::vector<BoundMethod>& MethodTable()
{
    static const std::vector<BoundMethod> table = [] {
        std::vector<BoundMethod> gathered;
        for (const RegisteredPluginMethod& method : RegisteredPluginMethods()) {
            if (method.record->declaration != nullptr) {
                gathered.push_back({method.record->declaration, method.record->entry});
            }
        }
        return gathered;
    }();
    return table;
}

// The process cannot go on without its method unless the user says so.
void FailedAssertion(const std::string& message, int line)
{
    const std::wstring text =
        L"Assertion failed in PluginBinding.cpp at line " + std::to_wstring(line) + L"\r\n" + Widen(message);
    if (MessageBoxW(nullptr, text.c_str(), L"Failed Assertion", MB_OKCANCEL | MB_ICONSTOP | MB_SYSTEMMODAL)
        == IDCANCEL) {
        // Ends at once, but does not leave the plug-in files behind in the temporary folder.
        UninstallPlugins();
        ExitProcess(kEndedByFailedAssertion);
    }
}

} // namespace

PluginEntrypointsTable::PluginEntrypointsTable(int32_t count) : slots_(count < 0 ? 0 : static_cast<size_t>(count)) {}

size_t PluginEntrypointsTable::Checked(int32_t slot) const
{
    if (slot < 0 || slot >= Count()) {
        throw OutOfBoundsException();
    }
    return static_cast<size_t>(slot);
}

PluginEntrypoint& PluginEntrypointsTable::operator[](int32_t slot)
{
    return slots_[Checked(slot)];
}

PluginEntrypoint PluginEntrypointsTable::operator[](int32_t slot) const
{
    return slots_[Checked(slot)];
}

Ref<PluginEntrypointsTable> RuntimeAllocatePluginEntrypointsTable(int32_t count)
{
    return MakeRef<PluginEntrypointsTable>(count);
}

PluginEntrypoint RuntimeLookupPluginEntrypoint(const std::string& declaration)
{
    for (const BoundMethod& method : MethodTable()) {
        if (SameTextIgnoringAsciiCase(method.declaration, declaration)) {
            return method.entry;
        }
    }
    FailedAssertion("can't find plugin method " + declaration, __LINE__);
    return nullptr;
}
