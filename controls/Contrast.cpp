#include "controls/Contrast.h"

#include <algorithm>
#include <cmath>

namespace controls {

namespace {

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

QColor Mixed(const QColor& from, const QColor& to, double share) {
    const auto mix = [share](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()), mix(from.blue(), to.blue()));
}

} // namespace

double RelativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.red()) + 0.7152 * Linear(rgb.green()) + 0.0722 * Linear(rgb.blue());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ContrastingColour(const QColor& colour, const QColor& against, double minimum) {
    const QColor rgb = colour.toRgb();
    if (ContrastRatio(rgb, against) >= minimum)
        return rgb;
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    const QColor extreme = ContrastRatio(black, against) >= ContrastRatio(white, against) ? black : white;
    constexpr int Steps = 32;
    for (int step = 1; step < Steps; ++step) {
        const QColor mixed = Mixed(rgb, extreme, static_cast<double>(step) / Steps);
        if (ContrastRatio(mixed, against) >= minimum)
            return mixed;
    }
    return extreme;
}

} // namespace controls
