// Text alignment shared by the aligned edit box and the preview's caption: one definition for two
// libraries that do not link each other (header only).
#pragma once

#include <cstdint>

namespace common {

enum class TAlignment : std::uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

} // namespace common
