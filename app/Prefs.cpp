// The preferences between the file and the main window: the first activation's load or defaults, and the save.
#include "Prefs.h"

#include <cstdint>
#include <string>

#include "MainWin.h"
#include "PrefsFile.h"
#include "Strings.h"

bool PrefsLoaded = false;

namespace {

const char kPrefsFileName[] = "ZuvPrefs.txt";
// The default demo folder drops exactly the file name from the file's absolute path.
constexpr int32_t kPrefsFileNameLength = 12;

// The one main window, without making one when there is none.
Ref<MainWin> MainWindow()
{
    Ref<MainWin> window = RuntimeGetImplicitWindow<MainWin>();
    if (!window) {
        throw NilObjectException();
    }
    return window;
}

PrefsValues ReadWindow(const MainWin& window)
{
    PrefsValues values;
    values.demoPath = window.DemoPathBox()->Text();
    values.numPerChallenge = window.NumPerChallengeBox()->Text();
    values.numPerPlayer = window.NumPerPlayerBox()->Text();
    values.limitPerPlayer = window.NumPlayerChek()->Value();
    values.onlyPlayer = window.OnlyPlayerChek()->Value();
    values.playerName = window.PlayerNameBox()->Text();
    return values;
}

// The file's values, the player name (its last line) before the boxes. Each box's setter runs its Action, which
// applies the enable rules: "Limit per player" first, then "Only process this player".
void FillWindow(const MainWin& window, const PrefsValues& values)
{
    window.DemoPathBox()->SetText(values.demoPath);
    window.NumPerChallengeBox()->SetText(values.numPerChallenge);
    window.NumPerPlayerBox()->SetText(values.numPerPlayer);
    window.PlayerNameBox()->SetText(values.playerName);
    window.NumPlayerChek()->SetValue(values.limitPerPlayer);
    window.OnlyPlayerChek()->SetValue(values.onlyPlayer);
}

} // namespace

void SavePrefs()
{
    const Ref<MainWin> window = MainWindow();
    const PrefsValues values = ReadWindow(*window);
    WritePrefs(*GetFolderItem(kPrefsFileName), values);
}

void LoadPrefsOrDefaults()
{
    const Ref<MainWin> window = MainWindow();
    const Ref<FolderItem> file = GetFolderItem(kPrefsFileName);
    if (file->Exists()) {
        Ref<TextInputStream> stream = file->OpenAsTextFile();
        if (!stream) {
            throw NilObjectException();
        }
        FillWindow(*window, ReadPrefs(*stream));
        window->SetEnabledControls();
        stream->Close();
        return;
    }
    // The defaults go in with the player name after the boxes, each box's Action applying the enable rules.
    const std::string path = file->AbsolutePath();
    window->DemoPathBox()->SetText(Mid(path, 1, Len(path) - kPrefsFileNameLength) + "Demos\\");
    window->NumPerChallengeBox()->SetText("3");
    window->NumPerPlayerBox()->SetText("3");
    window->NumPlayerChek()->SetValue(false);
    window->OnlyPlayerChek()->SetValue(false);
    window->PlayerNameBox()->SetText("UnnamedPlayer");
    SavePrefs();
}
