// UTF-8 <-> UTF-16 through the Win32 code-page conversions.
#include "text/Unicode.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace {

int CheckedLength(size_t size)
{
    if (size > static_cast<size_t>(INT_MAX)) {
        throw std::length_error("string too long to convert");
    }
    return static_cast<int>(size);
}

} // namespace

// Without MB_ERR_INVALID_CHARS an invalid byte becomes U+FFFD instead of failing the whole conversion.
std::wstring Widen(const std::string& utf8)
{
    const int sourceLength = CheckedLength(utf8.size());
    if (sourceLength == 0) {
        return std::wstring();
    }
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), sourceLength, nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring result(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), sourceLength, result.data(), length);
    return result;
}

// A lone surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view utf16)
{
    // Nearly every name a program meets is ASCII, whose UTF-8 is the same code units as bytes; that spares the
    // two conversion calls per file that a listing of thousands of files would otherwise make.
    if (std::all_of(utf16.begin(), utf16.end(), [](wchar_t c) { return c < 0x80; })) {
        std::string ascii(utf16.size(), '\0');
        std::transform(utf16.begin(), utf16.end(), ascii.begin(), [](wchar_t c) { return static_cast<char>(c); });
        return ascii;
    }
    const int sourceLength = CheckedLength(utf16.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), sourceLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return std::string();
    }
    std::string result(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), sourceLength, result.data(), length, nullptr, nullptr);
    return result;
}
