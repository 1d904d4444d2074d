// The benchmark's demo names: map and number make the challenge, then a time, the player and the mode.
#include "DemoNames.h"

#include <cstdio>
#include <random>
#include <set>

#include "text/Strings.h"

namespace {

const char* const kMaps[] = {"Canyon", "Ridge", "Temple", "Harbor", "Quarry", "Summit",
                             "Grotto", "Mesa",  "Delta",  "Fjord",  "Spire",  "Vault"};
const char* const kPlayers[] = {"ann", "Bob", "cyra", "Dax", "eli",  "Fen", "gus", "Hal", "ivo", "Jun", "kai", "Lev",
                                "mo",  "Nia", "oz",   "Pim", "quin", "Rue", "sol", "Tam", "uma", "Vic", "wes", "Xan",
                                "yui", "Zed", "abe",  "Bea", "cal",  "Dot", "eve", "Flo", "gil", "Hana", "ike", "Jo"};
constexpr int kDemosPerChallenge = 17;

// Names that differ only in case would be one file on Windows.
struct IgnoringCase {
    bool operator()(const std::string& a, const std::string& b) const { return StrCompare(a, b) < 0; }
};

// Player k: a name of the list, numbered once the list is used up.
std::string Player(int k)
{
    const int listed = static_cast<int>(sizeof kPlayers / sizeof kPlayers[0]);
    const std::string name = kPlayers[k % listed];
    return k < listed ? name : name + std::to_string(k / listed);
}

} // namespace

std::vector<std::string> MakeDemoNames(int count, int players, uint32_t seed)
{
    const int mapCount = static_cast<int>(sizeof kMaps / sizeof kMaps[0]);
    const int challenges = count / kDemosPerChallenge > 0 ? count / kDemosPerChallenge : 1;
    std::mt19937 random(seed);
    std::set<std::string, IgnoringCase> seen;
    std::vector<std::string> names;
    while (static_cast<int>(names.size()) < count) {
        const int challenge = static_cast<int>(random() % static_cast<unsigned>(challenges));
        const unsigned drawn = random() % static_cast<unsigned>(players);
        const std::string player = Player(players >= count ? static_cast<int>(names.size()) : static_cast<int>(drawn));
        const unsigned minutes = random() % 10;
        const unsigned seconds = random() % 60;
        const unsigned millis = random() % 1000;
        const char* mode = random() % 4 == 0 ? "Run" : "Race";
        char name[96];
        std::snprintf(name, sizeof name, "%s%02d]%02u.%02u.%03u(%s.%s).dm_68", kMaps[challenge % mapCount],
                      challenge / mapCount + 1, minutes, seconds, millis, player.c_str(), mode);
        if (seen.insert(name).second) {
            names.push_back(name);
        }
    }
    return names;
}
