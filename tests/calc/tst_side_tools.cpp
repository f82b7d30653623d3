// Arithmetic behind the calculator's lists and tools: the tension list, percentages and conversion.
#include "calc/SideTools.h"
#include "calc/TensionList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using calc::ConversionPounds;
using calc::Convert;
using calc::PercentageBase;
using calc::PercentageLines;

TEST(TensionList, WholePoundsAtTheirFirstSetting) {
    model::TensionModel model(model::SortVariant::Calculator);
    model.BuildSettings(2, "Inner");
    const std::vector<int> lines = calc::FillTensionList(model, calc::TensionListRangeFor(1));
    ASSERT_GE(lines.size(), 6u);
    // 113 comes from the setting just below 113.48.
    EXPECT_EQ(std::vector<int>(lines.begin(), lines.begin() + 6),
              (std::vector<int>{101, 102, 109, 113, 118, 119}));
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()));
    EXPECT_EQ(std::adjacent_find(lines.begin(), lines.end()), lines.end());
}

TEST(TensionList, ANumberFirstReachedAtTheMinimumIsNotListed) {
    // With the upper range, a whole number whose first setting lies at or below 204 stays out even
    // when a later setting with the same whole part lies above 204.
    model::TensionModel model(model::SortVariant::Calculator);
    model.BuildSettings(3, "Inner");
    const std::vector<int> upper = calc::FillTensionList(model, calc::TensionListRangeFor(3));
    ASSERT_FALSE(upper.empty());
    EXPECT_EQ(upper.front(), 204);
    const std::vector<int> nothing = calc::FillTensionList(model, {452, 452});
    EXPECT_TRUE(nothing.empty());
    EXPECT_EQ(calc::TensionListRangeFor(0).Max, 452); // a position the slider cannot take lists all
}

TEST(SideTools, PercentagesInStepsOfTenPercent) {
    const auto of170 = PercentageLines(170);
    EXPECT_EQ(of170.front(), "40 percent : 68");
    EXPECT_EQ(of170[1], "50 percent : 85");
    EXPECT_EQ(of170[2], "60 percent : 102");
    EXPECT_EQ(of170.back(), "160 percent : 272");
    for (std::size_t i = 0; i < of170.size(); ++i)
        EXPECT_EQ(of170[i], std::to_string(40 + 10 * i) + " percent : " + std::to_string(68 + 17 * i));

    const auto of113 = PercentageLines(113);
    EXPECT_EQ(of113[0], "40 percent : 45.2");
    EXPECT_EQ(of113[1], "50 percent : 56.5");
    EXPECT_EQ(PercentageLines(999).back(), "160 percent : 1598.4");
    for (const std::string& line : PercentageLines(0))
        EXPECT_TRUE(line.ends_with(" : 0")) << line;
    EXPECT_EQ(PercentageLines(65535).back(), "160 percent : 104856");
}

TEST(SideTools, PercentageBaseFromTypedOrShownText) {
    EXPECT_EQ(PercentageBase("170", true), 170);
    EXPECT_EQ(PercentageBase("007", true), 7);
    EXPECT_EQ(PercentageBase("$FF", true), 255);
    for (const char* bad : {"", "abc", "1.5", "-5", "70000"})
        EXPECT_EQ(PercentageBase(bad, true), std::nullopt) << bad;
    // Shown tensions round to the nearest integer, halves to even.
    EXPECT_EQ(PercentageBase("31.5", false), 32);
    EXPECT_EQ(PercentageBase("32.5", false), 32);
    EXPECT_EQ(PercentageBase("9.6005", false), 10);
    EXPECT_EQ(PercentageBase("345.12", false), 345);
    EXPECT_EQ(PercentageBase("", false), std::nullopt);
}

TEST(SideTools, ConversionThroughSinglePrecision) {
    struct Case {
        const char* text;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"170", {"170.0000", "5.2838", "77.1115", "756.1977"}},
        {"113.48", {"113.4800", "3.5271", "51.4742", "504.7842"}},
        {"345.12", {"345.1200", "10.7267", "156.5454", "1535.1702"}},
        {"999", {"999.0000", "31.0499", "453.1434", "4443.7734"}},
        {"0", {"0.0000", "0.0000", "0.0000", "0.0000"}},
    };
    for (const Case& c : cases) {
        const auto pounds = ConversionPounds(c.text);
        ASSERT_TRUE(pounds) << c.text;
        const calc::TConvertedTension t = Convert(*pounds);
        EXPECT_EQ((std::vector<std::string>{t.Pounds, t.Slugs, t.Kilograms, t.Newtons}), c.expected)
            << c.text;
    }
    for (const char* bad : {"", "abc", "1e99", "nan"})
        EXPECT_EQ(ConversionPounds(bad), std::nullopt) << bad;
}
