// Arithmetic of the calculator's side tools: percentages of a tension, and a tension in pounds,
// slugs, kilograms and newtons. The products are formed with a 64-bit significand, so the last
// digits shown match the extended-precision arithmetic the tools have always used.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace calc {

// The whole pounds the percentages start from: a typed entry read as an integer, or a shown tension
// rounded to the nearest integer with halves to the even neighbour (31.5 gives 32). None for a text
// that cannot be read so, or one outside 0..65535.
std::optional<std::uint16_t> PercentageBase(std::string_view text, bool typed);

// "40 percent : 68" to "160 percent : 272" in steps of ten percent; `percent` is the word between the
// percentage and the value, in the language of the window.
std::array<std::string, 13> PercentageLines(std::uint16_t pounds, std::string_view percent = "percent");

// A typed or shown tension, fraction allowed, held as a single-precision value; none for a text
// that is not a number.
std::optional<float> ConversionPounds(std::string_view text);

// Four texts with exactly four decimals: pounds, slugs, kilograms, newtons.
struct TConvertedTension {
    std::string Pounds, Slugs, Kilograms, Newtons;
};
TConvertedTension Convert(float pounds);

} // namespace calc
