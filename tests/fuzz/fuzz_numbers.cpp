// Fuzz harness: the number parsers, and the promise that every finite number's shown form reads back.
#include "model/NumberText.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cmath>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)model::ParseInteger(text);
    if (const auto value = model::ParseDecimal(text)) {
        fuzz::Require(std::isfinite(*value));
        fuzz::Require(model::ParseDecimal(model::FormatGeneral(*value)).has_value());
        fuzz::Require(model::ParseDecimal(model::FormatFixed(*value, 2)).has_value());
    }
    return 0;
}
