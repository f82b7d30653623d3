// Checks the bytes of a recorded page (a QPicture's data) before anything replays them: Qt replays
// whatever it is given, and a few crafted bytes abort the process, take gigabytes or crash a paint engine.
#pragma once

#include <QByteArrayView>
#include <QRect>

#include <cstdint>
#include <string>

namespace pagecheck {

// The largest page the programs read back or hand to the PDF library. Real pages take some ten kilobytes.
inline constexpr std::int64_t kMaxPageBytes = std::int64_t(32) << 20;

struct TPageCheck {
    bool ok = false;
    std::string reason; // why the page is refused; empty when it passed
    QRect bounds;       // the page's rectangle in its pixels, as recorded; for a page that passed
};

// Whether the page's checksum is verified: bytes just recorded in this process carry one by construction.
enum class TChecksum { Verify, Trust };

// One pass over the bytes. A page passes only when every record is one the recording canvas writes,
// fits its length and holds finite values of sane size; one bad record refuses the whole page.
TPageCheck CheckPage(QByteArrayView bytes, TChecksum checksum = TChecksum::Verify);

} // namespace pagecheck
