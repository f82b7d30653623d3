#include "model/TensionModel.h"

#include "model/NumberText.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <utility>

namespace model {

namespace {

// The sums and the outer-grip product are exact or rounded only at the points an x87 extended
// value (64-bit significand) gives; the order of nearly equal settings depends on those last bits.
static_assert(std::numeric_limits<long double>::digits == 64,
              "extended precision needs a 64-bit significand");

constexpr int PositionCount = 12;

// Tension in pounds of one spring in positions 1..12 at the inner grip.
constexpr std::array<double, PositionCount> InnerTensions = {
    13.715, 21.625, 31.285, 42.695, 55.865, 70.785, 87.455, 105.885, 126.065, 147.995, 171.685, 197.125};

// The outer grip gives 0.7 of the inner tension (the extended value nearest to 0.7).
constexpr long double OuterGripFactor = 0.7L;

constexpr int SingleCount = 12, PairCount = 55, TripleCount = 120;

// Number of settings for spring counts 1..4; 0 for a count the model does not know.
int SettingsFor(std::uint8_t springCount) {
    switch (springCount) {
    case 1:
        return SingleCount;
    case 2:
        return PairCount;
    case 3:
        return TripleCount;
    case 4:
        return SingleCount + PairCount + TripleCount;
    default:
        return 0;
    }
}

long double InnerTension(std::uint8_t position) {
    return InnerTensions[position - 1u];
}

SpringSetting MakeSetting(std::uint8_t a, std::uint8_t b = 0, std::uint8_t c = 0) {
    // Exact in extended precision, then rounded once to double.
    long double sum = InnerTension(a);
    if (b != 0)
        sum += InnerTension(b);
    if (c != 0)
        sum += InnerTension(c);
    return {a, b, c, static_cast<double>(sum)};
}

// Lays out the settings of one spring count in enumeration order; returns the next free slot.
SpringSetting* LayOut(int springs, SpringSetting* out) {
    for (std::uint8_t a = 1; a <= PositionCount; ++a) {
        if (springs == 1) {
            *out++ = MakeSetting(a);
            continue;
        }
        for (std::uint8_t b = a + 2; b <= PositionCount; ++b) {
            if (springs == 2) {
                *out++ = MakeSetting(a, b);
                continue;
            }
            for (std::uint8_t c = b + 2; c <= PositionCount; ++c)
                *out++ = MakeSetting(a, b, c);
        }
    }
    return out;
}

// Stable: equal tensions keep their enumeration order.
void BubbleSort(SpringSetting* settings, int n) {
    for (int pass = 1; pass <= n - 1; ++pass)
        for (int i = 0; i < n - pass; ++i)
            if (settings[i].Tension > settings[i + 1].Tension)
                std::swap(settings[i], settings[i + 1]);
}

// Not stable: an exact tie is reordered whenever a lower value passes between its members.
void ExchangeSort(SpringSetting* settings, int n) {
    for (int i = 0; i < n - 1; ++i)
        for (int j = i + 1; j < n; ++j)
            if (settings[j].Tension < settings[i].Tension)
                std::swap(settings[i], settings[j]);
}

std::string SettingText(const SpringSetting& setting) {
    std::string text = std::to_string(setting.Spring1);
    for (const std::uint8_t spring : {setting.Spring2, setting.Spring3})
        if (spring != 0)
            text += ", " + std::to_string(spring);
    return text;
}

} // namespace

TensionModel::TensionModel(SortVariant variant)
    : variant_(variant) {}

void TensionModel::BuildSettings(std::uint8_t SpringCount, std::string_view GripText) {
    const int n = SettingsFor(SpringCount);
    if (n == 0) {
        count_ = static_cast<int>(LayOut(1, table_.data()) - table_.data());
        return;
    }

    SpringSetting* end = table_.data();
    if (SpringCount == 4) {
        for (int springs = 1; springs <= 3; ++springs)
            end = LayOut(springs, end);
    } else {
        end = LayOut(SpringCount, end);
    }
    count_ = static_cast<int>(end - table_.data());

    if (SpringCount != 1) {
        if (variant_ == SortVariant::Calculator)
            BubbleSort(table_.data(), count_);
        else
            ExchangeSort(table_.data(), count_);
    }

    if (GripText == "Outer")
        for (int i = 0; i < count_; ++i)
            table_[static_cast<std::size_t>(i)].Tension = static_cast<double>(
                OuterGripFactor * static_cast<long double>(table_[static_cast<std::size_t>(i)].Tension));
}

std::uint16_t TensionModel::FindSetting(std::uint8_t SpringCount, double target) const {
    // A caller that asks for another count than it built reads no further than the table holds.
    const int n = std::min(SettingsFor(SpringCount), count_);
    int index = 1;
    while (index < n && target > Setting(index).Tension)
        ++index;
    return static_cast<std::uint16_t>(index);
}

Talpha TensionModel::FindSettingText(std::uint8_t SpringCount, double target) const {
    if (SettingsFor(SpringCount) == 0)
        return {"1", "2", "5"};
    const SpringSetting& setting = Setting(FindSetting(SpringCount, target));
    return {SettingText(setting), FormatFixed(setting.Tension, 1), "5"};
}

const SpringSetting& TensionModel::Setting(int index) const {
    if (index < 1 || index > count_)
        throw std::out_of_range("setting " + std::to_string(index) + " is outside the table of " +
                                std::to_string(count_) + " settings");
    return table_[static_cast<std::size_t>(index - 1)];
}

} // namespace model
