#include "designer/CycleGenerator.h"

#include <algorithm>
#include <limits>
#include <string>

namespace designer {

namespace {

// Which setting a target selects can hang on the target's last bit, and the targets are those of an
// x87 extended product (64-bit significand) rounded once to double.
static_assert(std::numeric_limits<long double>::digits == 64,
              "the cycle targets need a 64-bit extended significand");

constexpr int Weeks = 8, Sets = 5;
using PercentTable = std::array<std::array<std::uint8_t, Sets>, Weeks>;

// Percent of the maximum for each set; 0 where the week has no such set.
constexpr PercentTable LightPercents = {{{65, 75, 80, 83, 86},
                                         {65, 75, 81, 84, 87},
                                         {65, 75, 82, 88, 0},
                                         {65, 75, 89, 0, 0},
                                         {65, 75, 82, 85, 88},
                                         {65, 75, 83, 86, 89},
                                         {65, 75, 83, 90, 0},
                                         {65, 75, 92, 0, 0}}};

constexpr PercentTable MediumPercents = {{{65, 75, 80, 84, 86},
                                          {65, 75, 82, 85, 88},
                                          {65, 75, 84, 89, 0},
                                          {65, 75, 90, 0, 0},
                                          {65, 75, 85, 87, 90},
                                          {65, 75, 86, 88, 91},
                                          {66, 76, 88, 93, 0},
                                          {66, 77, 95, 0, 0}}};

constexpr PercentTable HeavyPercents = {{{65, 75, 80, 85, 87},
                                         {65, 75, 83, 87, 88},
                                         {65, 76, 87, 90, 0},
                                         {65, 77, 92, 0, 0},
                                         {66, 77, 88, 90, 93},
                                         {66, 77, 89, 91, 94},
                                         {67, 78, 92, 96, 0},
                                         {67, 81, 98, 0, 0}}};

// Repetitions of each set, the same at every intensity; 0 exactly where the percentages are 0.
constexpr PercentTable SetReps = {{{8, 5, 3, 3, 3},
                                   {8, 5, 3, 3, 3},
                                   {8, 5, 3, 3, 0},
                                   {8, 5, 3, 0, 0},
                                   {8, 5, 3, 3, 3},
                                   {8, 5, 3, 3, 3},
                                   {8, 5, 3, 3, 0},
                                   {8, 5, 3, 0, 0}}};

// The extended value nearest to 0.01 (significand A3D70A3D70A3D70A).
constexpr long double Hundredth = 0.01L;

const PercentTable& PercentsFor(int intensity) {
    switch (std::clamp(intensity, 0, 2)) {
    case 0:
        return LightPercents;
    case 1:
        return MediumPercents;
    default:
        return HeavyPercents;
    }
}

// maximum x (percent x 0.01), each product rounded to extended, the result once to double. Plain
// double or exact decimal arithmetic misses ties such as 96 x 67 % = 64.32, the tension of (2, 4).
double Target(std::int32_t maximum, std::uint8_t percent) {
    const long double share = static_cast<long double>(percent) * Hundredth;
    const long double target = static_cast<long double>(maximum) * share;
    return static_cast<double>(target);
}

} // namespace

void GenerateCycle(model::TensionModel& model, CycleTable& Cycle, std::int32_t maximum,
                   std::uint8_t SpringCount, std::string_view GripText, int intensity) {
    model.BuildSettings(SpringCount, GripText);
    const PercentTable& percents = PercentsFor(intensity);

    for (int week = 0; week < Weeks; ++week) {
        std::size_t longest = 0;
        for (int set = 0; set < Sets; ++set) {
            // A set the week does not have is looked up too (target 0, the lightest setting), so
            // that no cell keeps an earlier cycle's text; it counts towards the week's width.
            model::Talpha cell = model.FindSettingText(SpringCount, Target(maximum, percents[week][set]));
            cell.RepsText = std::to_string(SetReps[week][set]);
            longest = std::max(longest, cell.SettingText.size());
            Cycle[week][set] = std::move(cell);
        }
        // One space for every shorter text, however much shorter: the sheet's middle column starts
        // at a fixed place, so the texts need not end up equally long.
        for (model::Talpha& cell : Cycle[week])
            if (cell.SettingText.size() != longest)
                cell.SettingText += ' ';
    }
}

} // namespace designer
