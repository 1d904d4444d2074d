#include "files/LongPath.h"

namespace {

const std::wstring kLongPrefix = L"\\\\?\\";
const std::wstring kLongUncPrefix = L"\\\\?\\UNC\\";

} // namespace

bool IsDrivePath(const std::wstring& path)
{
    return path.size() >= 2 && path[1] == L':' &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

bool IsUncPath(const std::wstring& path)
{
    return path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
}

std::wstring LongPath(const std::wstring& path)
{
    if (IsUncPath(path)) {
        return kLongUncPrefix + path.substr(2);
    }
    return kLongPrefix + path;
}

std::wstring WithoutLongPrefix(std::wstring text)
{
    if (text.compare(0, kLongUncPrefix.size(), kLongUncPrefix) == 0) {
        text.replace(0, kLongUncPrefix.size(), L"\\\\");
    } else if (text.compare(0, kLongPrefix.size(), kLongPrefix) == 0) {
        text.erase(0, kLongPrefix.size());
    }
    return text;
}
