// The host side of the plug-in edge: the services a plug-in looks up by name, and the methods plug-ins register.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "PluginBoundary.h"

struct RegisteredPluginMethod {
    const PluginMethodRecord* record;
    // The plug-in's interface version when it registered the method.
    int32_t pluginVersion;
};

// Whole texts equal with ASCII letters' case ignored: how service names and method declarations are matched.
bool SameTextIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept;

// The lookup function every plug-in entry receives. Names are compared whole, ASCII letters' case ignored.
// Nothing it returns raises an exception back into the plug-in: a service that fails returns null or does nothing.
void* PluginServiceLookup(const char* serviceName) noexcept;

// Runs a plug-in's entry with that plug-in current at interface version 1, and clears the current plug-in after.
void RunPluginEntry(PluginMainFunction entry) noexcept;

// Every method registered so far, oldest first.
const std::vector<RegisteredPluginMethod>& RegisteredPluginMethods() noexcept;

// Forgets the registered methods, whose records go away with their libraries.
void ForgetPluginMethods() noexcept;
