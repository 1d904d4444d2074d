// Differential test of the pruning run: thousands of generated demo folders against a small model of its rules.
//
// HALVARD_PRUNE_CASES sets how many folders are generated (default 300), HALVARD_PRUNE_SEED the first seed.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <future>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DemoList.h"
#include "PruneRun.h"
#include "support/MessageBoxWatcher.h"
#include "support/TempFolder.h"
#include "support/TestText.h"

namespace {

using text::CodePoints;

// ---- The model: what a pruning run must do, written from the rules and nothing of the product's code. ----

// Letters whose upper-case form another letter shares; whether they map to it or to themselves is the platform's
// choice, so the model accepts either, as long as one choice holds for the whole run.
struct SharedUpper {
    char32_t lower;
    char32_t upper;
};
constexpr SharedUpper kShared[] = {{0x131, U'I'}, {0x17F, U'S'}, {0xB5, 0x39C}, {0x3C2, 0x3A3}};
constexpr unsigned kSharedChoices = 1u << (sizeof kShared / sizeof kShared[0]);

char32_t ModelUpper(char32_t c, unsigned choice)
{
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F)) {
        return c - 0x20;
    }
    if (c >= 0x450 && c <= 0x45F) {
        return c - 0x50;
    }
    if (c == 0xFF) {
        return 0x178;
    }
    for (unsigned k = 0; k < sizeof kShared / sizeof kShared[0]; ++k) {
        if (c == kShared[k].lower && (choice & (1u << k)) != 0) {
            return kShared[k].upper;
        }
    }
    return c;
}

// Character by character through the upper-case forms; a string that runs out first sorts first; the byte count
// settles strings whose characters all match.
int ModelCompare(const CodePoints& a, const CodePoints& b, unsigned choice)
{
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const char32_t ua = ModelUpper(a[i], choice);
        const char32_t ub = ModelUpper(b[i], choice);
        if (ua != ub) {
            return ua < ub ? -1 : 1;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    const size_t bytesA = text::Utf8(a).size();
    const size_t bytesB = text::Utf8(b).size();
    return bytesA == bytesB ? 0 : (bytesA < bytesB ? -1 : 1);
}

CodePoints ModelKey(const CodePoints& name)
{
    return name.substr(0, name.find(U']'));
}

CodePoints ModelPlayer(const CodePoints& name)
{
    const size_t open = name.find(U'(');
    if (open == CodePoints::npos) {
        return CodePoints();
    }
    const size_t dot = name.find(U'.', open + 1);
    return name.substr(open + 1, dot == CodePoints::npos ? CodePoints::npos : dot - open - 1);
}

bool ModelIsDemo(const CodePoints& name, unsigned choice)
{
    return name.size() >= 5 && ModelCompare(name.substr(name.size() - 5), U"dm_68", choice) == 0;
}

struct ModelItem {
    CodePoints name;
    bool undeletable = false; // a folder that is not empty
};

// The number fields: what the user typed and the count it stands for (0 where it fails validation).
struct NumberText {
    const char* typed;
    int32_t count;
};
constexpr int32_t kNeverEqual = INT32_MIN;
constexpr NumberText kValidNumbers[] = {
    {"1", 1},    {"2", 2},      {"3", 3},       {"1", 1},         {"2", 2},          {"4", 4},
    {"1.9", 1},  {" 2", 2},     {"2abc", 2},    {"&h2", 2},       {"1e1", 10},       {"+3", 3},
    {"3.", 3},   {"0002", 2},   {"1E0", 1},     {"&b11", 3},      {"3000000000", kNeverEqual},
};
constexpr NumberText kInvalidNumbers[] = {{"0", 0}, {"", 0}, {"abc", 0}, {"0.99", 0}, {"-3", 0}, {"&x5", 0}};

struct ModelSettings {
    NumberText perChallenge;
    NumberText perPlayer;
    CodePoints playerName;
    bool onlyPlayer = false;
    bool limitPerPlayer = false;
};

struct ModelOutcome {
    std::vector<std::string> messages;
    std::set<CodePoints> deleted;
};

class Model {
public:
    Model(std::vector<ModelItem> listing, unsigned choice) : listing_(std::move(listing)), choice_(choice) {}

    ModelOutcome Run(const ModelSettings& settings)
    {
        if (settings.perChallenge.count < 1 && settings.perChallenge.count != kNeverEqual) {
            return Say("Number to keep per challenge must be 1 or more.");
        }
        if (settings.perPlayer.count < 1 && settings.perPlayer.count != kNeverEqual) {
            return Say("Number to keep per player must be 1 or more.");
        }
        std::vector<ModelItem> demos = Scan();
        if (demos.empty()) {
            return Say("No demos found in demo directory.");
        }
        for (const ModelItem& demo : demos) {
            if (ModelPlayer(demo.name).empty()) {
                return Say("Zorazizadirer: unrecoverable error");
            }
        }
        Sort(demos);
        if (settings.onlyPlayer) {
            Pass(demos, settings.perChallenge.count, settings.playerName);
        } else if (!settings.limitPerPlayer) {
            Pass(demos, settings.perChallenge.count, CodePoints());
        } else {
            std::vector<CodePoints> players;
            for (const ModelItem& demo : demos) {
                const CodePoints player = ModelPlayer(demo.name);
                const bool known = std::any_of(players.begin(), players.end(), [&](const CodePoints& p) {
                    return ModelCompare(p, player, choice_) == 0;
                });
                if (!known) {
                    players.push_back(player);
                }
            }
            for (const CodePoints& player : players) {
                Pass(demos, settings.perPlayer.count, player);
            }
            demos = Scan();
            if (demos.empty()) {
                return outcome_;
            }
            Sort(demos);
            Pass(demos, settings.perChallenge.count, CodePoints());
        }
        // A folder with a file in it stays, and is counted once however many passes tried it.
        if (undeleted_.empty()) {
            return Say("Done!");
        }
        const size_t count = undeleted_.size();
        return Say("Done!\r\n" + std::to_string(count) +
                   (count == 1 ? " demo could not be deleted." : " demos could not be deleted."));
    }

private:
    ModelOutcome Say(const std::string& message)
    {
        outcome_.messages.push_back(message);
        return outcome_;
    }

    std::vector<ModelItem> Scan() const
    {
        std::vector<ModelItem> demos;
        for (const ModelItem& item : listing_) {
            if (ModelIsDemo(item.name, choice_) && outcome_.deleted.count(item.name) == 0) {
                demos.push_back(item);
            }
        }
        return demos;
    }

    void Sort(std::vector<ModelItem>& demos) const
    {
        std::stable_sort(demos.begin(), demos.end(), [this](const ModelItem& a, const ModelItem& b) {
            return ModelCompare(a.name, b.name, choice_) < 0;
        });
    }

    void Pass(const std::vector<ModelItem>& demos, int32_t keep, const CodePoints& player)
    {
        CodePoints key = ModelKey(demos.front().name);
        int32_t kept = 0;
        for (const ModelItem& demo : demos) {
            if (ModelCompare(ModelKey(demo.name), key, choice_) != 0) {
                key = ModelKey(demo.name);
                kept = 0;
            }
            if (!player.empty() && ModelCompare(ModelPlayer(demo.name), player, choice_) != 0) {
                continue;
            }
            if (kept == keep) {
                if (demo.undeletable) {
                    undeleted_.insert(demo.name);
                } else {
                    outcome_.deleted.insert(demo.name);
                }
            } else {
                ++kept;
            }
        }
    }

    std::vector<ModelItem> listing_;
    unsigned choice_;
    ModelOutcome outcome_;
    std::set<CodePoints> undeleted_;
};

// ---- The generator: realistic demo names, adversarial ones, and items that are not demos. ----

class Generator {
public:
    explicit Generator(uint64_t seed) : random_(seed) {}

    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }
    bool Chance(int percent) { return Below(100) < static_cast<size_t>(percent); }
    template <typename T, size_t N> const T& Pick(const T (&items)[N]) { return items[Below(N)]; }

    // Letters of many scripts, some with case pairs, some sharing an upper-case form, some beyond U+FFFF.
    char32_t Letter()
    {
        static const char32_t letters[] = {
            U'a', U'b', U'k', U'q', U'z', U'A', U'B', U'K', U'Q', U'Z', U'0', U'1', U'7', U'9', U'-', U'_', U'!',
            U'~', U'\'', U'[', U'`', U'^', 0xE9, 0xC9, 0xE4, 0xC4, 0xF8, 0xD8, 0xFE, 0xDE, 0xDF, 0xFF, 0x178,
            0x3B1, 0x391, 0x3C9, 0x3A9, 0x3C3, 0x3A3, 0x3C2, 0x436, 0x416, 0x451, 0x401, 0x131, U'i', U'I',
            0x17F, U's', U'S', 0xB5, 0x3BC, 0x39C, 0x5730, 0x56F3, 0x20AC, 0x1F600, 0x20000, 0x10FFFD, 0x212A,
        };
        return Pick(letters);
    }
    CodePoints Word(size_t maxLength)
    {
        CodePoints word;
        for (size_t n = 1 + Below(maxLength); n > 0; --n) {
            word += Letter();
        }
        return word;
    }
    // The same text with the case of some ASCII and Latin-1 letters turned.
    CodePoints Recase(CodePoints word)
    {
        for (char32_t& c : word) {
            if (Chance(50)) {
                if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
                    c -= 0x20;
                } else if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
                    c += 0x20;
                }
            }
        }
        return word;
    }

    CodePoints Ending()
    {
        static const char32_t* const endings[] = {U".dm_68", U".DM_68", U".Dm_68", U"dm_68", U"DM_68", U".dM_68"};
        return Pick(endings);
    }

    // course[rules]time(player.team).dm_68, drawn from small pools so that challenges and players repeat.
    CodePoints RealisticDemo(const std::vector<CodePoints>& maps, const std::vector<CodePoints>& players)
    {
        static const char32_t* const rules[] = {U"ru.pro", U"ru.std", U"RU.PRO", U"tt.std"};
        CodePoints name = Recase(maps[Below(maps.size())]);
        if (Chance(80)) {
            name += U'[' + CodePoints(Pick(rules)) + U']';
        } else {
            name += U']';
        }
        name += Time() + U'(' + Recase(players[Below(players.size())]) + U'.' + Word(6) + U')' + Ending();
        return name;
    }

    CodePoints Time()
    {
        CodePoints time;
        for (const int digits : {2, 2, 3}) {
            if (!time.empty()) {
                time += U'.';
            }
            for (int k = 0; k < digits; ++k) {
                time += static_cast<char32_t>(U'0' + Below(10));
            }
        }
        return time;
    }

    // Demos whose names bend the rules: several "]" or "(", no "]", dots in the player part, and so on.
    CodePoints OddDemo(const std::vector<CodePoints>& players, bool emptyPlayerAllowed)
    {
        const CodePoints player = Recase(players[Below(players.size())]);
        switch (Below(emptyPlayerAllowed ? 10 : 7)) {
        case 0:
            return Word(4) + U']' + Word(3) + U']' + Word(2) + U'(' + player + U'.' + Word(2) + Ending();
        case 1:
            return Word(5) + U'(' + player + U'(' + Word(3) + U'.' + Word(2) + Ending();
        case 2:
            return Word(5) + U'(' + player + U".a.b.c" + Ending();
        case 3:
            return Word(4) + U'.' + Word(2) + U'(' + player + Ending(); // no dot after "(": the rest is the player
        case 4:
            return U']' + Word(3) + U'(' + player + U'.' + Word(2) + Ending();
        case 5:
            return Word(3) + U"](" + player + U'.' + Ending();
        case 6:
            return Word(3) + U")" + Word(2) + U']' + Word(2) + U'(' + player + U")" + Ending();
        case 7:
            return Word(3) + U']' + Word(4) + Ending(); // no "(": an empty player field
        case 8:
            return Word(3) + U"](" + Ending();       // "(" directly before the dot
        default:
            return CodePoints(Chance(50) ? U"dm_68" : U"DM_68");
        }
    }

    CodePoints NotADemo()
    {
        static const char32_t* const names[] = {
            U"notes.txt", U"x.dm_6", U"x.dm_68.txt", U"(", U"a(", U"]]", U"y.dm_69", U"dm_6", U"readme",
            U"x.dm-68", U".dm_68x", U"m_68", U"Zorazizadirer", U"a(b.dm_68 copy", U"canyon7(bob.1).dm_67",
        };
        return Pick(names) + (Chance(50) ? Word(3) : CodePoints());
    }

private:
    std::mt19937_64 random_;
};

struct PlannedItem {
    CodePoints name;
    enum Kind { kFile, kEmptyFolder, kFullFolder } kind = kFile;
    std::string bytes;
};

struct PlannedCase {
    std::vector<PlannedItem> items;
    ModelSettings settings;
};

PlannedCase PlanCase(uint64_t seed)
{
    Generator g(seed);
    PlannedCase plan;
    std::vector<CodePoints> maps;
    for (size_t n = 1 + g.Below(4); n > 0; --n) {
        maps.push_back(g.Chance(50) ? CodePoints(U"canyon7") + g.Word(2) : g.Word(8));
    }
    std::vector<CodePoints> players;
    for (size_t n = 1 + g.Below(5); n > 0; --n) {
        players.push_back(g.Word(7));
    }
    const bool emptyPlayerAllowed = g.Chance(15);
    const size_t count = g.Chance(10) ? 40 + g.Below(80) : 1 + g.Below(30);
    for (size_t i = 0; i < count; ++i) {
        PlannedItem item;
        const size_t kind = g.Below(100);
        if (kind < 70) {
            item.name = g.RealisticDemo(maps, players);
        } else if (kind < 82) {
            item.name = g.OddDemo(players, emptyPlayerAllowed);
        } else {
            item.name = g.NotADemo();
        }
        if (g.Chance(8)) {
            item.kind = g.Chance(50) ? PlannedItem::kEmptyFolder : PlannedItem::kFullFolder;
        }
        for (size_t n = g.Below(40); n > 0; --n) {
            item.bytes += static_cast<char>(g.Below(256));
        }
        plan.items.push_back(std::move(item));
    }

    ModelSettings& settings = plan.settings;
    settings.perChallenge = g.Chance(4) ? g.Pick(kInvalidNumbers) : g.Pick(kValidNumbers);
    settings.perPlayer = g.Chance(4) ? g.Pick(kInvalidNumbers) : g.Pick(kValidNumbers);
    const size_t mode = g.Below(4);
    settings.onlyPlayer = mode == 1 || mode == 3;
    settings.limitPerPlayer = mode >= 2;
    switch (g.Below(6)) {
    case 0:
        settings.playerName = U"nobody";
        break;
    case 1:
        settings.playerName = CodePoints();
        break;
    case 2:
        settings.playerName = U' ' + players.front();
        break;
    default:
        settings.playerName = g.Recase(players[g.Below(players.size())]);
        break;
    }
    return plan;
}

// ---- Running one case for real. ----

uint64_t EnvNumber(const char* name, uint64_t fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtoull(value, nullptr, 10) : fallback;
}

std::string Describe(const std::vector<ModelItem>& listing, const ModelSettings& settings)
{
    std::string text = "per challenge \"" + std::string(settings.perChallenge.typed) + "\", per player \"" +
                       settings.perPlayer.typed + "\", player \"" + text::Utf8(settings.playerName) + "\", only " +
                       (settings.onlyPlayer ? "1" : "0") + ", limit " + (settings.limitPerPlayer ? "1" : "0") +
                       ", items:";
    for (const ModelItem& item : listing) {
        text += "\n  " + text::Utf8(item.name) + (item.undeletable ? "  [folder with a file]" : "");
    }
    return text;
}

class PruneModelTest : public testing::Test {
protected:
    void SetUp() override { CreateDemoLists(); }
    void TearDown() override { ReleaseDemoLists(); }

    // How many runs of each mode ended in "Done!" having deleted something; a generator that never gets there
    // would prove nothing.
    int deletingRuns_[3] = {};

    void RunCase(uint64_t seed)
    {
        const PlannedCase plan = PlanCase(seed);
        TempFolder temp;
        std::vector<PlannedItem> made;
        for (const PlannedItem& item : plan.items) {
            if (Make(temp, item)) {
                made.push_back(item);
            }
        }
        // The model walks what the platform lists, in its order, under the names it gives back.
        std::vector<ModelItem> listing;
        for (const std::wstring& name : ListNames(temp.Path())) {
            ModelItem item;
            item.name = text::FromUtf16(name);
            const auto planned = std::find_if(made.begin(), made.end(),
                                              [&](const PlannedItem& p) { return p.name == item.name; });
            ASSERT_NE(planned, made.end()) << "seed " << seed << ": the platform lists an unplanned name";
            item.undeletable = planned->kind == PlannedItem::kFullFolder;
            listing.push_back(item);
        }

        MainWinSettings settings;
        settings.demoPath = temp.PathUtf8();
        settings.numPerChallenge = plan.settings.perChallenge.typed;
        settings.numPerPlayer = plan.settings.perPlayer.typed;
        settings.playerName = text::Utf8(plan.settings.playerName);
        settings.onlyPlayer = plan.settings.onlyPlayer;
        settings.limitPerPlayer = plan.settings.limitPerPlayer;
        watcher_.Clear();
        PressGo(settings);
        const std::vector<std::string> messages = watcher_.Texts();

        std::set<CodePoints> left;
        for (const std::wstring& name : ListNames(temp.Path())) {
            left.insert(text::FromUtf16(name));
        }
        bool matched = false;
        for (unsigned choice = 0; choice < kSharedChoices && !matched; ++choice) {
            const ModelOutcome expected = Model(listing, choice).Run(plan.settings);
            std::set<CodePoints> expectedLeft;
            for (const ModelItem& item : listing) {
                if (expected.deleted.count(item.name) == 0) {
                    expectedLeft.insert(item.name);
                }
            }
            matched = expected.messages == messages && expectedLeft == left;
            if (choice == 0 && !matched && !HasShared(listing, plan.settings)) {
                break;
            }
        }
        const std::string where = "seed " + std::to_string(seed) + ", " + Describe(listing, plan.settings);
        if (!matched) {
            const ModelOutcome expected = Model(listing, 0).Run(plan.settings);
            std::string got = "messages:";
            for (const std::string& m : messages) {
                got += " \"" + m + "\"";
            }
            got += "\nleft:";
            for (const CodePoints& name : left) {
                got += "\n  " + text::Utf8(name);
            }
            std::string want = "messages:";
            for (const std::string& m : expected.messages) {
                want += " \"" + m + "\"";
            }
            want += "\ndeleted:";
            for (const CodePoints& name : expected.deleted) {
                want += "\n  " + text::Utf8(name);
            }
            ADD_FAILURE() << where << "\nthe run gave " << got << "\nthe model (shared letters unmapped) gives "
                          << want;
            return;
        }
        if (!messages.empty() && messages.back().compare(0, 5, "Done!") == 0 && left.size() < listing.size()) {
            ++deletingRuns_[plan.settings.onlyPlayer ? 1 : (plan.settings.limitPerPlayer ? 2 : 0)];
        }
        // What stays is untouched, byte for byte, the files inside folders too.
        for (const PlannedItem& item : made) {
            if (left.count(item.name) == 0) {
                continue;
            }
            const std::wstring path = temp.PathOf(text::Utf16(item.name));
            if (item.kind == PlannedItem::kFile) {
                EXPECT_EQ(text::ReadFileBytes(path), item.bytes) << where << "\nchanged: " << text::Utf8(item.name);
            } else if (item.kind == PlannedItem::kFullFolder) {
                EXPECT_EQ(text::ReadFileBytes(path + L"\\inside.bin"), item.bytes)
                    << where << "\nchanged inside: " << text::Utf8(item.name);
            }
        }
    }

    MessageBoxWatcher watcher_;

private:
    static bool HasShared(const std::vector<ModelItem>& listing, const ModelSettings& settings)
    {
        const auto shared = [](const CodePoints& s) {
            return std::any_of(s.begin(), s.end(), [](char32_t c) {
                return std::any_of(std::begin(kShared), std::end(kShared), [c](const SharedUpper& k) {
                    return k.lower == c || k.upper == c;
                });
            });
        };
        return shared(settings.playerName) ||
               std::any_of(listing.begin(), listing.end(), [&](const ModelItem& i) { return shared(i.name); });
    }

    // False when the platform refuses the name, for instance because it differs from an earlier one only in case.
    static bool Make(const TempFolder& temp, const PlannedItem& item)
    {
        const std::wstring path = temp.PathOf(text::Utf16(item.name));
        if (item.kind == PlannedItem::kFile) {
            return text::WriteNewFile(path, item.bytes);
        }
        if (!CreateDirectoryW(LongForm(path).c_str(), nullptr)) {
            return false;
        }
        return item.kind == PlannedItem::kEmptyFolder || text::WriteNewFile(path + L"\\inside.bin", item.bytes);
    }
};

TEST_F(PruneModelTest, GeneratedFoldersPruneExactlyAsTheRulesSay)
{
    const uint64_t cases = EnvNumber("HALVARD_PRUNE_CASES", 300);
    const uint64_t firstSeed = EnvNumber("HALVARD_PRUNE_SEED", 1);
    for (uint64_t seed = firstSeed; seed < firstSeed + cases && !HasFailure(); ++seed) {
        RunCase(seed);
    }
    if (cases >= 100) {
        for (const int runs : deletingRuns_) {
            EXPECT_GE(runs, 10) << "too few generated runs delete anything in one of the modes";
        }
    }
}

// Names that compare equal cannot lie side by side in one folder (the file system ignores case), so the sort is
// also checked on lists of items from different folders, where equal and case-only different names are common.
TEST_F(PruneModelTest, SortIsTheStableCaseIgnoringOrderAndEnds)
{
    const uint64_t cases = EnvNumber("HALVARD_PRUNE_CASES", 300);
    const uint64_t firstSeed = EnvNumber("HALVARD_PRUNE_SEED", 1);
    for (uint64_t seed = firstSeed; seed < firstSeed + cases && !HasFailure(); ++seed) {
        Generator g(seed);
        std::vector<CodePoints> pool(1 + g.Below(4));
        for (CodePoints& name : pool) {
            name = g.Word(4) + U"](" + g.Word(3) + U".1)" + g.Ending();
        }
        std::vector<ModelItem> items;
        DemoCount = static_cast<int32_t>(1 + g.Below(60));
        for (int32_t i = 1; i <= DemoCount; ++i) {
            const CodePoints name = g.Chance(40) ? g.Recase(pool[g.Below(pool.size())]) : g.Word(6) + g.Ending();
            // The folder part is the item's identity; only the Name takes part in the sort.
            (*DemoList)[i] = MakeRef<FolderItem>(L"C:\\d" + std::to_wstring(i) + L"\\" + text::Utf16(name));
            items.push_back({name, false});
        }
        auto sorted = std::async(std::launch::async, [] { SortDemos(); });
        if (sorted.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
            std::fprintf(stderr, "seed %llu: the sort of %d names did not end\n", static_cast<unsigned long long>(seed),
                         static_cast<int>(DemoCount));
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 4);
        }
        std::vector<std::wstring> got;
        for (int32_t i = 1; i <= DemoCount; ++i) {
            got.push_back((*DemoList)[i]->NativePath());
        }
        bool matched = false;
        for (unsigned choice = 0; choice < kSharedChoices && !matched; ++choice) {
            std::vector<size_t> order(items.size());
            for (size_t k = 0; k < order.size(); ++k) {
                order[k] = k;
            }
            std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
                return ModelCompare(items[a].name, items[b].name, choice) < 0;
            });
            std::vector<std::wstring> want;
            for (const size_t k : order) {
                want.push_back(L"C:\\d" + std::to_wstring(k + 1) + L"\\" + text::Utf16(items[k].name));
            }
            matched = want == got;
        }
        EXPECT_TRUE(matched) << "seed " << seed << ": the sorted order differs from the stable case-ignoring order";
    }
}

// The worked example of the rules, as a fixed point of the model itself, so that a wrong model cannot pass.
TEST(PruneModel, WorkedExampleOfTheThreeModes)
{
    const std::vector<ModelItem> listing = {
        {U"c]d1(ann.1).dm_68", false}, {U"c]d2(bob.1).dm_68", false},
        {U"c]d3(ann.1).dm_68", false}, {U"c]d4(cat.1).dm_68", false}};
    ModelSettings settings;
    settings.perChallenge = {"2", 2};
    settings.perPlayer = {"1", 1};
    EXPECT_EQ(Model(listing, 0).Run(settings).deleted,
              (std::set<CodePoints>{U"c]d3(ann.1).dm_68", U"c]d4(cat.1).dm_68"}));
    settings.onlyPlayer = true;
    settings.perChallenge = {"1", 1};
    settings.playerName = U"ANN";
    EXPECT_EQ(Model(listing, 0).Run(settings).deleted, (std::set<CodePoints>{U"c]d3(ann.1).dm_68"}));
    settings.onlyPlayer = false;
    settings.limitPerPlayer = true;
    settings.perChallenge = {"2", 2};
    EXPECT_EQ(Model(listing, 0).Run(settings).deleted,
              (std::set<CodePoints>{U"c]d3(ann.1).dm_68", U"c]d4(cat.1).dm_68"}));
}

} // namespace
