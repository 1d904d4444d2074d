// Code-point strings and raw file bytes for tests that must not lean on the framework's own conversions.
#pragma once

#include <string>

namespace text {

using CodePoints = std::u32string;

CodePoints FromUtf16(const std::wstring& s);
std::wstring Utf16(const CodePoints& s);
std::string Utf8(const CodePoints& s);

// The whole file, or an empty string when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
// Creates a file that must not exist yet; false when it does or cannot be made.
bool WriteNewFile(const std::wstring& path, const std::string& bytes);

} // namespace text
