// UTF-8 string operations counted in code points, and the case-ignoring comparison.
#include "text/Strings.h"

#include <windows.h>

#include <vector>

namespace {

struct Decoded {
    char32_t codePoint;
    size_t size;
};

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// A byte that does not begin a well-formed sequence (overlong forms, surrogates and values above U+10FFFF included)
// stands alone as 0xDC00 + byte. No well-formed sequence decodes to that range, so such a byte counts as one
// character everywhere and never compares equal to a real one.
Decoded DecodeAt(const unsigned char* p, size_t remaining)
{
    const unsigned char lead = p[0];
    const Decoded invalid{static_cast<char32_t>(0xDC00 + lead), 1};
    if (lead < 0x80) {
        return {lead, 1};
    }
    size_t size = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3;
        codePoint = lead & 0x0Fu;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4;
        codePoint = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return invalid;
    }
    if (remaining < size || p[1] < low || p[1] > high) {
        return invalid;
    }
    for (size_t k = 1; k < size; ++k) {
        if (!IsContinuation(p[k])) {
            return invalid;
        }
        codePoint = (codePoint << 6) | (p[k] & 0x3Fu);
    }
    return {codePoint, size};
}

const unsigned char* Bytes(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

// The byte offset after skipping up to count characters from offset.
size_t Skip(const std::string& s, size_t offset, long long count)
{
    const unsigned char* p = Bytes(s);
    const size_t size = s.size();
    for (; count > 0 && offset < size; --count) {
        offset += p[offset] < 0x80 ? 1 : DecodeAt(p + offset, size - offset).size;
    }
    return offset;
}

// Windows' own case table, asked once for the whole Basic Multilingual Plane. Only one-to-one answers are kept,
// surrogates map to themselves, and ASCII follows the plain a-z rule so that the fast path of StrCompare agrees.
std::vector<char16_t> BuildUpperTable()
{
    std::vector<char16_t> table(0x10000);
    for (size_t c = 0; c < table.size(); ++c) {
        table[c] = static_cast<char16_t>(c);
    }
    for (char16_t c = u'a'; c <= u'z'; ++c) {
        table[c] = static_cast<char16_t>(c - u'a' + u'A');
    }
    constexpr int kBlock = 0x80;
    wchar_t source[kBlock];
    wchar_t upper[kBlock];
    for (unsigned first = 0x80; first < 0x10000; first += kBlock) {
        if (first >= 0xD800 && first < 0xE000) {
            continue;
        }
        for (int k = 0; k < kBlock; ++k) {
            source[k] = static_cast<wchar_t>(first + static_cast<unsigned>(k));
        }
        if (LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, source, kBlock, upper, kBlock) == kBlock) {
            for (int k = 0; k < kBlock; ++k) {
                if (upper[k] < 0xD800 || upper[k] >= 0xE000) {
                    table[source[k]] = static_cast<char16_t>(upper[k]);
                }
            }
            continue;
        }
        // The block changed length somewhere: take each character alone.
        for (int k = 0; k < kBlock; ++k) {
            wchar_t one = 0;
            if (LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, &source[k], 1, &one, 1) == 1 &&
                (one < 0xD800 || one >= 0xE000)) {
                table[source[k]] = static_cast<char16_t>(one);
            }
        }
    }
    return table;
}

const char16_t* UpperTable()
{
    static const std::vector<char16_t> table = BuildUpperTable();
    return table.data();
}

} // namespace

char32_t UpperCase(char32_t codePoint)
{
    return codePoint < 0x10000 ? UpperTable()[codePoint] : codePoint;
}

size_t CharSizeAt(const std::string& s, size_t offset)
{
    const unsigned char* p = Bytes(s);
    return p[offset] < 0x80 ? 1 : DecodeAt(p + offset, s.size() - offset).size;
}

int32_t Len(const std::string& s)
{
    const unsigned char* p = Bytes(s);
    const size_t size = s.size();
    int32_t count = 0;
    for (size_t offset = 0; offset < size; ++count) {
        offset += p[offset] < 0x80 ? 1 : DecodeAt(p + offset, size - offset).size;
    }
    return count;
}

std::string Left(const std::string& s, int32_t count)
{
    if (count < 1) {
        return std::string();
    }
    return s.substr(0, Skip(s, 0, count));
}

std::string Right(const std::string& s, int32_t count)
{
    if (count < 1) {
        return std::string();
    }
    const int32_t length = Len(s);
    if (count >= length) {
        return s;
    }
    return s.substr(Skip(s, 0, length - count));
}

std::string Mid(const std::string& s, int32_t start, int32_t count)
{
    if (count < 1) {
        return std::string();
    }
    long long first = start;
    long long remaining = count;
    if (first < 1) {
        remaining -= 1 - first;
        first = 1;
    }
    if (remaining < 1) {
        return std::string();
    }
    const size_t begin = Skip(s, 0, first - 1);
    const size_t end = Skip(s, begin, remaining);
    return s.substr(begin, end - begin);
}

// Where both sides hold ASCII the bytes are compared directly, with no decoding or table lookup.
// When one side runs out of characters first it sorts first, even where an upper-case pair of different encoded
// lengths leaves it with more bytes; only when both run out together does the byte count decide.
int StrCompare(const std::string& a, const std::string& b)
{
    const unsigned char* pa = Bytes(a);
    const unsigned char* pb = Bytes(b);
    const size_t na = a.size();
    const size_t nb = b.size();
    size_t i = 0;
    size_t j = 0;
    while (i < na && j < nb) {
        const unsigned ca = pa[i];
        const unsigned cb = pb[j];
        if ((ca | cb) < 0x80) {
            if (ca != cb) {
                const unsigned ua = AsciiUpper(ca);
                const unsigned ub = AsciiUpper(cb);
                if (ua != ub) {
                    return ua < ub ? -1 : 1;
                }
            }
            ++i;
            ++j;
            continue;
        }
        const Decoded da = DecodeAt(pa + i, na - i);
        const Decoded db = DecodeAt(pb + j, nb - j);
        if (da.codePoint != db.codePoint) {
            const char32_t ua = UpperCase(da.codePoint);
            const char32_t ub = UpperCase(db.codePoint);
            if (ua != ub) {
                return ua < ub ? -1 : 1;
            }
        }
        i += da.size;
        j += db.size;
    }
    if (i < na) {
        return 1;
    }
    if (j < nb) {
        return -1;
    }
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

// FNV-1a over the upper-case forms of the code points, decoded exactly as StrCompare decodes them.
size_t StrHash(const std::string& s)
{
    const unsigned char* p = Bytes(s);
    const size_t size = s.size();
    uint64_t hash = 14695981039346656037ull;
    for (size_t offset = 0; offset < size;) {
        char32_t upper = p[offset];
        if (upper < 0x80) {
            upper = AsciiUpper(upper);
            ++offset;
        } else {
            const Decoded decoded = DecodeAt(p + offset, size - offset);
            upper = UpperCase(decoded.codePoint);
            offset += decoded.size;
        }
        hash = (hash ^ upper) * 1099511628211ull;
    }
    return static_cast<size_t>(hash);
}
