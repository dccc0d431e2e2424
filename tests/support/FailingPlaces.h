// Places where writing fails, for the write-failure tests: a full device, a
// read-only folder and a full file system. Root ignores permission bits, so
// a read-only folder is a read-only bind mount, an immutable folder or, for
// other users, a folder without write permission. Each helper says why it
// is not available, for the test to skip with that reason.
#pragma once

#include <string>

// A character device like /dev/full (every write fails with "No space left
// on device") made in folder; /dev/full itself when no node can be made
// there and the user could not replace /dev/full by mistake. Empty, with
// why in reason, when there is none.
std::string FullDevice(const std::string& folder, std::string& reason);

// Makes an existing folder read-only for its lifetime.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::string& folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool ok() const { return cause_ != 0; }
    const std::string& reason() const { return reason_; }
    // The errno a write into the folder fails with.
    int cause() const { return cause_; }

private:
    enum class How { None, Mount, Immutable, Permissions } how_ = How::None;
    std::string folder_;
    std::string reason_;
    int cause_ = 0;
};

// A small file system mounted on an existing empty folder for its lifetime;
// Fill() then takes all of its free space.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const std::string& folder);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool ok() const { return mounted_; }
    const std::string& reason() const { return reason_; }
    void Fill();

private:
    std::string folder_;
    std::string reason_;
    bool mounted_ = false;
};
