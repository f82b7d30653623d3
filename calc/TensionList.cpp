#include "calc/TensionList.h"

#include <algorithm>
#include <cmath>

namespace calc {

namespace {
constexpr double ListFloor = 100;
}

TensionListRange TensionListRangeFor(int sliderPosition) {
    switch (sliderPosition) {
    case 2:
        return {2, 204};
    case 3:
        return {204, 452};
    default:
        return {2, 452};
    }
}

std::vector<int> FillTensionList(const model::TensionModel& table, TensionListRange range) {
    std::vector<int> lines;
    for (int n = 1; n <= table.Count(); ++n) {
        const double tension = table.Setting(n).Tension;
        if (tension > range.Max)
            break;
        if (tension <= range.Min)
            continue;
        const double previousWhole = n == 1 ? 1 : std::trunc(table.Setting(n - 1).Tension);
        const double whole = std::trunc(tension);
        if (whole <= previousWhole || tension < ListFloor)
            continue;
        lines.push_back(static_cast<int>(whole));
    }
    return lines;
}

} // namespace calc
