// Text alignment shared by the aligned edit box and the preview's caption: one definition for two
// libraries that do not link each other (header only).
#pragma once

#include <cstdint>

/// Definitions shared by the suite's libraries.
namespace common {

/// Where a line of text lies in its box.
enum class TAlignment : std::uint8_t {
    taLeftJustify = 0,  ///< at the left
    taRightJustify = 1, ///< at the right
    taCenter = 2        ///< centred
};

} // namespace common
