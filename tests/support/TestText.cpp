// Code-point strings and raw file bytes for tests.
#include "TestText.h"

#include <windows.h>

#include "TempFolder.h"

namespace text {

CodePoints FromUtf16(const std::wstring& s)
{
    CodePoints result;
    for (size_t i = 0; i < s.size(); ++i) {
        const char32_t unit = static_cast<char16_t>(s[i]);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
            result += 0x10000 + ((unit - 0xD800) << 10) + (static_cast<char16_t>(s[i + 1]) - 0xDC00u);
            ++i;
        } else {
            result += unit;
        }
    }
    return result;
}

std::wstring Utf16(const CodePoints& s)
{
    std::wstring result;
    for (const char32_t c : s) {
        if (c >= 0x10000) {
            result += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            result += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            result += static_cast<wchar_t>(c);
        }
    }
    return result;
}

std::string Utf8(const CodePoints& s)
{
    std::string result;
    for (const char32_t c : s) {
        if (c < 0x80) {
            result += static_cast<char>(c);
        } else if (c < 0x800) {
            result += static_cast<char>(0xC0 | (c >> 6));
            result += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            result += static_cast<char>(0xE0 | (c >> 12));
            result += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            result += static_cast<char>(0xF0 | (c >> 18));
            result += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            result += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return result;
}

std::string ReadFileBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(LongForm(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::string();
    }
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

bool WriteNewFile(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(LongForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

} // namespace text
