// The demo scan and sort, and the lists they fill.
#include "DemoList.h"

#include <utility>
#include <vector>

#include "core/BackgroundTask.h"
#include "ItemsByName.h"
#include "text/Strings.h"

Ref<FolderItem> DemoFolder;
Ref<Array<Ref<FolderItem>>> DemoList;
int32_t DemoCount = 0;
Ref<Array<std::string>> PlayerList;

namespace {

// The two fields of the demo that a DemoList entry held when they were worked out. The scan leaves the player field
// it has taken anyway; the key is worked out when first asked for.
struct DemoFields {
    Ref<FolderItem> demo;
    std::string player;
    std::string key;
    bool hasKey = false;
};
// By DemoList index. An entry is worked out again whenever DemoList holds another item at its index.
std::vector<DemoFields> demoFields;

DemoFields& FieldsSlot(int32_t index)
{
    if (demoFields.size() != static_cast<size_t>(DemoList->UpperBound()) + 1) {
        demoFields.assign(static_cast<size_t>(DemoList->UpperBound()) + 1, DemoFields());
    }
    return demoFields[static_cast<size_t>(index)];
}

DemoFields& FieldsOf(int32_t index)
{
    const Ref<FolderItem>& demo = (*DemoList)[index];
    DemoFields& fields = FieldsSlot(index);
    if (!demo || fields.demo.Get() != demo.Get()) {
        fields.player = PlayerField(demo->Name());
        fields.hasKey = false;
        fields.demo = demo;
    }
    return fields;
}

// Entry `index` of DemoList has just been set to `demo`, whose player field is `player`.
void RememberPlayer(int32_t index, const Ref<FolderItem>& demo, std::string player)
{
    DemoFields& fields = FieldsSlot(index);
    fields.player = std::move(player);
    fields.hasKey = false;
    fields.demo = demo;
}

} // namespace

void CreateDemoLists()
{
    DemoList = MakeRef<Array<Ref<FolderItem>>>(kDemoListUpperBound);
    PlayerList = MakeRef<Array<std::string>>(kDemoListUpperBound);
    DemoCount = 0;
    demoFields.clear();
}

void ReleaseDemoLists()
{
    DemoList = nullptr;
    PlayerList = nullptr;
    DemoFolder = nullptr;
    DemoCount = 0;
    demoFields.clear();
}

namespace {

// Whether the one character at [offset, offset + size) of source equals the delimiter under the string comparison.
// Strings of different byte lengths never compare equal, which settles most characters without decoding.
bool CharEquals(const std::string& source, size_t offset, size_t size, const std::string& delimiter)
{
    if (delimiter.size() != size) {
        return false;
    }
    const unsigned char c = static_cast<unsigned char>(source[offset]);
    const unsigned char d = static_cast<unsigned char>(delimiter[0]);
    if (size == 1 && (c | d) < 0x80) {
        return AsciiUpper(c) == AsciiUpper(d);
    }
    return StrEquals(source.substr(offset, size), delimiter);
}

} // namespace

// The field is a stretch of source's bytes, so it is cut out once at the end rather than built a character at a
// time; the characters are visited and the hook called exactly as a walk with Mid would.
std::string ExtractField(const std::string& source, const std::string& startDelimiter,
                         const std::string& endDelimiter, bool waitForStart)
{
    bool capturing = !waitForStart;
    size_t captureStart = 0;
    for (size_t offset = 0; offset < source.size();) {
        const size_t size = static_cast<unsigned char>(source[offset]) < 0x80 ? 1 : CharSizeAt(source, offset);
        bool startsHere = false;
        if (!capturing && CharEquals(source, offset, size, startDelimiter)) {
            capturing = true;
            startsHere = true;
            captureStart = offset + size;
        }
        if (capturing && CharEquals(source, offset, size, endDelimiter)) {
            // The field without its end delimiter; a start delimiter that ends the field too leaves it empty.
            return startsHere ? std::string() : source.substr(captureStart, offset - captureStart);
        }
        BackgroundTaskHook();
        offset += size;
    }
    return capturing ? source.substr(captureStart) : std::string();
}

std::string ChallengeKey(const std::string& demoName)
{
    return ExtractField(demoName, std::string(), "]", false);
}

std::string PlayerField(const std::string& demoName)
{
    return ExtractField(demoName, "(", ".", true);
}

const std::string& ChallengeKeyOf(int32_t index)
{
    DemoFields& fields = FieldsOf(index);
    if (!fields.hasKey) {
        fields.key = ChallengeKey(fields.demo->Name());
        fields.hasKey = true;
    }
    return fields.key;
}

const std::string& PlayerFieldOf(int32_t index)
{
    return FieldsOf(index).player;
}

bool IsDemoName(const std::string& name)
{
    // Five ASCII bytes at the end are the last five characters, and the string comparison compares ASCII with ASCII
    // byte by byte through the plain a-z upper case; any other ending takes the general way.
    constexpr char kEnding[] = "DM_68";
    constexpr size_t kLength = sizeof kEnding - 1;
    if (name.size() >= kLength) {
        const size_t start = name.size() - kLength;
        bool ascii = true;
        bool same = true;
        for (size_t k = 0; k < kLength; ++k) {
            const unsigned char c = static_cast<unsigned char>(name[start + k]);
            ascii = ascii && c < 0x80;
            same = same && AsciiUpper(c) == static_cast<unsigned char>(kEnding[k]);
        }
        if (ascii) {
            return same;
        }
    }
    return StrEquals(Right(name, 5), "dm_68");
}

int32_t PlayerIndex::Find(const std::string& player) const
{
    const auto found = indices_.find(&player);
    return found == indices_.end() ? 0 : found->second;
}

void PlayerIndex::Add(int32_t index)
{
    indices_.emplace(&(*PlayerList)[index], index);
}

bool ScanDemoFolder()
{
    // The run checked for fewer than 5000 items before the walk, but the folder can grow while it is walked
    // (and the per-player rescan checks nothing), so the lists' bounds are enforced here.
    const int32_t maxDemos = DemoList->UpperBound();
    const int32_t maxPlayers = PlayerList->UpperBound() - 1; // the end entry needs an index too
    DemoCount = 0;
    int32_t nameCount = 0;
    PlayerIndex players;
    // An entry added before the walk's position moves the later ones up by one, and the walk meets an item again;
    // stored twice, it would take two kept places and cost a demo the rules keep. The set holds every item it is
    // given until the walk ends: in DemoList, or in `item` when it does not fit and the walk stops there.
    ItemsByName stored(static_cast<size_t>(DemoFolder->Count()));
    for (int32_t index = 1; index <= DemoFolder->Count(); ++index) {
        // An item deleted after Count was asked gives nil; it is no longer there to prune.
        const Ref<FolderItem> item = DemoFolder->Item(index);
        if (item && IsDemoName(item->Name()) && stored.Insert(item.Get())) {
            std::string player = PlayerField(item->Name());
            const bool newPlayer = players.Find(player) == 0;
            if (DemoCount >= maxDemos || (newPlayer && nameCount >= maxPlayers)) {
                return false;
            }
            if (newPlayer) {
                ++nameCount;
                (*PlayerList)[nameCount] = player;
                (*PlayerList)[nameCount + 1] = std::string();
                players.Add(nameCount);
            }
            ++DemoCount;
            (*DemoList)[DemoCount] = item;
            RememberPlayer(DemoCount, item, std::move(player));
        }
        BackgroundTaskHook();
    }
    return true;
}

// The fields worked out for an entry stay at its index: a list in listing order is already sorted and keeps them
// all, and after a sort that moved entries their fields are cheaper to work out again than to carry through every
// exchange.
void SortDemos()
{
    Array<Ref<FolderItem>>& list = *DemoList;
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (int32_t j = 1; j <= DemoCount - 1; ++j) {
            if (StrCompare(list[j]->Name(), list[j + 1]->Name()) > 0) {
                std::swap(list[j], list[j + 1]);
                exchanged = true;
            }
            BackgroundTaskHook();
        }
        BackgroundTaskHook();
    }
}
