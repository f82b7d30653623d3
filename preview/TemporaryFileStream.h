// Byte streams over file descriptors, and the private temporary file that holds pages written out of
// memory: created in the user's temporary folder and unlinked at once, so the system frees it when
// the stream closes, also after a crash.
#pragma once

#include <cstdint>
#include <string>

namespace preview {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

// A byte stream with seek, size and truncate over a file descriptor that it owns and closes.
class THandleStream {
public:
    // Takes ownership of `handle`; a negative handle makes every read and write fail, with `failure`
    // as the reason (the stream could not be opened).
    explicit THandleStream(int handle, std::string failure = {});
    virtual ~THandleStream();
    THandleStream(const THandleStream&) = delete;
    THandleStream& operator=(const THandleStream&) = delete;

    int Handle() const { return handle_; }
    bool IsOpen() const { return handle_ >= 0; }

    // The new position, or -1 when the stream cannot seek.
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin);
    std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    // The file's size, or -1 when it cannot be told.
    std::int64_t Size() const;
    // Cuts or extends the file; raises EWriteError.
    void SetSize(std::int64_t size);

    // Transfer exactly `count` bytes at the current position or raise EReadError / EWriteError.
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);

    // Why an operation failed with `error` (errno); for a stream that never opened, why it did not.
    std::string FailureText(int error) const;

private:
    int handle_;
    std::string failure_;
};

// A new, empty file named "PX" and a unique suffix in QDir::tempPath(), opened for reading and writing
// by this process alone. Creating it reports nothing when the folder is missing or refuses the file;
// the first read or write then raises the stream error with the reason.
class TTemporaryFileStream : public THandleStream {
public:
    TTemporaryFileStream();

private:
    struct Opened {
        int handle;
        std::string failure;
    };
    explicit TTemporaryFileStream(Opened opened);
    static Opened Open();
};

} // namespace preview
