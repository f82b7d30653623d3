// Spring tension model: every setting of the gripper for a spring count and grip, ordered by tension,
// and the lookup of the lowest setting that reaches a wanted tension.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace model {

// Up to three springs in positions 1..12 (0 = no spring), rising by at least two; tension in pounds.
struct SpringSetting {
    std::uint8_t Spring1, Spring2, Spring3;
    double Tension;
};

// A found setting as the routine sheet prints it.
struct Talpha {
    std::string SettingText, TensionText, RepsText;
};

// The calculator orders settings with a stable bubble sort, the designer with an exchange sort;
// the two put the four exactly equal tensions in opposite orders.
enum class SortVariant { Calculator, Designer };

class TensionModel {
public:
    // Spring count 4 means "1 - 3": one, two and three springs in one table.
    static constexpr int MaxSettings = 187;

    explicit TensionModel(SortVariant variant);

    // Replaces the current table. Only the exact grip text "Outer" selects the outer grip. A spring
    // count outside 1..4 lays out the twelve single springs, inner grip, unsorted.
    void BuildSettings(std::uint8_t SpringCount, std::string_view GripText);

    // 1-based index of the first setting whose tension is at least `target`; the last setting when
    // the target exceeds them all. 1 for a spring count outside 1..4.
    std::uint16_t FindSetting(std::uint8_t SpringCount, double target) const;

    // The setting FindSetting selects as texts: "1, 6, 8", tension with one decimal, repetitions "5".
    Talpha FindSettingText(std::uint8_t SpringCount, double target) const;

    int Count() const { return count_; }           // settings in the table built last
    const SpringSetting& Setting(int index) const; // 1-based; throws std::out_of_range outside 1..Count()

private:
    SortVariant variant_;
    std::array<SpringSetting, MaxSettings> table_{};
    int count_ = 0;
};

} // namespace model
