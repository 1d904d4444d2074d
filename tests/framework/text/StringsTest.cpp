// Character counting, slicing, case-ignoring comparison and UTF-16 conversion of the framework's strings.
#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "text/Strings.h"
#include "text/Unicode.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(Len, CountsCodePointsAndEachInvalidByteOnce)
{
    const struct {
        const char* text;
        int32_t length;
    } cases[] = {
        {"", 0},
        {"abc", 3},
        {"h\xC3\xA9llo", 5},             // é
        {"\xE6\x97\xA5\xE6\x9C\xAC", 2}, // two CJK characters
        {"\xF0\x9F\x98\x80!", 2},         // above U+FFFF
        {"\xC3", 1},                      // truncated pair
        {"a\xE2\x82", 3},                 // truncated triple: lead and continuation alone
        {"\xC0\x80", 2},                  // overlong NUL
        {"\xED\xA0\x80", 3},              // encoded surrogate
        {"\xF4\x90\x80\x80", 4},          // above U+10FFFF
        {"\x80\xBF", 2},                  // stray continuations
        {"\xFF\xFE", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Len(c.text), c.length) << c.text;
    }
}

TEST(Slicing, EdgeRulesOfLeftMidRight)
{
    const std::string euro = "\xE2\x82\xAC"; // €
    const std::string text = "a" + euro + "c";
    const struct {
        std::string actual;
        std::string expected;
    } cases[] = {
        {Left("abc", 0), ""},
        {Left("abc", -1), ""},
        {Left("abc", 2), "ab"},
        {Left("abc", 5), "abc"},
        {Left(text, 2), "a" + euro},
        {Right("abc", 5), "abc"},
        {Right("abc", 0), ""},
        {Right("abc", 1), "c"},
        {Right(text, 2), euro + "c"},
        {Mid("abc", 0, 2), "a"},
        {Mid("abc", 0, 1), ""},
        {Mid("abc", -1, 3), "a"},
        {Mid("abc", 5, 1), ""},
        {Mid("abc", 4, 1), ""},
        {Mid("abc", 2, 0), ""},
        {Mid("abc", 0, -1), ""},
        {Mid("abc", 2, 5), "bc"},
        {Mid("abc", 2, INT_MAX), "bc"},
        {Mid("abc", INT_MIN, INT_MAX), ""},
        {Mid(text, 2, 1), euro},
        {Mid(text, 3, 1), "c"},
        {Left("a\xE2\x82", 2), "a\xE2"},
        {Mid("a\xE2\x82z", 3, 2), "\x82z"},
        {Right("\xFF\xFE", 1), "\xFE"},
        {Mid(std::string("a\0b", 3), 2, 1), std::string("\0", 1)},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].actual, cases[i].expected) << "case " << i;
    }
}

TEST(UpperCase, SimpleOneToOnePairs)
{
    const struct {
        char32_t lower;
        char32_t upper;
    } cases[] = {
        {U'a', U'A'},      {U'z', U'Z'},      {U'A', U'A'},      {U'[', U'['},      {U'`', U'`'},
        {U'\u00E0', U'\u00C0'}, {U'\u00E9', U'\u00C9'}, {U'\u00FE', U'\u00DE'}, {U'\u00F7', U'\u00F7'},
        {U'\u00FF', U'\u0178'}, {U'\u0101', U'\u0100'}, {U'\u0161', U'\u0160'}, {U'\u03B1', U'\u0391'},
        {U'\u03C9', U'\u03A9'}, {U'\u044F', U'\u042F'}, {U'\u0451', U'\u0401'}, {U'\u0561', U'\u0531'},
        {U'\u0430', U'\u0410'}, {U'\u2C65', U'\u023A'}, {U'\u4E00', U'\u4E00'}, {U'\U0001F600', U'\U0001F600'},
        {U'\U00010428', U'\U00010428'}, // Deseret: above U+FFFF nothing is paired
    };
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<uint32_t>(UpperCase(c.lower)), static_cast<uint32_t>(c.upper))
            << std::hex << static_cast<uint32_t>(c.lower);
    }
}

TEST(StrHash, NamesThatDifferOnlyInCaseHashAlike)
{
    const struct {
        const char* a;
        const char* b;
    } cases[] = {
        {"a]1(Bob.x).dm_68", "A]1(BOB.X).DM_68"},
        {"\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89"},                         // été, ÉTÉ
        {"\xD0\xB8\xD0\xBC\xD1\x8F", "\xD0\x98\xD0\x9C\xD0\xAF"},         // имя, ИМЯ
        {"\xCF\x89\xFF", "\xCE\xA9\xFF"},                                   // an invalid byte after ω, Ω
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StrHash(c.a), StrHash(c.b)) << c.a << " / " << c.b;
    }
}

TEST(StrCompare, OrdersAsTheUpperCaseFormsAndIsAntisymmetric)
{
    const struct {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        {"", "", 0},
        {"", "a", -1},
        {"", " ", -1},
        {"dm_68", "DM_68", 0},
        {"[Map]x(Bob.Dm_68", "[map]X(bob.dM_68", 0},
        {"a_b", "abc", 1},
        {"ab", "abc", -1},
        {"abc", "abd", -1},
        {"ABC", "abd", -1},
        {"a b", "ab", -1},
        {"a1", "aA", -1},
        {"Z", "[", -1},
        {"z", "_", -1},
        {"z", "`", -1},
        {"\xC3\xA9", "\xC3\x89", 0},                 // é É
        {"\xC3\xBF", "\xC5\xB8", 0},                 // ÿ Ÿ
        {"\xD1\x8F", "\xD0\xAF", 0},                 // я Я
        {"\xD0\xB6", "\xD0\xAF", -1},                // ж before Я
        {"z", "\xC3\xA9", -1},                       // every ASCII letter before Latin-1 letters
        {"\xC3\xB7", "\xC3\x97", 1},                 // ÷ is not the lower case of ×
        {"\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89", 0},
        {"\xC3\xA9", "\xC3\xA9x", -1},
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x81", -1},
        {"\xFF", "\xFF", 0},
        {"a\xFF", "A\xFF", 0},
        {"\xE9", "\xC3\xA9", 1},                     // a stray byte is not the letter of the same number
        {"\xC3", "\xC3\xA9", 1},
        // ⱥ (3 bytes) has the upper case Ⱥ (2 bytes): with equal upper cases more bytes sort later, but a string
        // whose characters run out first still sorts first, and different strings never compare equal.
        {"\xE2\xB1\xA5", "\xC8\xBA", 1},
        {"\xE2\xB1\xA5", "\xC8\xBAX", -1},
        {"\xE2\xB1\xA5\xE2\xB1\xA5", "\xC8\xBA\xC8\xBAX", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Sign(StrCompare(c.a, c.b)), c.sign) << '"' << c.a << "\" vs \"" << c.b << '"';
        EXPECT_EQ(Sign(StrCompare(c.b, c.a)), -c.sign) << '"' << c.b << "\" vs \"" << c.a << '"';
    }
    EXPECT_TRUE(StrEquals("", std::string()));
    EXPECT_FALSE(StrEquals("", " "));
}

TEST(StrCompare, PunctuationAboveZSortsAfterEveryLetter)
{
    for (const char punctuation : std::string("[\\]^_`")) {
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const std::string lower(1, static_cast<char>(letter - 'A' + 'a'));
            EXPECT_LT(StrCompare(std::string(1, letter), std::string(1, punctuation)), 0) << letter << punctuation;
            EXPECT_LT(StrCompare(lower, std::string(1, punctuation)), 0) << lower << punctuation;
            EXPECT_GT(StrCompare("x" + std::string(1, punctuation), "x" + lower + "zzz"), 0) << lower << punctuation;
        }
    }
}

// The ASCII fast path and the decoding path must give one total order: mixing characters that take either path
// must never yield a < b < c with c <= a.
TEST(StrCompare, FastAndSlowPathsGiveOneTotalOrder)
{
    std::vector<std::string> items;
    for (int c = 0x20; c < 0x7F; ++c) {
        items.emplace_back(1, static_cast<char>(c));
    }
    for (const char* other : {"\xC3\x80", "\xC3\xA0", "\xC3\xB7", "\xC3\x97", "\xC3\xBF", "\xC5\xB8", "\xE2\xB1\xA5",
                              "\xC8\xBA", "\xD0\xAF", "\xD1\x8F", "\xCE\xB1", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                              "\x80", "\xFF", "\xC3"}) {
        items.emplace_back(other);
    }
    const size_t n = items.size();
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = 0; j < n; ++j) {
            const int ij = Sign(StrCompare(items[i], items[j]));
            ASSERT_EQ(ij, -Sign(StrCompare(items[j], items[i]))) << items[i] << " " << items[j];
            if (ij >= 0) {
                continue;
            }
            for (size_t k = 0; k < n; ++k) {
                if (StrCompare(items[j], items[k]) < 0) {
                    ASSERT_LT(StrCompare(items[i], items[k]), 0) << items[i] << " " << items[j] << " " << items[k];
                }
            }
        }
    }
}

// A hash table keyed by the comparison (the scan's player names) finds a name only if every string equal to it
// hashes alike: case pairs of one or of different encoded lengths, letters sharing an upper case, stray bytes.
TEST(StrHash, StringsThatCompareEqualHashAlike)
{
    const std::vector<std::string> pieces = {"a", "A", "_", "I", "i", "\xC3\xA9", "\xC3\x89", "\xCF\x83", "\xCF\x82",
                                             "\xCE\xA3", "\xD1\x8F", "\xD0\xAF", "\xC4\xB1", "\xC5\xBF", "s", "S",
                                             "\xE2\xB1\xA5", "\xC8\xBA", "\xFF", "\xC3", "\xF0\x9F\x98\x80"};
    std::vector<std::string> strings = {""};
    for (const std::string& first : pieces) {
        strings.push_back(first);
        for (const std::string& second : pieces) {
            strings.push_back(first + second);
        }
    }
    int equalButNotSame = 0;
    for (const std::string& a : strings) {
        for (const std::string& b : strings) {
            if (StrEquals(a, b)) {
                ASSERT_EQ(StrHash(a), StrHash(b)) << '"' << a << "\" vs \"" << b << '"';
                equalButNotSame += a != b;
            }
        }
    }
    EXPECT_GT(equalButNotSame, 0);
}

TEST(Unicode, ConvertsBothWaysAndReplacesInvalidInput)
{
    const std::string text = "h\xC3\xA9llo \xE6\x97\xA5 \xF0\x9F\x98\x80";
    EXPECT_EQ(Widen(text), L"h\u00E9llo \u65E5 \U0001F600");
    EXPECT_EQ(Narrow(Widen(text)), text);
    EXPECT_EQ(Widen(""), L"");
    EXPECT_EQ(Narrow(L""), "");
    EXPECT_EQ(Widen(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
    EXPECT_EQ(Widen("a\xFF"), L"a\uFFFD");
    EXPECT_EQ(Narrow(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
}

} // namespace
