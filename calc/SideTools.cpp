#include "calc/SideTools.h"

#include "model/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace calc {

namespace {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the side tools compute with a 64-bit significand");

constexpr long double PercentageStep = 0.1L;
constexpr long double SlugsPerPound = 0.031080948777L;
constexpr long double KilogramsPerPound = 0.453597024403L; // the tools' own factor, not 0.45359237
constexpr long double NewtonsPerPound = 4.448221615L;

// Up to 15 significant digits of an extended value, trailing zeros removed, "." as the point.
std::string GeneralText(long double value) {
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 15);
    return std::string(buffer.data(), result.ptr);
}

std::string FourDecimals(float value) {
    return model::FormatFixed(static_cast<double>(value), 4);
}

float Times(float pounds, long double factor) {
    return static_cast<float>(static_cast<long double>(pounds) * factor);
}

} // namespace

std::optional<std::uint16_t> PercentageBase(std::string_view text, bool typed) {
    if (typed) {
        const auto value = model::ParseInteger(text);
        if (!value || *value < 0 || *value > std::numeric_limits<std::uint16_t>::max())
            return std::nullopt;
        return static_cast<std::uint16_t>(*value);
    }
    const auto value = model::ParseDecimal(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value); // the default rounding mode: halves to even
    if (!(rounded >= 0 && rounded <= std::numeric_limits<std::uint16_t>::max()))
        return std::nullopt;
    return static_cast<std::uint16_t>(rounded);
}

std::array<std::string, 13> PercentageLines(std::uint16_t pounds, std::string_view percent) {
    std::array<std::string, 13> lines;
    const long double tenth = static_cast<long double>(pounds) * PercentageStep;
    for (int i = 4; i <= 16; ++i)
        lines[static_cast<std::size_t>(i - 4)] = std::to_string(10 * i) + ' ' + std::string(percent) + " : " +
                                                 GeneralText(tenth * static_cast<long double>(i));
    return lines;
}

std::optional<float> ConversionPounds(std::string_view text) {
    const auto value = model::ParseDecimal(text);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(*value);
}

TConvertedTension Convert(float pounds) {
    return {FourDecimals(pounds), FourDecimals(Times(pounds, SlugsPerPound)),
            FourDecimals(Times(pounds, KilogramsPerPound)), FourDecimals(Times(pounds, NewtonsPerPound))};
}

} // namespace calc
