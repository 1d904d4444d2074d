// A copy of the built Halvard.exe in a fresh program folder; the test program's build names the original.
#include "HalvardFolder.h"

#include <windows.h>

#include "TestText.h"
#include "text/Unicode.h"

std::wstring WindowsPath(const std::string& path)
{
    std::wstring result = Widen(path);
    for (wchar_t& c : result) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return result;
}

HalvardFolder::HalvardFolder()
    : installed_(CopyFileW(WindowsPath(HALVARD_EXE).c_str(), PathOf(L"Halvard.exe").c_str(), FALSE) != FALSE)
{
}

std::unique_ptr<gui::Process> HalvardFolder::Start(const std::wstring& workingFolder,
                                                   const std::wstring& arguments) const
{
    return std::make_unique<gui::Process>(PathOf(L"Halvard.exe"), arguments,
                                          workingFolder.empty() ? Path() : workingFolder);
}

std::wstring HalvardFolder::PrefsPath() const
{
    return PathOf(L"ZuvPrefs.txt");
}

std::string HalvardFolder::PrefsBytes() const
{
    return text::ReadFileBytes(PrefsPath());
}
