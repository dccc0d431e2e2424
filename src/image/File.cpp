#include "image/File.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

FileError FileError::FromErrno(int err)
{
    FileError e;
    e.cause = err;
    e.text = std::strerror(err);
    if (e.text.size() > 260) e.text.resize(260);
    return e;
}

namespace {

mode_t CurrentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// A symbolic link keeps pointing at the file: write beside its target.
std::string ResolveTarget(const std::string& path)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved)) return resolved;
    }
    return path;
}

}  // namespace

CFile::~CFile() { Abort(); }

bool CFile::Open(const std::string& path, Mode mode, FileError& error)
{
    Abort();
    mode_ = mode;
    path_ = path;
    written_ = handedOver_ = 0;
    if (mode == Mode::Read) {
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) {
            error = FileError::FromErrno(errno);
            return false;
        }
        struct stat st;
        if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
            Abort();
            error = FileError::FromErrno(EISDIR);
            return false;
        }
        return true;
    }

    // Without a name the temporary would land in the working folder.
    if (path.empty()) {
        error = FileError::FromErrno(ENOENT);
        return false;
    }
    target_ = ResolveTarget(path);
    struct stat st;
    mode_t permissions = 0666 & ~CurrentUmask();
    replacing_ = ::stat(target_.c_str(), &st) == 0;
    if (replacing_) {
        if (S_ISDIR(st.st_mode)) {
            error = FileError::FromErrno(EISDIR);
            return false;
        }
        // A device or pipe has no content to keep, and renaming a file over
        // it would replace the node itself: write to it directly.
        if (!S_ISREG(st.st_mode)) {
            // Not blocking on a pipe nobody reads; writes then block as usual.
            fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
            if (fd_ < 0) {
                error = FileError::FromErrno(errno);
                return false;
            }
            ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
            return true;
        }
        // Refuse a file we could not have written in place either.
        if (::access(target_.c_str(), W_OK) != 0) {
            error = FileError::FromErrno(errno);
            return false;
        }
        permissions = st.st_mode & 07777;
    }
    const size_t slash = target_.find_last_of('/');
    const std::string dir = slash == std::string::npos ? std::string() : target_.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target_ : target_.substr(slash + 1);
    std::string pattern = dir + "." + name + ".XXXXXX";
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) {
        error = FileError::FromErrno(errno);
        return false;
    }
    temp_ = pattern;
    ::fchmod(fd_, permissions);
    return true;
}

size_t CFile::Read(void* buffer, size_t count)
{
    size_t done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < count) {
        const ssize_t n = ::read(fd_, out + done, count - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileError::FromErrno(errno);
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

void CFile::Seek(std::uint64_t offset)
{
    if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) throw FileError::FromErrno(errno);
}

std::uint64_t CFile::Length()
{
    struct stat st;
    if (::fstat(fd_, &st) != 0) throw FileError::FromErrno(errno);
    return static_cast<std::uint64_t>(st.st_size);
}

void CFile::Write(const void* buffer, size_t count)
{
    size_t done = 0;
    const auto* in = static_cast<const char*>(buffer);
    while (done < count) {
        const ssize_t n = ::write(fd_, in + done, count - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileError::FromErrno(errno);
        }
        done += static_cast<size_t>(n);
    }
    StartWriteBack(count);
}

void CFile::StartWriteBack(size_t written)
{
#if defined(__linux__) && defined(SYNC_FILE_RANGE_WRITE)
    // Close() waits for a replacing file to reach the disk; handing each few
    // megabytes to the disk as they are written lets the disk work while the
    // rest is still being prepared, so that wait is short. Only a hint: a
    // failure shows again, and is reported, when Close() syncs the file.
    constexpr std::uint64_t kWriteBackBytes = 4 << 20;
    if (!replacing_ || temp_.empty()) return;
    written_ += written;
    if (written_ - handedOver_ < kWriteBackBytes) return;
    ::sync_file_range(fd_, static_cast<off_t>(handedOver_), static_cast<off_t>(written_ - handedOver_),
                      SYNC_FILE_RANGE_WRITE);
    handedOver_ = written_;
#else
    (void)written;
#endif
}

void CFile::Close()
{
    if (fd_ < 0) return;
    if (mode_ == Mode::Read || temp_.empty()) {  // a read, or a write in place: nothing to rename
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) throw FileError::FromErrno(errno);
        return;
    }
    // The old file is only replaced by one that is safely on disk.
    if (replacing_ && ::fsync(fd_) != 0) {
        const int err = errno;
        Abort();
        throw FileError::FromErrno(err);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        const int err = errno;
        Abort();
        throw FileError::FromErrno(err);
    }
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        const int err = errno;
        Abort();
        throw FileError::FromErrno(err);
    }
    temp_.clear();
}

void CFile::Abort()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

CArchive::CArchive(CFile& file, bool loading, size_t bufferSize)
    : file_(file), loading_(loading), capacity_(bufferSize)
{
    buffer_.reserve(capacity_);
}

void CArchive::Write(const void* data, size_t count)
{
    const auto* in = static_cast<const std::uint8_t*>(data);
    if (buffer_.size() + count > capacity_) {
        Flush();
        if (count >= capacity_) {
            file_.Write(in, count);
            return;
        }
    }
    buffer_.insert(buffer_.end(), in, in + count);
}

void CArchive::Flush()
{
    if (buffer_.empty()) return;
    file_.Write(buffer_.data(), buffer_.size());
    buffer_.clear();
}
