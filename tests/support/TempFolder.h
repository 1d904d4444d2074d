// A fresh folder under the system's temporary folder for one test, removed with everything in it afterwards.
#pragma once

#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's full path without a trailing separator.
    const std::wstring& Path() const noexcept { return path_; }
    std::string PathUtf8() const;
    // The full path of a name inside the folder ("sub\file.txt" is allowed).
    std::wstring PathOf(const std::wstring& name) const;

    // Creates (or rewrites) a file with the given bytes; returns its full path.
    std::wstring MakeFile(const std::wstring& name, const std::string& bytes = std::string()) const;
    std::wstring MakeFolder(const std::wstring& name) const;
    // A symbolic link to `target` (a full path). Wine's own call makes none, so there it is made, and removed again
    // before the folder, from the Linux side: removing it through Wine would remove the target instead.
    std::wstring MakeLink(const std::wstring& name, const std::wstring& target);

private:
    std::wstring path_;
    std::vector<std::wstring> links_;
};

// The "\\?\" form of a full path, for the test's own Win32 calls on paths longer than MAX_PATH.
std::wstring LongForm(const std::wstring& path);
bool FileExists(const std::wstring& path);
// The names of a folder's entries, other than "." and "..", in the order the platform lists them.
std::vector<std::wstring> ListNames(const std::wstring& folder);
