// Fuzz harness: page bytes through the page check and into the PDF library. A page the check passes
// must be written; one it refuses must fail; neither may crash, hang or swamp the library.
#include "dspdf/DsPdf.h"
#include "pagecheck/PageCheck.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::EnsureGuiApplication();
    static const std::string target = fuzz::ScratchFile("page.pdf");
    const QByteArray bytes = fuzz::WithChecksum(data, size);
    const bool passes = pagecheck::CheckPage(bytes).ok;
    fuzz::Require(BeginDoc(target.c_str()) == 0);
    const int printed = PrintPageM(bytes.constData(), int(bytes.size()));
    fuzz::Require((printed == 0) == passes);
    fuzz::Require((EndDoc() == 0) == passes);
    return 0;
}
