// The built Halvard.exe copied into a fresh program folder of its own and started there, as a user would run it,
// and the texts of its windows that the tests look for.
#pragma once

#include <memory>
#include <string>

#include "GuiDriver.h"
#include "TempFolder.h"

constexpr char kMainTitle[] = "Tarnwick 1.9 Demo Pruner";
constexpr char kAboutTitle[] = "About Zuv";
// What ends a start or a quit that cannot read or write the preferences file.
constexpr char kNilObjectReport[] =
    "An exception of class NilObjectException was not handled.\r\nThe application must shut down.";

// A path handed over by the build ("Z:/work/..."), with the separators Windows uses.
std::wstring WindowsPath(const std::string& path);

// A temporary folder holding a copy of the built program, which keeps its preferences file beside itself.
class HalvardFolder : public TempFolder {
public:
    HalvardFolder();

    // Whether the copy is in place; a test asserts this before it starts the program.
    bool Installed() const noexcept { return installed_; }
    // Starts the copy with the arguments (already quoted as needed) in the working folder, the program's own
    // folder when none is given.
    std::unique_ptr<gui::Process> Start(const std::wstring& workingFolder = std::wstring(),
                                        const std::wstring& arguments = std::wstring()) const;

    std::wstring PrefsPath() const;
    // The preferences file's bytes; empty when it cannot be read.
    std::string PrefsBytes() const;

private:
    bool installed_ = false;
};
