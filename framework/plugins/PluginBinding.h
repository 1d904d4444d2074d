// Binding the methods that plug-ins registered, by their declaration text, into tables the application calls through.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Object.h"
#include "plugins/PluginRegistry.h"

// A fixed number of method slots, each empty until the application stores a bound entry in it.
class PluginEntrypointsTable : public Object {
public:
    explicit PluginEntrypointsTable(int32_t count);

    int32_t Count() const noexcept { return static_cast<int32_t>(slots_.size()); }
    // Slots are numbered from 0; any other index raises OutOfBoundsException.
    PluginEntrypoint& operator[](int32_t slot);
    PluginEntrypoint operator[](int32_t slot) const;

    // Calls the method in the slot, a function of no arguments that returns a new object or null. The object's
    // one reference passes to the result. An empty slot raises NilObjectException.
    template <class T>
    Ref<T> CallObjectFunction(int32_t slot) const
    {
        const PluginEntrypoint entry = (*this)[slot];
        if (entry == nullptr) {
            throw NilObjectException();
        }
        return Ref<T>::Adopt(reinterpret_cast<T* (*)()>(entry)());
    }

private:
    size_t Checked(int32_t slot) const;

    std::vector<PluginEntrypoint> slots_;
};

Ref<PluginEntrypointsTable> RuntimeAllocatePluginEntrypointsTable(int32_t count);

// Field 1 of the registered method whose declaration equals the text whole, ASCII letters' case ignored. The methods
// are gathered once, at the first lookup; a later registration is not seen. When none matches, the system-modal
// failed-assertion box asks: Cancel ends the process at once, OK gives a null entry.
PluginEntrypoint RuntimeLookupPluginEntrypoint(const std::string& declaration);
