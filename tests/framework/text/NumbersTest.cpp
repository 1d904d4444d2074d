// Val and Int as the count fields read them.
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "text/Numbers.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(Val, ReadsDecimalAndRadixForms)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},
        {"&h1F", 31},
        {"&H1f", 31},
        {"&b101", 5},
        {"&B1 0-1", 5},
        {"&o17", 15},
        {"&o8", 0},
        {"&hG1", 1},
        {"&hFFFFFFFF", -1},
        {"&h7FFFFFFF", 2147483647},
        {"&h80000000", -2147483648.0},
        {"&h100000001", 1},
        {"&h", 0},
        {"&", 0},
        {"&5", 0},
        {"&x1F", 0},
        {" &h1F", 0},
        {"2abc", 2},
        {"1e3", 1000},
        {"1E+2", 100},
        {"25e-1", 2.5},
        {"1e", 1},
        {"1e+", 1},
        {"1ex", 1},
        {"0.99", 0.99},
        {"-3.9", -3.9},
        {"+7", 7},
        {" \t\r\n\v\f12", 12},
        {".5", 0.5},
        {"5.", 5},
        {"007", 7},
        {"12,5", 12},
        {"1.2.3", 1.2},
        {"3e9", 3e9},
        {".", 0},
        {"-", 0},
        {"+.e1", 0},
        {"abc", 0},
        {"0x1A", 0},
        {"inf", 0},
        {"-Infinity", 0},
        {"nan", 0},
        {"1e400", kInfinity},
        {"-1e400", -kInfinity},
        {"1e99999999999999999999", kInfinity},
        {"1e-400", 0},
        {"0.000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         "00000000000000000000000000000000000000000000000000000000000000000000000000000001",
         0},
        {"0e999999", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Val(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(Val, IgnoresTheCLocaleDecimalPoint)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "German_Germany.1252") == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma";
    }
    const double half = Val("0.5");
    const double comma = Val("0,5");
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(half, 0.5);
    EXPECT_EQ(comma, 0);
}

TEST(Int, TruncatesTowardZeroAndMarksOutOfRange)
{
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const struct {
        double x;
        int32_t value;
    } cases[] = {
        {0.99, 0},
        {-0.5, 0},
        {3.9, 3},
        {-3.9, -3},
        {2147483647.0, 2147483647},
        {2147483647.9, 2147483647},
        {2147483648.0, kMin},
        {3e9, kMin},
        {-2147483648.0, kMin},
        {-2147483648.9, kMin},
        {-2147483649.0, kMin},
        {-2147483647.5, -2147483647},
        {kInfinity, kMin},
        {-kInfinity, kMin},
        {std::nan(""), kMin},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Int(c.x), c.value) << c.x;
    }
    EXPECT_EQ(Int(Val("5 demos")), 5);
    EXPECT_EQ(Int(Val("1e400")), kMin);
}

} // namespace
