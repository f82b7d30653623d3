#include "model/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace model {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Adds one unit in the last place to a text of digits with an optional single point ("9.99" -> "10.00").
std::string RoundUpMagnitude(std::string digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it == '.')
            continue;
        if (*it != '9') {
            ++*it;
            return digits;
        }
        *it = '0';
    }
    return "1" + digits;
}

} // namespace

std::string FormatGeneral(double value, int significantDigits) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, significantDigits);
    return std::string(buffer.data(), result.ptr);
}

std::string FormatFixed(double value, int decimals) {
    if (!std::isfinite(value))
        return FormatGeneral(value);
    // 1100 decimals hold the exact expansion of every double, so the digits past the ones kept decide
    // the rounding without a second rounding error.
    constexpr int ExactDecimals = 1100;
    std::string exact(1500, '\0');
    const auto result = std::to_chars(exact.data(), exact.data() + exact.size(), std::fabs(value),
                                      std::chars_format::fixed, ExactDecimals);
    exact.resize(static_cast<std::size_t>(result.ptr - exact.data()));

    const std::size_t point = exact.find('.');
    std::string kept = exact.substr(0, decimals > 0 ? point + 1 + static_cast<std::size_t>(decimals) : point);
    const char firstDropped = exact[point + 1 + static_cast<std::size_t>(decimals)];
    if (firstDropped >= '5')
        kept = RoundUpMagnitude(std::move(kept));

    const bool allZero = kept.find_first_not_of("0.") == std::string::npos;
    return (std::signbit(value) && !allZero ? "-" : "") + kept;
}

std::optional<double> ParseDecimal(std::string_view text) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan"; a typed tension never is one.
    if (text.empty() || !(IsDigit(text.front()) || text.front() == '.'))
        return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size())
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.front() == '+' || text.front() == '-')
        return std::nullopt;

    std::uint64_t magnitude = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size())
        return std::nullopt;

    if (base == 16) {
        if (magnitude > std::numeric_limits<std::uint32_t>::max())
            return std::nullopt;
        const auto pattern = static_cast<std::uint32_t>(magnitude);
        const auto signedPattern = static_cast<std::int32_t>(pattern);
        return negative ? static_cast<std::int32_t>(0u - pattern) : signedPattern;
    }
    const std::uint64_t limit = negative ? 2147483648ULL : 2147483647ULL;
    if (magnitude > limit)
        return std::nullopt;
    return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                    : static_cast<std::int32_t>(magnitude);
}

} // namespace model
