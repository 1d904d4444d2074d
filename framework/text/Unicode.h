// Conversions between the framework's UTF-8 strings and the UTF-16 of the wide Win32 calls.
#pragma once

#include <string>
#include <string_view>

std::wstring Widen(const std::string& utf8);
std::string Narrow(std::wstring_view utf16);
