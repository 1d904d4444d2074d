// The native path forms the file functions take: drive and network paths, and their "\\?\" form without a length
// limit.
#pragma once

#include <string>

// "X:" followed by anything, X a letter.
bool IsDrivePath(const std::wstring& path);
// "\\" followed by anything: a network path.
bool IsUncPath(const std::wstring& path);
// The "\\?\" form of a canonical full path, which the Win32 calls take without a length limit.
std::wstring LongPath(const std::wstring& path);
// A path typed in its long form, given back as it reads without the prefix; any other text as it is.
std::wstring WithoutLongPrefix(std::wstring text);
