// The setting tables both programs read: counts, order, ties, outer-grip products and lookups.
#include "model/NumberText.h"
#include "model/TensionModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

using model::SortVariant;
using model::TensionModel;

namespace {

std::string Positions(const model::SpringSetting& s) {
    std::string text = "(" + std::to_string(s.Spring1);
    if (s.Spring2 != 0)
        text += "," + std::to_string(s.Spring2);
    if (s.Spring3 != 0)
        text += "," + std::to_string(s.Spring3);
    return text + ")";
}

// What the calculator shows for a setting: "(1,3) 45".
std::string Shown(const TensionModel& model, int index) {
    const auto& s = model.Setting(index);
    return Positions(s) + " " + model::FormatGeneral(s.Tension);
}

TensionModel Built(SortVariant variant, int springs, const char* grip) {
    TensionModel model(variant);
    model.BuildSettings(static_cast<std::uint8_t>(springs), grip);
    return model;
}

} // namespace

TEST(TensionModel, EveryTableHoldsEveryValidSettingOnce) {
    for (const SortVariant variant : {SortVariant::Calculator, SortVariant::Designer}) {
        for (const auto& [springs, expected] :
             std::vector<std::pair<int, int>>{{1, 12}, {2, 55}, {3, 120}, {4, 187}}) {
            const TensionModel model = Built(variant, springs, "Inner");
            ASSERT_EQ(model.Count(), expected);
            std::vector<std::string> seen;
            for (int i = 1; i <= model.Count(); ++i) {
                const auto& s = model.Setting(i);
                const int used = 1 + (s.Spring2 != 0) + (s.Spring3 != 0);
                if (springs != 4) {
                    EXPECT_EQ(used, springs) << Positions(s);
                }
                EXPECT_GE(s.Spring1, 1);
                if (s.Spring2 != 0) {
                    EXPECT_GE(s.Spring2, s.Spring1 + 2) << Positions(s);
                }
                if (s.Spring3 != 0) {
                    EXPECT_GE(s.Spring3, s.Spring2 + 2) << Positions(s);
                }
                EXPECT_LE(std::max({s.Spring1, s.Spring2, s.Spring3}), 12) << Positions(s);
                if (i > 1) {
                    EXPECT_LE(model.Setting(i - 1).Tension, s.Tension) << "at " << i;
                }
                seen.push_back(Positions(s));
            }
            std::sort(seen.begin(), seen.end());
            EXPECT_EQ(std::unique(seen.begin(), seen.end()), seen.end());
        }
    }
}

TEST(TensionModel, ReferenceValuesAtBothEndsOfEveryTable) {
    struct Case {
        SortVariant variant;
        int springs;
        const char* grip;
        std::vector<std::string> first, last;
    };
    const std::vector<Case> cases = {
        {SortVariant::Calculator, 1, "Inner", {"(1) 13.715", "(2) 21.625"}, {"(11) 171.685", "(12) 197.125"}},
        {SortVariant::Calculator,
         2,
         "Inner",
         {"(1,3) 45", "(1,4) 56.41", "(2,4) 64.32"},
         {"(9,12) 323.19", "(10,12) 345.12"}},
        {SortVariant::Calculator,
         3,
         "Inner",
         {"(1,3,5) 100.865", "(1,3,6) 115.785"},
         {"(7,10,12) 432.575", "(8,10,12) 451.005"}},
        {SortVariant::Calculator,
         1,
         "Outer",
         {"(1) 9.6005", "(2) 15.1375"},
         {"(11) 120.1795", "(12) 137.9875"}},
        {SortVariant::Calculator,
         2,
         "Outer",
         {"(1,3) 31.5", "(1,4) 39.487"},
         {"(9,12) 226.233", "(10,12) 241.584"}},
        {SortVariant::Calculator,
         3,
         "Outer",
         {"(1,3,5) 70.6055", "(1,3,6) 81.0495"},
         {"(7,10,12) 302.8025", "(8,10,12) 315.7035"}},
        {SortVariant::Designer,
         4,
         "Inner",
         {"(1) 13.715", "(2) 21.625", "(3) 31.285", "(4) 42.695", "(1,3) 45"},
         {"(6,10,12) 415.905", "(7,10,12) 432.575", "(8,10,12) 451.005"}},
    };
    for (const Case& c : cases) {
        const TensionModel model = Built(c.variant, c.springs, c.grip);
        SCOPED_TRACE(std::to_string(c.springs) + " " + c.grip);
        for (std::size_t i = 0; i < c.first.size(); ++i)
            EXPECT_EQ(Shown(model, static_cast<int>(i) + 1), c.first[i]);
        for (std::size_t i = 0; i < c.last.size(); ++i)
            EXPECT_EQ(Shown(model, model.Count() - static_cast<int>(c.last.size() - 1 - i)), c.last[i]);
    }
}

TEST(TensionModel, ExactTiesComeOutInEachSortsOrder) {
    struct Tie {
        int calcIndex;
        const char* calcFirst;
        const char* calcSecond;
        int designerIndex;
        int allIndex;
    };
    // The designer's exchange sort puts the later-enumerated member of each tie first.
    const std::vector<Tie> ties = {
        {18, "(1,6,8)", "(2,4,9)", 18, 59},
        {70, "(3,8,10)", "(4,6,11)", 70, 133},
        {78, "(2,8,11)", "(3,6,12)", 78, 142},
        {98, "(4,9,11)", "(5,7,12)", 98, 164},
    };
    for (const char* grip : {"Inner", "Outer"}) {
        const TensionModel calc = Built(SortVariant::Calculator, 3, grip);
        const TensionModel designer = Built(SortVariant::Designer, 3, grip);
        const TensionModel all = Built(SortVariant::Designer, 4, grip);
        for (const Tie& t : ties) {
            SCOPED_TRACE(std::string(grip) + " " + t.calcFirst);
            EXPECT_EQ(Positions(calc.Setting(t.calcIndex)), t.calcFirst);
            EXPECT_EQ(Positions(calc.Setting(t.calcIndex + 1)), t.calcSecond);
            EXPECT_EQ(calc.Setting(t.calcIndex).Tension, calc.Setting(t.calcIndex + 1).Tension);
            EXPECT_EQ(Positions(designer.Setting(t.designerIndex)), t.calcSecond);
            EXPECT_EQ(Positions(designer.Setting(t.designerIndex + 1)), t.calcFirst);
            EXPECT_EQ(Positions(all.Setting(t.allIndex)), t.calcSecond);
            EXPECT_EQ(Positions(all.Setting(t.allIndex + 1)), t.calcFirst);
        }
    }
    // The four ties shown as the calculator shows them, inner and outer.
    const TensionModel inner = Built(SortVariant::Calculator, 3, "Inner");
    const TensionModel outer = Built(SortVariant::Calculator, 3, "Outer");
    const std::vector<std::pair<std::string, std::string>> shown = {
        {"190.385", "133.2695"}, {"285.165", "199.6155"}, {"299.195", "209.4365"}, {"340.445", "238.3115"}};
    for (std::size_t i = 0; i < ties.size(); ++i) {
        EXPECT_EQ(model::FormatGeneral(inner.Setting(ties[i].calcIndex).Tension), shown[i].first);
        EXPECT_EQ(model::FormatGeneral(outer.Setting(ties[i].calcIndex).Tension), shown[i].second);
    }
}

TEST(TensionModel, NoOtherExactTiesAmongAllSettings) {
    for (const char* grip : {"Inner", "Outer"}) {
        const TensionModel all = Built(SortVariant::Designer, 4, grip);
        int ties = 0;
        for (int i = 1; i < all.Count(); ++i)
            ties += all.Setting(i).Tension == all.Setting(i + 1).Tension;
        EXPECT_EQ(ties, 4) << grip;
    }
}

TEST(TensionModel, SumsAreRoundedOnceFromTheExactValue) {
    // Summing in doubles, rounding after each addition, would put (4,6,11) before (3,8,10) in the
    // calculator and break the exact tie above; the once-rounded sums keep the enumeration order.
    const TensionModel calc = Built(SortVariant::Calculator, 3, "Inner");
    EXPECT_EQ(Positions(calc.Setting(70)), "(3,8,10)");
    const double rounded = 42.695 + 70.785 + 171.685; // (4,6,11) rounded after each step
    const double once = static_cast<double>(42.695L + 70.785L + 171.685L);
    EXPECT_NE(rounded, once);
    EXPECT_EQ(calc.Setting(71).Tension, once);
}

TEST(TensionModel, OuterProductIsFormedInExtendedPrecision) {
    // 84 of the 187 settings differ in the last bit from a plain double product.
    const TensionModel inner = Built(SortVariant::Designer, 4, "Inner");
    const TensionModel outer = Built(SortVariant::Designer, 4, "Outer");
    int differs = 0;
    for (int i = 1; i <= inner.Count(); ++i) {
        const double tension = inner.Setting(i).Tension;
        EXPECT_EQ(outer.Setting(i).Tension, static_cast<double>(0.7L * static_cast<long double>(tension)));
        differs += outer.Setting(i).Tension != tension * 0.7;
    }
    EXPECT_EQ(differs, 84);
}

TEST(TensionModel, RebuildingStartsFromTheInnerTensions) {
    TensionModel model(SortVariant::Calculator);
    model.BuildSettings(2, "Inner");
    const double first = model.Setting(1).Tension;
    model.BuildSettings(2, "Outer");
    model.BuildSettings(2, "Outer");
    EXPECT_EQ(model::FormatGeneral(model.Setting(1).Tension), "31.5");
    model.BuildSettings(2, "Inner");
    EXPECT_EQ(model.Setting(1).Tension, first);
}

TEST(TensionModel, OnlyTheExactTextOuterSelectsTheOuterGrip) {
    for (const char* grip : {"outer", "OUTER", "Outer ", " Outer", "", "Inner", "Outerx"}) {
        const TensionModel model = Built(SortVariant::Calculator, 2, grip);
        EXPECT_EQ(model::FormatGeneral(model.Setting(1).Tension), "45") << '"' << grip << '"';
    }
}

TEST(TensionModel, LookupSelectsTheFirstSettingThatReachesTheTarget) {
    const TensionModel one = Built(SortVariant::Calculator, 1, "Inner");
    EXPECT_EQ(one.FindSetting(1, 0), 1);
    EXPECT_EQ(one.FindSetting(1, -1e300), 1);
    EXPECT_EQ(one.FindSetting(1, 70.785), 6);
    EXPECT_EQ(one.FindSetting(1, std::nextafter(70.785, 0.0)), 6);
    EXPECT_EQ(one.FindSetting(1, std::nextafter(70.785, 100.0)), 7);

    const TensionModel two = Built(SortVariant::Calculator, 2, "Inner");
    EXPECT_EQ(two.FindSetting(2, 1000), 55);
    EXPECT_EQ(two.FindSetting(2, 45), 1);
    EXPECT_EQ(two.FindSetting(2, 45.0001), 2);
    EXPECT_EQ(two.FindSetting(2, std::nan("")), 1);
    EXPECT_EQ(two.FindSetting(2, HUGE_VAL), 55);

    const TensionModel calc = Built(SortVariant::Calculator, 3, "Inner");
    const TensionModel designer = Built(SortVariant::Designer, 3, "Inner");
    EXPECT_EQ(calc.FindSetting(3, 190.385), 18);
    EXPECT_EQ(Positions(calc.Setting(18)), "(1,6,8)");
    EXPECT_EQ(designer.FindSetting(3, 190.385), 18);
    EXPECT_EQ(Positions(designer.Setting(18)), "(2,4,9)");
}

TEST(TensionModel, LookupNeverReadsPastTheTableBuilt) {
    // Asked for three springs after building one, the lookup stays inside the twelve settings.
    const TensionModel one = Built(SortVariant::Calculator, 1, "Inner");
    EXPECT_EQ(one.FindSetting(3, 1000), 12);
    TensionModel never(SortVariant::Calculator);
    EXPECT_EQ(never.FindSetting(2, 100), 1);
    EXPECT_THROW((void)never.Setting(1), std::out_of_range);
    EXPECT_THROW((void)one.Setting(13), std::out_of_range);
    EXPECT_THROW((void)one.Setting(0), std::out_of_range);
}

TEST(TensionModel, SettingTextForTheRoutineSheet) {
    const TensionModel two = Built(SortVariant::Designer, 2, "Inner");
    const model::Talpha low = two.FindSettingText(2, 44);
    EXPECT_EQ(low.SettingText, "1, 3");
    EXPECT_EQ(low.TensionText, "45.0");
    EXPECT_EQ(low.RepsText, "5");

    const TensionModel three = Built(SortVariant::Designer, 3, "Inner");
    EXPECT_EQ(three.FindSettingText(3, 190).SettingText, "2, 4, 9");
    EXPECT_EQ(three.FindSettingText(3, 190).TensionText, "190.4");

    const TensionModel one = Built(SortVariant::Designer, 1, "Inner");
    EXPECT_EQ(one.FindSettingText(1, 1).SettingText, "1");
    EXPECT_EQ(one.FindSettingText(1, 1).TensionText, "13.7");
    EXPECT_EQ(one.FindSettingText(1, 80).SettingText, "7");
    EXPECT_EQ(one.FindSettingText(1, 80).TensionText, "87.5");
}

TEST(TensionModel, UnknownSpringCountsFallBackToTheSingleSprings) {
    for (const int springs : {0, 5, 255}) {
        TensionModel model(SortVariant::Designer);
        model.BuildSettings(static_cast<std::uint8_t>(springs), "Outer");
        ASSERT_EQ(model.Count(), 12) << springs;
        EXPECT_EQ(Shown(model, 1), "(1) 13.715");
        EXPECT_EQ(Shown(model, 12), "(12) 197.125");
        EXPECT_EQ(model.FindSetting(static_cast<std::uint8_t>(springs), 500), 1);
        const model::Talpha text = model.FindSettingText(static_cast<std::uint8_t>(springs), 500);
        EXPECT_EQ(std::tie(text.SettingText, text.TensionText, text.RepsText),
                  std::make_tuple(std::string("1"), std::string("2"), std::string("5")));
    }
}
