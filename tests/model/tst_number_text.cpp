// Number texts shown and read by both programs: rounding of halves, locale independence, and parsing
// of typed, shown and stored numbers.
#include "model/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

using model::FormatFixed;
using model::FormatGeneral;
using model::ParseDecimal;
using model::ParseInteger;

TEST(NumberText, GeneralFormDropsTrailingZeros) {
    EXPECT_EQ(FormatGeneral(45), "45");
    EXPECT_EQ(FormatGeneral(56.41), "56.41");
    EXPECT_EQ(FormatGeneral(9.6005), "9.6005");
    EXPECT_EQ(FormatGeneral(451.005), "451.005");
    EXPECT_EQ(FormatGeneral(0.1 + 0.2), "0.3"); // 15 digits hide the last-bit error
    EXPECT_EQ(FormatGeneral(0.1 + 0.2, 17), "0.30000000000000004");
}

TEST(NumberText, FixedFormRoundsTheExactBinaryValueHalfAwayFromZero) {
    struct Case {
        double value;
        int decimals;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {13.715, 1, "13.7"},
        {218.75, 1, "218.8"},
        {45, 1, "45.0"},
        {0.25, 1, "0.3"},
        {-0.25, 1, "-0.3"},
        {0.15, 1, "0.1"},
        {1.005, 2, "1.00"},
        {9.95, 1, "9.9"},
        {9.96, 1, "10.0"},
        {99.95, 1, "100.0"},
        {0.0, 1, "0.0"},
        {-0.04, 1, "0.0"},
        {2.5, 0, "3"},
        {-2.5, 0, "-3"},
        {1e21, 1, "1000000000000000000000.0"},
        {static_cast<double>(2735.65625f), 4, "2735.6563"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals;
}

TEST(NumberText, TextsKeepThePointUnderACommaLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    EXPECT_EQ(FormatGeneral(56.41), "56.41");
    EXPECT_EQ(FormatFixed(218.75, 1), "218.8");
    EXPECT_EQ(ParseDecimal("113.48"), 113.48);
    EXPECT_EQ(ParseDecimal("113,48"), std::nullopt);
    std::setlocale(LC_ALL, "C");
}

TEST(NumberText, DecimalsAreReadAsTheNearestDouble) {
    EXPECT_EQ(ParseDecimal("45"), 45.0);
    EXPECT_EQ(ParseDecimal("113.48"), 113.48);
    EXPECT_EQ(ParseDecimal("  -2.5e1 "), -25.0);
    EXPECT_EQ(ParseDecimal("+.5"), 0.5);
    EXPECT_EQ(ParseDecimal("7."), 7.0);
    for (const char* bad :
         {"", " ", "abc", "1a", "1.2.3", "inf", "nan", "-inf", "1e999", "--1", "+-1", "1 2", "0x10"})
        EXPECT_EQ(ParseDecimal(bad), std::nullopt) << '"' << bad << '"';
}

TEST(NumberText, IntegersInDecimalOrHexadecimal) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> expected;
    };
    const std::vector<Case> cases = {
        {"1", 1},
        {"  7", 7},
        {"-1", -1},
        {"+256", 256},
        {"$1F", 31},
        {"0x1F", 31},
        {"0X1f", 31},
        {"-$1F", -31},
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"2147483648", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"$100000000", std::nullopt},
        {"", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"1.5", std::nullopt},
        {"12abc", std::nullopt},
        {"- 1", std::nullopt},
        {"--1", std::nullopt},
        {"\x01\xff", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseInteger(c.text), c.expected) << '"' << c.text << '"';
}
