// The training-cycle generator without windows: the cells of known cycles, targets that equal a
// tension exactly, maxima at and beyond the table's ends, the padding of setting texts, and a second
// generation overwriting the first.
#include "designer/CycleGenerator.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using designer::CycleTable;
using designer::GenerateCycle;

constexpr int Light = 0, Medium = 1, Heavy = 2;

struct Cell {
    int week, set;
    std::string setting, tension, reps;
};

// The repetitions of every week, whatever the intensity; "0" marks a set the week does not have.
const std::vector<std::vector<std::string>> WeekReps = {{"8", "5", "3", "3", "3"}, {"8", "5", "3", "3", "3"},
                                                        {"8", "5", "3", "3", "0"}, {"8", "5", "3", "0", "0"},
                                                        {"8", "5", "3", "3", "3"}, {"8", "5", "3", "3", "3"},
                                                        {"8", "5", "3", "3", "0"}, {"8", "5", "3", "0", "0"}};

class CycleGeneratorTest : public ::testing::Test {
protected:
    model::TensionModel model{model::SortVariant::Designer};
    CycleTable cycle{};

    void Generate(std::int32_t maximum, std::uint8_t springs, std::string_view grip, int intensity) {
        GenerateCycle(model, cycle, maximum, springs, grip, intensity);
    }

    const model::Talpha& At(int week, int set) const { return cycle[week - 1][set - 1]; }

    void Expect(const std::vector<Cell>& cells) const {
        for (const Cell& cell : cells) {
            SCOPED_TRACE("week " + std::to_string(cell.week) + ", set " + std::to_string(cell.set));
            const model::Talpha& shown = At(cell.week, cell.set);
            EXPECT_EQ(shown.SettingText, cell.setting);
            EXPECT_EQ(shown.TensionText, cell.tension);
            EXPECT_EQ(shown.RepsText, cell.reps);
        }
    }

    // Every present set holds `present`, every absent one `absent`, with the week's repetitions.
    void ExpectEverySet(const std::string& present, const std::string& absent,
                        const std::string& presentTension, const std::string& absentTension) const {
        for (int week = 1; week <= 8; ++week)
            for (int set = 1; set <= 5; ++set) {
                const std::string& reps = WeekReps[week - 1][set - 1];
                const bool there = reps != "0";
                Expect({{week, set, there ? present : absent, there ? presentTension : absentTension, reps}});
            }
    }
};

TEST_F(CycleGeneratorTest, DefaultInputsGiveTheKnownCycle) {
    Generate(196, 2, "Inner", Heavy);
    Expect({{1, 1, "2, 8", "127.5", "8"},
            {1, 2, "2, 9", "147.7", "5"},
            {1, 3, "3, 9", "157.3", "3"},
            {1, 4, "4, 9", "168.8", "3"},
            {1, 5, "6, 8", "176.7", "3"},
            {4, 1, "2, 8", "127.5", "8"},
            {4, 2, "3, 9", "157.3", "5"},
            {4, 3, "5, 9", "181.9", "3"},
            {4, 4, "1, 3", "45.0", "0"}, // as long as the week's other texts: no space
            {4, 5, "1, 3", "45.0", "0"},
            {5, 1, "4, 7 ", "130.2", "8"},
            {5, 2, "3, 9 ", "157.3", "5"},
            {5, 3, "6, 8 ", "176.7", "3"},
            {5, 4, "6, 8 ", "176.7", "3"},
            {5, 5, "1, 11", "185.4", "3"}});
}

// The target is maximum x (percent x 0.01) in extended precision, rounded once to double; it then
// equals the tension exactly and selects that setting, where double arithmetic selects the next.
TEST_F(CycleGeneratorTest, TargetEqualToATensionTakesThatSetting) {
    struct Case {
        std::int32_t maximum;
        int intensity;
        Cell cell;
    };
    const std::vector<Case> cases = {
        {96, Heavy, {7, 1, "2, 4", "64.3", "8"}},     // 64.32
        {216, Light, {1, 4, "3, 10", "179.3", "3"}},  // 179.28
        {306, Heavy, {5, 5, "7, 12", "284.6", "3"}}}; // 284.58, not 9, 11 at 297.75
    for (const Case& c : cases) {
        SCOPED_TRACE("maximum " + std::to_string(c.maximum));
        Generate(c.maximum, 2, "Inner", c.intensity);
        Expect({c.cell});
    }
}

TEST_F(CycleGeneratorTest, MaximumZeroOrNegativeGivesTheLightestSettingEverywhere) {
    for (const std::int32_t maximum : {0, -1, -99, INT32_MIN}) {
        SCOPED_TRACE("maximum " + std::to_string(maximum));
        Generate(maximum, 2, "Inner", Heavy);
        ExpectEverySet("1, 3", "1, 3", "45.0", "45.0");
    }
}

TEST_F(CycleGeneratorTest, MaximumAboveEveryTensionGivesTheHeaviestSetting) {
    for (const int intensity : {Light, Medium, Heavy}) {
        SCOPED_TRACE("intensity " + std::to_string(intensity));
        Generate(999, 2, "Inner", intensity);
        // Absent sets keep the lightest setting, one space longer than the week's widest text.
        ExpectEverySet("10, 12", "1, 3 ", "345.1", "45.0");
    }
}

TEST_F(CycleGeneratorTest, OneSpringLight) {
    Generate(196, 1, "Inner", Light);
    Expect({{1, 1, "10", "148.0", "8"},
            {1, 2, "10", "148.0", "5"},
            {1, 3, "11", "171.7", "3"},
            {1, 4, "11", "171.7", "3"},
            {1, 5, "11", "171.7", "3"}});
}

// One, two and three springs mix in a week; every text shorter than the longest gets exactly one
// space, so a five-character text stays shorter than a padded seven-character one.
TEST_F(CycleGeneratorTest, OneToThreeSpringsOuterMediumPadsShorterTextsByOneSpace) {
    Generate(196, 4, "Outer", Medium);
    Expect({{1, 1, "1, 4, 9 ", "127.7", "8"},
            {1, 2, "1, 6, 9 ", "147.4", "5"},
            {1, 3, "2, 5, 10", "157.8", "3"},
            {1, 4, "7, 10 ", "164.8", "3"},
            {1, 5, "1, 5, 11", "168.9", "3"}});
}

TEST_F(CycleGeneratorTest, SecondGenerationReplacesEveryCell) {
    Generate(999, 2, "Inner", Heavy);
    Generate(0, 3, "Outer", Light);
    ExpectEverySet("1, 3, 5", "1, 3, 5", "70.6", "70.6");
}

// The window passes a spring count read from the settings file unchecked; the model then answers
// with fixed texts, and the cells keep the week's repetitions.
TEST_F(CycleGeneratorTest, SpringCountOutsideTheModelGivesItsFixedTexts) {
    for (const std::uint8_t springs : {0, 5, 255}) {
        SCOPED_TRACE("springs " + std::to_string(springs));
        Generate(196, springs, "Inner", Heavy);
        ExpectEverySet("1", "1", "2", "2");
    }
}

TEST_F(CycleGeneratorTest, IntensityOutsideTheBarTakesTheNearerEnd) {
    CycleTable light{}, heavy{};
    GenerateCycle(model, light, 250, 4, "Inner", Light);
    GenerateCycle(model, heavy, 250, 4, "Inner", Heavy);
    ASSERT_NE(light[7][2].SettingText, heavy[7][2].SettingText); // 92 % against 98 %
    Generate(250, 4, "Inner", -1);
    for (int week = 0; week < 8; ++week)
        for (int set = 0; set < 5; ++set)
            EXPECT_EQ(cycle[week][set].SettingText, light[week][set].SettingText);
    Generate(250, 4, "Inner", 3);
    for (int week = 0; week < 8; ++week)
        for (int set = 0; set < 5; ++set)
            EXPECT_EQ(cycle[week][set].SettingText, heavy[week][set].SettingText);
}

} // namespace
