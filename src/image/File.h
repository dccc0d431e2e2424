// Files and archives for the bitmap reader and writer. Failures carry the
// errno value as cause code and its description as cause text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct FileError {
    int cause = 0;
    std::string text;
    static FileError FromErrno(int err);
};

// A plain file. Opened for writing, it writes a temporary file beside the
// target and renames it over the target in Close(), so the previous file
// survives any failure; a device or pipe is written in place.
class CFile {
public:
    enum class Mode { Read, Write };

    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    bool Open(const std::string& path, Mode mode, FileError& error);
    size_t Read(void* buffer, size_t count);  // short only at the end of the file
    void Seek(std::uint64_t offset);
    std::uint64_t Length();
    void Write(const void* buffer, size_t count);
    void Close();  // completes a write: flush to disk, rename over the target
    void Abort();  // closes without completing; a write leaves the target as it was
    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    // The path given to Open, for the readers' messages.
    const std::string& Path() const { return path_; }

private:
    void StartWriteBack(size_t written);

    int fd_ = -1;
    Mode mode_ = Mode::Read;
    std::string path_;
    std::string target_;
    std::string temp_;
    bool replacing_ = false;
    std::uint64_t written_ = 0;     // bytes written since Open
    std::uint64_t handedOver_ = 0;  // of which the disk was asked to write
};

// Buffered stream over a CFile, loading or storing.
class CArchive {
public:
    CArchive(CFile& file, bool loading, size_t bufferSize = 4096);
    bool IsLoading() const { return loading_; }
    bool IsStoring() const { return !loading_; }
    CFile& GetFile() { return file_; }
    // Writes of more than this many bytes go straight to the file.
    size_t Capacity() const { return capacity_; }
    void Write(const void* data, size_t count);
    void Flush();
    void Close() { Flush(); }
    void Abort() { buffer_.clear(); }

private:
    CFile& file_;
    bool loading_;
    size_t capacity_;
    std::vector<std::uint8_t> buffer_;
};
