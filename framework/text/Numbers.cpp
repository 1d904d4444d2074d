// Val and Int: number parsing that does not depend on the C locale.
#include "text/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int DigitValue(char c)
{
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'Z') {
        return c - 'A' + 10;
    }
    return 99;
}

// "&h1F", "&o17", "&b101": characters that are not digits of the base are skipped, and the 32-bit value
// wraps and is read as signed.
double RadixValue(const std::string& s)
{
    unsigned base = 0;
    switch (s[1]) {
    case 'h':
    case 'H':
        base = 16;
        break;
    case 'o':
    case 'O':
        base = 8;
        break;
    case 'b':
    case 'B':
        base = 2;
        break;
    default:
        return 0;
    }
    uint32_t value = 0;
    for (size_t i = 2; i < s.size(); ++i) {
        const int digit = DigitValue(s[i]);
        if (static_cast<unsigned>(digit) < base) {
            value = value * base + static_cast<uint32_t>(digit);
        }
    }
    return static_cast<int32_t>(value);
}

// The plain decimal form of strtod only: its hexadecimal, "inf" and "nan" forms read as no number here, since
// every caller reads a count that must stay a finite, ordinary number. The digits are handed to from_chars, which
// always takes "." as the decimal point.
double DecimalValue(const std::string& s)
{
    const char* text = s.data();
    const size_t size = s.size();
    size_t i = 0;
    while (i < size && IsSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < size && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t digitsStart = i;
    size_t digits = 0;
    // Decimal position of the first non-zero digit, to tell an overflow from an underflow below.
    long long magnitude = 0;
    bool seenNonZero = false;
    while (i < size && IsDigit(text[i])) {
        seenNonZero = seenNonZero || text[i] != '0';
        magnitude += seenNonZero ? 1 : 0;
        ++digits;
        ++i;
    }
    if (i < size && text[i] == '.') {
        ++i;
        while (i < size && IsDigit(text[i])) {
            if (!seenNonZero) {
                seenNonZero = text[i] != '0';
                magnitude -= seenNonZero ? 0 : 1;
            }
            ++digits;
            ++i;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (i < size && (text[i] == 'e' || text[i] == 'E')) {
        size_t k = i + 1;
        bool negativeExponent = false;
        if (k < size && (text[k] == '+' || text[k] == '-')) {
            negativeExponent = text[k] == '-';
            ++k;
        }
        if (k < size && IsDigit(text[k])) {
            long long exponent = 0;
            for (; k < size && IsDigit(text[k]); ++k) {
                if (exponent < 1000000000) {
                    exponent = exponent * 10 + (text[k] - '0');
                }
            }
            magnitude += negativeExponent ? -exponent : exponent;
            i = k;
        }
    }
    double value = 0;
    const std::from_chars_result result =
        std::from_chars(text + digitsStart, text + i, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

} // namespace

double Val(const std::string& s)
{
    if (s.size() >= 2 && s[0] == '&') {
        return RadixValue(s);
    }
    return DecimalValue(s);
}

int32_t Int(double x)
{
    constexpr int32_t kOutOfRange = std::numeric_limits<int32_t>::min();
    if (std::isnan(x)) {
        return kOutOfRange;
    }
    const double truncated = std::trunc(x);
    if (truncated < -2147483648.0 || truncated > 2147483647.0) {
        return kOutOfRange;
    }
    return static_cast<int32_t>(truncated);
}
