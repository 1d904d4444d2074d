// The first activation's work on the main window: the preferences file loaded into it, or the defaults set and saved.
#include "Prefs.h"

#include <string>

#include "MainWin.h"
#include "PrefsFile.h"
#include "text/Strings.h"

bool PrefsLoaded = false;

namespace {

// The file's values, the player name (its last line) before the boxes. Each box's setter runs its Action, which
// applies the enable rules: "Limit per player" first, then "Only process this player".
void FillWindow(const MainWin& window, const MainWinSettings& values)
{
    window.DemoPathBox()->SetText(values.demoPath);
    window.NumPerChallengeBox()->SetText(values.numPerChallenge);
    window.NumPerPlayerBox()->SetText(values.numPerPlayer);
    window.PlayerNameBox()->SetText(values.playerName);
    window.NumPlayerChek()->SetValue(values.limitPerPlayer);
    window.OnlyPlayerChek()->SetValue(values.onlyPlayer);
}

} // namespace

void LoadPrefsOrDefaults()
{
    const Ref<MainWin> window = ExistingMainWin();
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
    // The defaults go in with the player name after the boxes, each box's Action applying the enable rules. The
    // demo folder is the file's path without the file's name.
    const std::string path = file->AbsolutePath();
    window->DemoPathBox()->SetText(Mid(path, 1, Len(path) - Len(kPrefsFileName)) + "Demos\\");
    window->NumPerChallengeBox()->SetText("3");
    window->NumPerPlayerBox()->SetText("3");
    window->NumPlayerChek()->SetValue(false);
    window->OnlyPlayerChek()->SetValue(false);
    window->PlayerNameBox()->SetText("UnnamedPlayer");
    SavePrefs(window->ReadSettings());
}
