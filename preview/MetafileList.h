// The page store: every recorded page of a document in order, with only a few of them in memory.
// When the cache is full, the page used least leaves memory for a private temporary file and comes
// back from it on its next use. The store tells its owner which pages were added, removed or changed.
#pragma once

#include "preview/Metafile.h"
#include "preview/TemporaryFileStream.h"

#include <QFlags>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace preview {

class TMetafileList;

enum class TMetafileState : std::uint8_t {
    msInMemory = 0x1,   // the entry's metafile holds the page
    msInTempFile = 0x2, // a copy lies in the temporary file at Offset, Size bytes long
    msChanged = 0x4,    // the page in memory is newer than any copy in the file
};
Q_DECLARE_FLAGS(TMetafileStates, TMetafileState)

// One page of the store and where it is kept.
class TMetafileEntry {
public:
    TMetafileEntry(TMetafileList& owner, const TMetafile& metafile);
    TMetafileEntry(const TMetafileEntry&) = delete;
    TMetafileEntry& operator=(const TMetafileEntry&) = delete;

    TMetafileStates States() const { return states_; }
    std::int64_t Offset() const { return offset_; }
    std::int32_t Size() const { return size_; }
    // Uses of the page since it last came into memory; the least used page leaves the cache first.
    std::int32_t TouchCount() const { return touchCount_; }
    // The page while it is in memory, else null.
    const TMetafile* Metafile() const { return metafile_.get(); }

private:
    friend class TMetafileList;
    void Listen();
    void Load(THandleStream& file);
    void Store(THandleStream& file);
    void Release();
    void Touch();

    TMetafileList& owner_;
    std::unique_ptr<TMetafile> metafile_;
    TMetafileStates states_ = {TMetafileState::msInMemory, TMetafileState::msChanged};
    std::int64_t offset_ = 0;
    std::int32_t size_ = 0;
    std::int32_t touchCount_ = 0;
    // Checksum of the copy in the file: a copy whose bytes changed is refused, never replayed.
    std::uint32_t checksum_ = 0;
};

class TMetafileList {
public:
    // Opens the file that evicted pages go to; the default creates a TTemporaryFileStream.
    using TFileOpener = std::function<std::unique_ptr<THandleStream>()>;

    explicit TMetafileList(TFileOpener openFile = {});
    ~TMetafileList();
    TMetafileList(const TMetafileList&) = delete;
    TMetafileList& operator=(const TMetafileList&) = delete;

    int Count() const { return static_cast<int>(records_.size()); }

    // The page at the 0-based index, read back from the file if needed (which may first write another
    // page out). The reference stays valid until that page leaves the cache or the store is cleared.
    // Raises EListError for an index outside the store, EReadError for a copy that cannot be read back
    // and EWriteError when the page making room cannot be written.
    TMetafile& Metafiles(int index);

    // The number of pages kept in memory, at least 1; shrinking it writes pages out at once.
    int CacheSize() const { return cacheSize_; }
    void SetCacheSize(int value);

    // Store a copy of the metafile as the last page, or before the page at `index` (clamped into
    // 0 to Count). Add returns the new page's index. Raise EWriteError when the page that has to
    // leave memory for it cannot be written; the store is then unchanged.
    int Add(const TMetafile& metafile);
    void Insert(int index, const TMetafile& metafile);

    // Remove every page and the temporary file; reports (0, -1) through OnChange unless already empty.
    void Clear();

    // One stored page was drawn on: (sender, index).
    std::function<void(TMetafileList& sender, int index)> OnItemChange;
    // Pages were added (first and last index) or all removed (0, -1).
    std::function<void(TMetafileList& sender, int first, int last)> OnChange;

    // Where each page is, for the preview's diagnostics and for tests.
    const TMetafileEntry& Entries(int index) const;
    int CachedCount() const { return static_cast<int>(cached_.size()); }
    // The file that evicted pages are in; null until the first page is written out.
    THandleStream* TempFile() const { return tempFile_.get(); }

private:
    friend class TMetafileEntry;
    void CheckIndex(int index) const;
    TMetafileEntry& GetCachedEntry(int index);
    void ReduceCacheEntries(int limit);
    void ReleaseAll();
    void EntryChanged(const TMetafileEntry& entry);

    std::vector<std::unique_ptr<TMetafileEntry>> records_;
    std::vector<TMetafileEntry*> cached_; // in the order the pages came into memory
    std::unique_ptr<THandleStream> tempFile_;
    int cacheSize_ = 10;
    TFileOpener openFile_;
};

} // namespace preview

Q_DECLARE_OPERATORS_FOR_FLAGS(preview::TMetafileStates)
