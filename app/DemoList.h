// The demos of the demo folder: which items are demos, their two name fields, the scan and the sort.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "core/Array.h"
#include "files/FolderItem.h"
#include "text/Strings.h"

// Both lists have the indices 0 to 5000; index 0 is never used.
constexpr int32_t kDemoListUpperBound = 5000;

// Application-wide run state, alive from start-up to exit.
extern Ref<FolderItem> DemoFolder;
// Entries 1 to DemoCount are the demos of the latest scan; later entries may hold stale demos nobody reads.
extern Ref<Array<Ref<FolderItem>>> DemoList;
extern int32_t DemoCount;
// The distinct player fields of the latest scan in the order first met, ended by an empty entry.
extern Ref<Array<std::string>> PlayerList;

// Start-up creates the two lists once; the end of the program releases them and the demo folder.
void CreateDemoLists();
void ReleaseDemoLists();

// The text after the first startDelimiter (or from the start when waitForStart is false) up to the first
// endDelimiter met while capturing, without either delimiter. Delimiters are single characters compared
// without case; an empty one never matches.
std::string ExtractField(const std::string& source, const std::string& startDelimiter,
                         const std::string& endDelimiter, bool waitForStart);
// Everything before the first "]", or the whole name.
std::string ChallengeKey(const std::string& demoName);
// The text after the first "(" up to the next ".", or to the end; empty without a "(".
std::string PlayerField(const std::string& demoName);
// The challenge key and player field of entry `index` of DemoList. They are worked out once for the item the entry
// holds and kept while it holds that same item (a FolderItem's Name never changes), so that the pruning passes do
// not take every name apart again. A nil entry raises NilObjectException, as its Name would.
const std::string& ChallengeKeyOf(int32_t index);
const std::string& PlayerFieldOf(int32_t index);
// A demo is any item, file or folder, whose name ends in "dm_68" in any case.
bool IsDemoName(const std::string& name);

// Names of PlayerList found by the string comparison without comparing with each entry in turn, which made a scan
// or a pruning run over thousands of distinct players quadratic (and called the background hook after every entry
// compared, with nothing done in between). It points into PlayerList: the entries it holds must stay as they are,
// and PlayerList must not be replaced, while it is in use.
class PlayerIndex {
public:
    // The index of the entry that equals `player`, or 0 when no entry added so far does.
    int32_t Find(const std::string& player) const;
    // Entry `index` of PlayerList, which holds a name that no entry added so far equals.
    void Add(int32_t index);

private:
    struct Hash {
        size_t operator()(const std::string* name) const { return StrHash(*name); }
    };
    struct Equal {
        bool operator()(const std::string* a, const std::string* b) const { return StrEquals(*a, *b); }
    };
    std::unordered_map<const std::string*, int32_t, Hash, Equal> indices_;
};

// Walks DemoFolder into DemoList, DemoCount and PlayerList. Items that vanish between Count and Item are skipped,
// and an item met again because the folder changed during the walk is stored once (its name, case ignored).
// Returns false when the folder offered a demo that no longer fits the lists' bounds (with bound 5000: a 5001st
// demo, or a 5000th distinct player name, whose end entry would lie past index 5000): the walk stops at that demo,
// which is not stored, and the lists hold what fitted.
[[nodiscard]] bool ScanDemoFolder();
// Stable bubble sort of entries 1 to DemoCount by Name, case ignored.
void SortDemos();
