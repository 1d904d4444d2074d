// UTF-8 string operations counted in code points, 1-based, and the case-ignoring comparison.
#pragma once

#include <cstdint>
#include <string>

int32_t Len(const std::string& s);
std::string Left(const std::string& s, int32_t count);
std::string Right(const std::string& s, int32_t count);
std::string Mid(const std::string& s, int32_t start, int32_t count);

// The number of bytes of the character that starts at byte `offset` (1 to 4; a byte that begins no well-formed
// sequence is a character of its own). Stepping through a string with it visits the characters Len counts.
size_t CharSizeAt(const std::string& s, size_t offset);

// Negative, zero or positive. Code points are compared through the simple one-to-one
// upper-case mapping; when one string is a prefix of the other, the shorter sorts first.
int StrCompare(const std::string& a, const std::string& b);
inline bool StrEquals(const std::string& a, const std::string& b) { return StrCompare(a, b) == 0; }
// A hash that agrees with StrEquals: strings that compare equal hash alike, so the case-ignoring comparison can key
// a hash table.
size_t StrHash(const std::string& s);

// The simple upper-case form of one code point (itself when it has none).
char32_t UpperCase(char32_t codePoint);

// The upper-case form of an ASCII letter; every other value comes back as it is. Inline: the comparisons call it
// for nearly every byte.
inline unsigned AsciiUpper(unsigned c) { return c - 'a' < 26u ? c - ('a' - 'A') : c; }
