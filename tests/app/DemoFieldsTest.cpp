// The two name fields taken from a demo's name without a walk by Mid, and kept per DemoList entry.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DemoList.h"
#include "support/TempFolder.h"
#include "text/Strings.h"

namespace {

// The field as a walk by Len, Mid and the string comparison takes it, one character after another.
std::string ExtractFieldByMid(const std::string& source, const std::string& startDelimiter,
                              const std::string& endDelimiter, bool waitForStart)
{
    std::string result;
    bool capturing = !waitForStart;
    for (int32_t position = 1; position <= Len(source); ++position) {
        const std::string character = Mid(source, position, 1);
        if (capturing) {
            result += character;
        } else if (StrEquals(character, startDelimiter)) {
            capturing = true;
        }
        if (capturing && StrEquals(character, endDelimiter)) {
            return Left(result, Len(result) - 1);
        }
    }
    return result;
}

TEST(ExtractField, AgreesWithAWalkByMidOnRandomNames)
{
    // Delimiters, case pairs (also of different byte lengths: dotless i and I), multi-byte letters, stray bytes.
    const std::vector<std::string> pieces = {"(", ".", "]", "a", "A", "b", "\xc3\xa9", "\xc3\x89", "\xc4\xb1", "I", "i",
                                             "\xff", "\xc3", "\xe2\x82", "\xf0\x9f\x98\x80", "dm_68", " "};
    const std::vector<std::string> delimiters = {"", "(", ".", "]", "A", "a", "\xc3\x89", "\xc4\xb1", "I", "\xff",
                                                 "\xc3", "ab", "\xf0\x9f\x98\x80"};
    std::mt19937 random(68);
    for (int round = 0; round < 3000; ++round) {
        std::string source;
        const size_t length = random() % 12;
        for (size_t k = 0; k < length; ++k) {
            source += pieces[random() % pieces.size()];
        }
        const std::string& start = delimiters[random() % delimiters.size()];
        const std::string& end = delimiters[random() % delimiters.size()];
        const bool wait = random() % 2 == 0;
        ASSERT_EQ(ExtractField(source, start, end, wait), ExtractFieldByMid(source, start, end, wait))
            << "source=" << source << " start=" << start << " end=" << end << " wait=" << wait;
    }
}

TEST(DemoFields, FollowWhateverItemTheEntryHolds)
{
    CreateDemoLists();
    TempFolder temp;
    temp.MakeFile(L"k1]a(ann.1).dm_68");
    temp.MakeFile(L"k2]b(Bob.2).dm_68");
    DemoFolder = GetFolderItem(temp.PathUtf8());
    ASSERT_TRUE(ScanDemoFolder());
    ASSERT_EQ(DemoCount, 2);

    const auto fieldsAt = [](int32_t i) { return ChallengeKeyOf(i) + "|" + PlayerFieldOf(i); };
    EXPECT_EQ(fieldsAt(1), "k1|ann");
    EXPECT_EQ(fieldsAt(2), "k2|Bob");

    // Entries exchanged by hand, replaced by another item, or made nil: the fields go with the item.
    std::swap((*DemoList)[1], (*DemoList)[2]);
    EXPECT_EQ(fieldsAt(1), "k2|Bob");
    EXPECT_EQ(fieldsAt(2), "k1|ann");
    (*DemoList)[2] = GetFolderItem(temp.PathUtf8() + "\\k3]c(cat.3).dm_68");
    EXPECT_EQ(fieldsAt(2), "k3|cat");
    (*DemoList)[1] = nullptr;
    EXPECT_THROW(ChallengeKeyOf(1), NilObjectException);

    // A rescan and sort of a changed folder brings fresh fields.
    temp.MakeFile(L"k0]z(dan.0).dm_68");
    DemoFolder = GetFolderItem(temp.PathUtf8());
    ASSERT_TRUE(ScanDemoFolder());
    SortDemos();
    ASSERT_EQ(DemoCount, 3);
    EXPECT_EQ(fieldsAt(1), "k0|dan");
    EXPECT_EQ(fieldsAt(2), "k1|ann");
    EXPECT_EQ(fieldsAt(3), "k2|Bob");
    ReleaseDemoLists();
}

} // namespace
