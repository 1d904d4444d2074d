// Reading and writing the six lines of the preferences file.
#include "PrefsFile.h"

#include "files/TextOutputStream.h"
#include "text/Strings.h"

namespace {

// The new file is written under this suffix beside the old one and then renamed over it.
const wchar_t kNewFileSuffix[] = L".new";
// Editors may put a UTF-8 byte-order mark in front of a file they save; it is not part of the first line.
const char kByteOrderMark[] = "\xEF\xBB\xBF";

} // namespace

MainWinSettings ReadPrefs(TextInputStream& stream)
{
    MainWinSettings values;
    values.demoPath = stream.ReadLine();
    if (values.demoPath.compare(0, sizeof kByteOrderMark - 1, kByteOrderMark) == 0) {
        values.demoPath.erase(0, sizeof kByteOrderMark - 1);
    }
    values.numPerChallenge = stream.ReadLine();
    values.numPerPlayer = stream.ReadLine();
    values.limitPerPlayer = !StrEquals(stream.ReadLine(), "0");
    values.onlyPlayer = !StrEquals(stream.ReadLine(), "0");
    values.playerName = stream.ReadLine();
    return values;
}

void WritePrefs(const FolderItem& file, const MainWinSettings& values)
{
    const auto newFile = MakeRef<FolderItem>(file.NativePath() + kNewFileSuffix);
    Ref<TextOutputStream> stream = newFile->CreateTextFile();
    if (!stream) {
        throw NilObjectException();
    }
    stream->WriteLine(values.demoPath);
    stream->WriteLine(values.numPerChallenge);
    stream->WriteLine(values.numPerPlayer);
    stream->WriteLine(values.limitPerPlayer ? "1" : "0");
    stream->WriteLine(values.onlyPlayer ? "1" : "0");
    stream->WriteLine(values.playerName);
    // A short write (a full disk) must not take the place of a good file.
    if (!stream->Close() || !file.ReplaceWith(*newFile)) {
        newFile->Delete();
        throw NilObjectException();
    }
}

void SavePrefs(const MainWinSettings& settings)
{
    WritePrefs(*GetFolderItem(kPrefsFileName), settings);
}
