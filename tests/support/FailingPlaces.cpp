// Places where writing fails, for the write-failure tests.
#include "support/FailingPlaces.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace {

// True when a write to path fails for want of space.
bool WritesFailFull(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const char byte = 0;
    const bool full = ::write(fd, &byte, 1) < 0 && errno == ENOSPC;
    ::close(fd);
    return full;
}

std::string Why(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

bool SetImmutable(const std::string& folder, bool on)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

}  // namespace

std::string FullDevice(const std::string& folder, std::string& reason)
{
    const std::string node = folder + "/full";
    if (::mknod(node.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) == 0 && WritesFailFull(node)) return node;
    reason = Why("no full device can be made in the test folder");
    ::unlink(node.c_str());
    // Only a user who may not write /dev could not have it replaced by a
    // faulty writer.
    if (::geteuid() != 0 && ::access("/dev", W_OK) != 0 && WritesFailFull("/dev/full")) return "/dev/full";
    return std::string();
}

ReadOnlyFolder::ReadOnlyFolder(const std::string& folder) : folder_(folder)
{
    if (::geteuid() != 0) {
        if (::chmod(folder.c_str(), 0555) == 0) {
            how_ = How::Permissions;
            cause_ = EACCES;
        } else {
            reason_ = Why("chmod");
        }
        return;
    }
    if (::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0) {
        if (::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0) {
            how_ = How::Mount;
            cause_ = EROFS;
            return;
        }
        ::umount2(folder.c_str(), MNT_DETACH);
    }
    reason_ = Why("root ignores permissions, and a read-only bind mount failed");
    if (SetImmutable(folder, true)) {
        how_ = How::Immutable;
        cause_ = EPERM;
        reason_.clear();
        return;
    }
    reason_ += "; " + Why("marking the folder immutable");
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    switch (how_) {
    case How::Mount: ::umount2(folder_.c_str(), MNT_DETACH); break;
    case How::Immutable: SetImmutable(folder_, false); break;
    case How::Permissions: ::chmod(folder_.c_str(), 0755); break;
    case How::None: break;
    }
}

SmallFileSystem::SmallFileSystem(const std::string& folder) : folder_(folder)
{
    mounted_ = ::mount("nuvak-test", folder.c_str(), "tmpfs", 0, "size=256k") == 0;
    if (!mounted_) reason_ = Why("mounting a small tmpfs");
}

SmallFileSystem::~SmallFileSystem()
{
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
}

void SmallFileSystem::Fill()
{
    const int fd = ::open((folder_ + "/filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return;
    const std::vector<char> block(4096, 'x');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    // Whatever part of a page is left.
    while (::write(fd, block.data(), 1) > 0) {
    }
    ::close(fd);
}
