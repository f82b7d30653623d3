#include "preview/MetafileList.h"

#include "preview/ErrorMessage.h"
#include "preview/Errors.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <cerrno>
#include <limits>
#include <string>

namespace preview {

namespace {

using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr CrcTables MakeCrcTables() {
    CrcTables tables{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        tables[0][n] = c;
    }
    for (std::size_t t = 1; t < tables.size(); ++t)
        for (std::size_t n = 0; n < 256; ++n)
            tables[t][n] = (tables[t - 1][n] >> 8) ^ tables[0][tables[t - 1][n] & 0xFFU];
    return tables;
}

// CRC-32 (the one of zip and PNG): catches any damage of up to 32 bits in a row and all but one in
// four billion of the rest. Eight bytes a step, since every page written or read back pays for it.
std::uint32_t Crc32(const QByteArray& bytes) {
    static constexpr CrcTables kTables = MakeCrcTables();
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.constData());
    std::size_t left = static_cast<std::size_t>(bytes.size());
    std::uint32_t crc = 0xFFFFFFFFU;
    for (; left >= 8; left -= 8, at += 8) {
        const std::uint32_t low = crc ^ (std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 |
                                         std::uint32_t(at[2]) << 16 | std::uint32_t(at[3]) << 24);
        crc = kTables[7][low & 0xFFU] ^ kTables[6][(low >> 8) & 0xFFU] ^ kTables[5][(low >> 16) & 0xFFU] ^
              kTables[4][low >> 24] ^ kTables[3][at[4]] ^ kTables[2][at[5]] ^ kTables[1][at[6]] ^
              kTables[0][at[7]];
    }
    for (; left > 0; --left, ++at)
        crc = kTables[0][(crc ^ *at) & 0xFFU] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFU;
}

} // namespace

TMetafileEntry::TMetafileEntry(TMetafileList& owner, const TMetafile& metafile)
    : owner_(owner)
    , metafile_(std::make_unique<TMetafile>()) {
    metafile_->Assign(metafile); // a copy is not a change of the stored page: listen only afterwards
    Listen();
}

void TMetafileEntry::Listen() {
    metafile_->OnChange = [this](TMetafile&) {
        const bool report = size_ != 0 || states_.testFlag(TMetafileState::msChanged);
        states_ |= TMetafileState::msChanged;
        if (report)
            owner_.EntryChanged(*this);
    };
}

void TMetafileEntry::Load(THandleStream& file) {
    if (!states_.testFlag(TMetafileState::msInTempFile) || states_.testFlag(TMetafileState::msInMemory))
        return;
    QByteArray bytes(size_, Qt::Uninitialized);
    if (file.Seek(offset_, TSeekOrigin::soBeginning) != offset_)
        throw EReadError(Message(QT_TRANSLATE_NOOP("preview", "cannot reach a page in the temporary file")));
    file.ReadBuffer(bytes.data(), size_);
    if (Crc32(bytes) != checksum_)
        throw EReadError(Message(QT_TRANSLATE_NOOP("preview", "a page in the temporary file is damaged")));
    auto metafile = std::make_unique<TMetafile>();
    metafile->LoadFromData(bytes);
    metafile_ = std::move(metafile);
    Listen();
    states_ |= TMetafileState::msInMemory;
    touchCount_ = 0;
}

void TMetafileEntry::Store(THandleStream& file) {
    if (!states_.testFlag(TMetafileState::msChanged))
        return;
    const QByteArray bytes = metafile_->SaveToData();
    if (bytes.size() > std::numeric_limits<std::int32_t>::max())
        throw EWriteError(
            Message(QT_TRANSLATE_NOOP("preview", "a page is too large for the temporary file")));

    const std::int64_t fileSize = file.Size();
    // A copy that ends the file is overwritten where it lies; any other is left as dead space.
    const bool inPlace = states_.testFlag(TMetafileState::msInTempFile) && fileSize >= 0 &&
                         offset_ + static_cast<std::int64_t>(size_) == fileSize;
    const std::int64_t start =
        inPlace ? file.Seek(offset_, TSeekOrigin::soBeginning) : file.Seek(0, TSeekOrigin::soEnd);
    if (start < 0)
        throw EWriteError(file.FailureText(errno));
    try {
        file.WriteBuffer(bytes.constData(), bytes.size());
        if (inPlace) // the new copy may be shorter than the old one
            file.SetSize(start + bytes.size());
    } catch (const EStreamError&) {
        // A half-written copy at the end would keep the last copy from being rewritten in place.
        try {
            if (fileSize >= 0)
                file.SetSize(fileSize);
        } catch (
            const EStreamError&) { // NOLINT(bugprone-empty-catch): the first failure is the one to report
        }
        throw;
    }
    offset_ = start;
    size_ = static_cast<std::int32_t>(bytes.size());
    checksum_ = Crc32(bytes);
    states_ |= TMetafileState::msInTempFile;
    states_.setFlag(TMetafileState::msChanged, false);
    Release();
}

void TMetafileEntry::Release() {
    metafile_.reset();
    states_.setFlag(TMetafileState::msInMemory, false);
}

void TMetafileEntry::Touch() {
    if (touchCount_ < std::numeric_limits<std::int32_t>::max())
        ++touchCount_;
}

TMetafileList::TMetafileList(TFileOpener openFile)
    : openFile_(std::move(openFile)) {
    if (!openFile_)
        openFile_ = [] {
            return std::make_unique<TTemporaryFileStream>();
        };
}

TMetafileList::~TMetafileList() {
    ReleaseAll();
}

void TMetafileList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(index);
}

const TMetafileEntry& TMetafileList::Entries(int index) const {
    CheckIndex(index);
    return *records_[static_cast<std::size_t>(index)];
}

TMetafile& TMetafileList::Metafiles(int index) {
    return *GetCachedEntry(index).metafile_;
}

TMetafileEntry& TMetafileList::GetCachedEntry(int index) {
    CheckIndex(index);
    TMetafileEntry& entry = *records_[static_cast<std::size_t>(index)];
    if (!entry.states_.testFlag(TMetafileState::msInMemory)) {
        if (CachedCount() >= cacheSize_)
            ReduceCacheEntries(cacheSize_ - 1);
        cached_.reserve(cached_.size() + 1); // nothing may fail between loading and caching
        entry.Load(*tempFile_);
        cached_.push_back(&entry);
    }
    entry.Touch();
    return entry;
}

void TMetafileList::SetCacheSize(int value) {
    value = std::max(value, 1);
    if (value == cacheSize_)
        return;
    cacheSize_ = value;
    ReduceCacheEntries(cacheSize_);
}

void TMetafileList::ReduceCacheEntries(int limit) {
    while (CachedCount() > limit) {
        // The least used page goes; among equals the one cached last, which while a document is
        // being recorded is the page finished just before, so the pages in view stay.
        std::size_t victim = cached_.size() - 1;
        for (std::size_t i = victim; i-- > 0;)
            if (cached_[i]->touchCount_ < cached_[victim]->touchCount_)
                victim = i;
        TMetafileEntry& entry = *cached_[victim];
        if (entry.states_.testFlag(TMetafileState::msChanged)) {
            if (!tempFile_ || !tempFile_->IsOpen()) // a file that could not be created is tried again
                tempFile_ = openFile_();
            entry.Store(*tempFile_);
        } else {
            entry.Release(); // its copy in the file is current
        }
        cached_.erase(cached_.begin() + static_cast<std::ptrdiff_t>(victim));
    }
}

int TMetafileList::Add(const TMetafile& metafile) {
    const int index = Count();
    Insert(index, metafile);
    return index;
}

void TMetafileList::Insert(int index, const TMetafile& metafile) {
    index = std::clamp(index, 0, Count());
    ReduceCacheEntries(cacheSize_ - 1);
    auto entry = std::make_unique<TMetafileEntry>(*this, metafile);
    records_.reserve(records_.size() + 1);
    cached_.reserve(cached_.size() + 1);
    cached_.push_back(entry.get());
    records_.insert(records_.begin() + index, std::move(entry));
    if (OnChange)
        OnChange(*this, index, Count() - 1);
}

void TMetafileList::ReleaseAll() {
    cached_.clear();
    while (!records_.empty())
        records_.pop_back();
    tempFile_.reset();
}

void TMetafileList::Clear() {
    if (records_.empty())
        return;
    ReleaseAll();
    if (OnChange)
        OnChange(*this, 0, -1);
}

void TMetafileList::EntryChanged(const TMetafileEntry& entry) {
    const auto found = std::find_if(records_.begin(), records_.end(),
                                    [&entry](const auto& record) { return record.get() == &entry; });
    if (found != records_.end() && OnItemChange)
        OnItemChange(*this, static_cast<int>(found - records_.begin()));
}

} // namespace preview
