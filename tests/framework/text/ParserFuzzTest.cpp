// Seeded, bounded fuzzing of Val, Int, ReadLine and the string comparison against small references.
//
// HALVARD_FUZZ_ROUNDS multiplies the number of generated inputs (default 1); HALVARD_FUZZ_SEED sets the seed.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/FolderItem.h"
#include "files/TextInputStream.h"
#include "support/TempFolder.h"
#include "support/TestText.h"
#include "text/Numbers.h"
#include "text/Strings.h"

namespace {

uint64_t EnvNumber(const char* name, uint64_t fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtoull(value, nullptr, 10) : fallback;
}

uint64_t Rounds() { return EnvNumber("HALVARD_FUZZ_ROUNDS", 1); }
uint64_t Seed() { return EnvNumber("HALVARD_FUZZ_SEED", 7); }

std::string Printable(const std::string& s)
{
    std::string out;
    for (const unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    return out;
}

class Bytes {
public:
    explicit Bytes(uint64_t seed) : random_(seed) {}
    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }
    bool Chance(int percent) { return Below(100) < static_cast<size_t>(percent); }
    char From(const std::string& alphabet) { return alphabet[Below(alphabet.size())]; }

private:
    std::mt19937_64 random_;
};

// ---- Val: strtod on exactly the plain decimal prefix, and the "&" radix rules written out again. ----

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

double ReferenceVal(const std::string& s)
{
    if (s.empty()) {
        return 0;
    }
    if (s.size() >= 2 && s[0] == '&') {
        const char kind = static_cast<char>(s[1] | 0x20);
        const uint32_t base = kind == 'h' ? 16 : kind == 'o' ? 8 : kind == 'b' ? 2 : 0;
        if (base == 0) {
            return 0;
        }
        uint32_t value = 0;
        for (size_t i = 2; i < s.size(); ++i) {
            const char c = s[i];
            uint32_t digit = 99;
            if (IsDigit(c)) {
                digit = static_cast<uint32_t>(c - '0');
            } else if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f') {
                digit = static_cast<uint32_t>((c | 0x20) - 'a' + 10);
            }
            if (digit < base) {
                value = value * base + digit;
            }
        }
        return static_cast<int32_t>(value);
    }
    // Only sign, digits, one point and a complete exponent reach strtod: its hexadecimal, inf and nan forms are
    // deliberately not numbers here.
    size_t i = 0;
    while (i < s.size() && IsSpace(s[i])) {
        ++i;
    }
    const size_t start = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    size_t digits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && IsDigit(s[i]); ++i) {
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t k = i + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) {
            ++k;
        }
        if (k < s.size() && IsDigit(s[k])) {
            while (k < s.size() && IsDigit(s[k])) {
                ++k;
            }
            i = k;
        }
    }
    const std::string prefix = s.substr(start, i - start);
    return std::strtod(prefix.c_str(), nullptr);
}

std::string RandomNumberText(Bytes& g)
{
    static const std::string alphabet = std::string("0123456789012345678901234567890123456789..eE+-+- \t\n\v\f\r&&hHoObB"
                                                    "xXpPinfaINFAcd,_\xc3\xa9\xff\x80") +
                                        std::string(1, '\0');
    std::string s;
    if (g.Chance(10)) {
        s = g.Chance(50) ? "&" : " ";
    }
    for (size_t n = g.Below(g.Chance(5) ? 400 : 24); n > 0; --n) {
        s += g.From(alphabet);
    }
    if (g.Chance(5)) {
        // Exponents and digit runs at the edges of the double range.
        s += "e" + std::to_string(static_cast<int>(g.Below(800)) - 400);
    }
    return s;
}

TEST(ValFuzz, AgreesWithStrtodOnPlainDecimalsAndWithTheRadixRules)
{
    const uint64_t seed = Seed();
    Bytes g(seed);
    const uint64_t count = 20000 * Rounds();
    for (uint64_t n = 0; n < count; ++n) {
        const std::string s = RandomNumberText(g);
        const double want = ReferenceVal(s);
        const double got = Val(s);
        ASSERT_FALSE(std::isnan(got)) << "seed " << seed << ", input " << n << ": \"" << Printable(s) << "\"";
        // Bit for bit: a count of 1 and 0.9999999999999999 fail validation differently.
        ASSERT_TRUE(std::memcmp(&want, &got, sizeof want) == 0 || (want == 0 && got == 0))
            << "seed " << seed << ", input " << n << ": \"" << Printable(s) << "\" gives " << got << ", strtod "
            << want;
    }
}

TEST(IntFuzz, TruncatesTowardZeroOrGivesTheLowestValue)
{
    const uint64_t seed = Seed();
    Bytes g(seed);
    for (uint64_t n = 0; n < 20000 * Rounds(); ++n) {
        uint64_t bits = 0;
        for (int k = 0; k < 8; ++k) {
            bits = (bits << 8) | g.Below(256);
        }
        double x = 0;
        if (g.Chance(50)) {
            std::memcpy(&x, &bits, sizeof x);
        } else {
            x = (static_cast<double>(bits % 9000000000ull) - 4500000000.0) / static_cast<double>(1 + g.Below(1000));
        }
        const double t = std::trunc(x);
        const int32_t want = (std::isnan(x) || t < -2147483648.0 || t > 2147483647.0) ? INT32_MIN
                                                                                        : static_cast<int32_t>(t);
        ASSERT_EQ(Int(x), want) << "seed " << seed << ", input " << n << ": " << x;
    }
}

// ---- ReadLine: a splitter over the whole byte string against the buffered reader. ----

std::vector<std::string> ReferenceLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < bytes.size()) {
        std::string line;
        while (pos < bytes.size() && bytes[pos] != '\r' && bytes[pos] != '\n') {
            line += bytes[pos++];
        }
        lines.push_back(line);
        if (pos == bytes.size()) {
            break;
        }
        const bool cr = bytes[pos] == '\r';
        ++pos;
        if (cr && pos < bytes.size() && bytes[pos] == '\n') {
            ++pos;
        }
    }
    return lines;
}

// Random lines whose ends land on, just before and just after the 1,024-byte refills.
std::string RandomStream(Bytes& g)
{
    static const char* const ends[] = {"\r\n", "\r", "\n", "\n\r", "\r\r", "\n\n", "\r\n\r\n"};
    std::string bytes;
    const size_t target = g.Chance(30) ? g.Below(64) : 1024 * (1 + g.Below(3)) + g.Below(9) - 4;
    while (bytes.size() < target) {
        const size_t boundary = 1024 * (bytes.size() / 1024 + 1);
        const size_t length = g.Chance(40) ? (boundary - bytes.size()) - g.Below(3) : g.Below(g.Chance(5) ? 3000 : 40);
        for (size_t k = 0; k < length && bytes.size() < target + 4; ++k) {
            bytes += static_cast<char>(g.Chance(3) ? g.Below(256) : 'a' + static_cast<int>(g.Below(26)));
        }
        if (g.Chance(90)) {
            bytes += ends[g.Below(sizeof ends / sizeof ends[0])];
        }
    }
    return bytes;
}

TEST(ReadLineFuzz, AgreesWithAWholeStringSplitterAcrossBufferRefills)
{
    const uint64_t seed = Seed();
    Bytes g(seed);
    TempFolder temp;
    for (uint64_t n = 0; n < 300 * Rounds(); ++n) {
        const std::string bytes = RandomStream(g);
        const std::wstring path = temp.MakeFile(L"stream.txt", bytes);
        const Ref<TextInputStream> stream = GetFolderItem(text::Utf8(text::FromUtf16(path)))->OpenAsTextFile();
        ASSERT_TRUE(stream);
        const std::vector<std::string> want = ReferenceLines(bytes);
        std::vector<std::string> got;
        for (size_t k = 0; k < want.size() + 3; ++k) {
            got.push_back(stream->ReadLine());
        }
        stream->Close();
        std::vector<std::string> wantPadded = want;
        wantPadded.resize(want.size() + 3);
        ASSERT_EQ(got, wantPadded) << "seed " << seed << ", stream " << n << " of " << bytes.size() << " bytes";
    }
}

// ---- The string comparison must be a total order, or the bubble sort has no single answer. ----

std::string RandomName(Bytes& g, const std::vector<std::string>& earlier)
{
    static const char* const pieces[] = {"a",  "A",  "b",  "B",  "z",  "Z",  "_",  "]",  "(",  ".",  "0",
                                         "9",  "[",  "`",  "\xc3\xa9", "\xc3\x89", "\xc3\x9f", "\xc4\xb1",
                                         "I",  "i",  "\xc5\xbf", "s", "S", "\xc2\xb5", "\xce\xbc", "\xce\x9c",
                                         "\xcf\x82", "\xcf\x83", "\xce\xa3", "\xc3\xbf", "\xc5\xb8",
                                         "\xd0\xb6", "\xd0\x96", "\xe2\x82\xac", "\xf0\x9f\x98\x80",
                                         "\xf4\x8f\xbf\xbd", "\xe2\x84\xaa", "k", "K",
                                         // Invalid UTF-8: stray continuation, truncated and overlong forms,
                                         // surrogates, values past U+10FFFF.
                                         "\x80", "\xbf", "\xc3", "\xe2\x82", "\xc0\xaf", "\xed\xa0\x80", "\xf5\x80\x80\x80",
                                         "\xff", "\xfe", "\xf0\x9f\x98"};
    if (!earlier.empty() && g.Chance(30)) {
        // A near copy: case turned or one piece changed, so that ties and close calls are common.
        std::string s = earlier[g.Below(earlier.size())];
        for (char& c : s) {
            if (g.Chance(30) && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) {
                c = static_cast<char>(c ^ 0x20);
            }
        }
        if (g.Chance(50)) {
            s += pieces[g.Below(sizeof pieces / sizeof pieces[0])];
        }
        return s;
    }
    std::string s;
    for (size_t n = g.Below(7); n > 0; --n) {
        s += pieces[g.Below(sizeof pieces / sizeof pieces[0])];
    }
    return s;
}

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(StrCompareFuzz, IsATotalOrderOnAnyBytes)
{
    const uint64_t seed = Seed();
    Bytes g(seed);
    for (uint64_t round = 0; round < 40 * Rounds(); ++round) {
        std::vector<std::string> names;
        for (int n = 0; n < 40; ++n) {
            names.push_back(RandomName(g, names));
        }
        const size_t count = names.size();
        std::vector<int> cmp(count * count);
        for (size_t a = 0; a < count; ++a) {
            for (size_t b = 0; b < count; ++b) {
                cmp[a * count + b] = Sign(StrCompare(names[a], names[b]));
            }
        }
        for (size_t a = 0; a < count; ++a) {
            ASSERT_EQ(cmp[a * count + a], 0) << "seed " << seed << ": \"" << Printable(names[a]) << "\"";
            for (size_t b = 0; b < count; ++b) {
                const int ab = cmp[a * count + b];
                ASSERT_EQ(ab, -cmp[b * count + a])
                    << "seed " << seed << ": \"" << Printable(names[a]) << "\" against \"" << Printable(names[b])
                    << "\" is not antisymmetric";
                if (names[a] == names[b]) {
                    ASSERT_EQ(ab, 0) << "seed " << seed << ": \"" << Printable(names[a]) << "\"";
                }
                for (size_t c = 0; c < count; ++c) {
                    const int bc = cmp[b * count + c];
                    const int ac = cmp[a * count + c];
                    // Equal strings order every third string alike; a <= b <= c gives a <= c, strictly if either is.
                    const bool broken = (ab == 0 && Sign(cmp[b * count + c]) != ac) ||
                                        (ab <= 0 && bc <= 0 && ac > 0) || (ab < 0 && bc <= 0 && ac >= 0) ||
                                        (ab <= 0 && bc < 0 && ac >= 0);
                    ASSERT_FALSE(broken) << "seed " << seed << ": \"" << Printable(names[a]) << "\", \""
                                         << Printable(names[b]) << "\", \"" << Printable(names[c]) << "\" give "
                                         << ab << ", " << bc << ", " << ac;
                }
            }
        }
    }
}

// ExtractField walks a name with Mid(s, i, 1) up to Len(s); on any bytes those pieces must give the name back.
TEST(StringFuzz, CharacterPiecesRebuildAnyBytes)
{
    const uint64_t seed = Seed();
    Bytes g(seed);
    std::vector<std::string> earlier;
    for (uint64_t n = 0; n < 3000 * Rounds(); ++n) {
        const std::string s = RandomName(g, earlier);
        earlier.push_back(s);
        const int32_t length = Len(s);
        std::string rebuilt;
        for (int32_t i = 1; i <= length; ++i) {
            const std::string piece = Mid(s, i, 1);
            ASSERT_EQ(Len(piece), 1) << "seed " << seed << ": \"" << Printable(s) << "\" at " << i;
            rebuilt += piece;
        }
        ASSERT_EQ(rebuilt, s) << "seed " << seed;
        const int32_t k = static_cast<int32_t>(g.Below(static_cast<size_t>(length) + 2));
        ASSERT_EQ(Left(s, k) + Right(s, length - k), s) << "seed " << seed << ": \"" << Printable(s) << "\", " << k;
        ASSERT_EQ(Left(s, k) + Mid(s, k + 1, length), s) << "seed " << seed << ": \"" << Printable(s) << "\", " << k;
    }
}

} // namespace
