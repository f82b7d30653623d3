// The tension list: the whole numbers of pounds that the settings of a table reach first, within a
// range, from 100 pounds up.
#pragma once

#include "model/TensionModel.h"

#include <cstdint>
#include <vector>

namespace calc {

// The range of listed pounds: more than Min, at most Max.
struct TensionListRange {
    std::uint16_t Min, Max;
};

// The range for a position 1..3 of the list setting slider: all, the lower half, the upper half.
TensionListRange TensionListRangeFor(int sliderPosition);

// Each whole number of pounds at the first setting of `table` that reaches it, ascending. A number
// whose first setting lies at or below the range's minimum is not listed; nothing below 100 is.
std::vector<int> FillTensionList(const model::TensionModel& table, TensionListRange range);

} // namespace calc
