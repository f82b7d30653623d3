#include "preview/TemporaryFileStream.h"

#include "preview/ErrorMessage.h"
#include "preview/Errors.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace preview {

namespace {
std::string ErrorText(int error) {
    return std::generic_category().message(error);
}
} // namespace

THandleStream::THandleStream(int handle, std::string failure)
    : handle_(handle)
    , failure_(std::move(failure)) {}

THandleStream::~THandleStream() {
    if (handle_ >= 0)
        ::close(handle_);
}

std::string THandleStream::FailureText(int error) const {
    return handle_ < 0 && !failure_.empty() ? failure_ : ErrorText(error);
}

std::int64_t THandleStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
    return ::lseek(handle_, static_cast<off_t>(offset), whence);
}

std::int64_t THandleStream::Size() const {
    struct stat status {};
    if (::fstat(handle_, &status) != 0)
        return -1;
    return status.st_size;
}

void THandleStream::SetSize(std::int64_t size) {
    if (::ftruncate(handle_, static_cast<off_t>(size)) != 0)
        throw EWriteError(FailureText(errno));
}

void THandleStream::ReadBuffer(void* buffer, std::int64_t count) {
    auto* at = static_cast<char*>(buffer);
    while (count > 0) {
        const ssize_t done = ::read(handle_, at, static_cast<size_t>(count));
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0)
            throw EReadError(FailureText(errno));
        if (done == 0)
            throw EReadError(Message(QT_TRANSLATE_NOOP("preview", "the file ends early")));
        at += done;
        count -= done;
    }
}

void THandleStream::WriteBuffer(const void* buffer, std::int64_t count) {
    const auto* at = static_cast<const char*>(buffer);
    while (count > 0) {
        const ssize_t done = ::write(handle_, at, static_cast<size_t>(count));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            throw EWriteError(FailureText(done < 0 ? errno : ENOSPC));
        at += done;
        count -= done;
    }
}

TTemporaryFileStream::TTemporaryFileStream()
    : TTemporaryFileStream(Open()) {}

TTemporaryFileStream::TTemporaryFileStream(Opened opened)
    : THandleStream(opened.handle, std::move(opened.failure)) {}

TTemporaryFileStream::Opened TTemporaryFileStream::Open() {
    // tempPath() is empty when TMPDIR names a folder that does not exist.
    const QString folder = QDir::tempPath();
    if (folder.isEmpty())
        return {-1, "the temporary folder \"" + qEnvironmentVariable("TMPDIR").toStdString() +
                        "\" does not exist"};
    QByteArray name = QFile::encodeName(folder + QStringLiteral("/PXXXXXXX"));
    // Close-on-exec: a program started meanwhile (a print spooler) must not keep the file alive.
    const int handle = ::mkostemp(name.data(), O_CLOEXEC);
    if (handle < 0)
        return {-1,
                "cannot create a temporary file in \"" + folder.toStdString() + "\": " + ErrorText(errno)};
    ::unlink(name.constData());
    return {handle, {}};
}

} // namespace preview
