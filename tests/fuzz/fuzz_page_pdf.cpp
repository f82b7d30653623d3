// Fuzz harness: page bytes through the page check and into the PDF library. A page the check passes
// must be written; one it refuses must fail; neither may crash, hang or swamp the library.
#include "dspdf/DsPdf.h"
#include "pagecheck/PageCheck.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {
const std::string& Target() {
    static const std::string target = fuzz::ScratchFile("page.pdf");
    return target;
}
} // namespace

// Starts Qt and loads fonts once, outside the time allowed for each input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnsureGuiApplication();
    const QByteArray page = fuzz::WarmUpPage();
    fuzz::Require(BeginDoc(Target().c_str()) == 0 && PrintPageM(page.constData(), int(page.size())) == 0 &&
                  EndDoc() == 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& target = Target();
    const QByteArray bytes = fuzz::WithChecksum(data, size);
    const bool passes = pagecheck::CheckPage(bytes).ok;
    fuzz::Require(BeginDoc(target.c_str()) == 0);
    const int printed = PrintPageM(bytes.constData(), int(bytes.size()));
    fuzz::Require((printed == 0) == passes);
    fuzz::Require((EndDoc() == 0) == passes);
    return 0;
}
