// Training-cycle generator: turns an estimated maximum, spring count, grip and intensity into eight
// weeks of sets, each the lightest gripper setting that reaches a fixed share of the maximum, kept as
// the texts the routine sheet prints. Standard library and the tension model only, no windows.
#pragma once

#include "model/TensionModel.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace designer {

// [week - 1][set - 1]; a set the week does not have holds "0" repetitions.
using CycleTable = std::array<std::array<model::Talpha, 5>, 8>;

// Rebuilds `model` (a designer model) for the spring count and grip and overwrites all 40 cells of
// `Cycle`. Intensity 0 is light, 1 medium, 2 heavy; a value outside that range takes the nearer end.
void GenerateCycle(model::TensionModel& model, CycleTable& Cycle, std::int32_t maximum,
                   std::uint8_t SpringCount, std::string_view GripText, int intensity);

} // namespace designer
