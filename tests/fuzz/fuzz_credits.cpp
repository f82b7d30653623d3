// Fuzz harness: the credit line markup, and the promise that an escaped text reads back as it stands.
#include "controls/Credits.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString line = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)controls::ParseCreditLine(line, Qt::black);
    const controls::TCreditLine plain =
        controls::ParseCreditLine(controls::EscapeCreditMarkup(line), Qt::black);
    fuzz::Require(plain.Text == line && !plain.Bold && !plain.Italic && !plain.Underline);
    return 0;
}
