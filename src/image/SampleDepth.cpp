// Bits per sample from a PNG's IHDR chunk or a TIFF's first directory.
#include "image/SampleDepth.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <vector>

#include "platform/Format.h"

namespace {

constexpr int kBitsPerSampleTag = 258;
constexpr int kShortType = 3;

class Bytes {
public:
    explicit Bytes(const std::string& path) : in_(path, std::ios::binary) {}
    bool Ok() const { return static_cast<bool>(in_); }
    // count bytes at offset; false when the file ends before.
    bool At(std::uint64_t offset, void* out, size_t count)
    {
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(offset));
        in_.read(static_cast<char*>(out), static_cast<std::streamsize>(count));
        return static_cast<size_t>(in_.gcount()) == count;
    }

private:
    std::ifstream in_;
};

// An unsigned number of size bytes in the file's byte order.
std::uint64_t Number(const std::uint8_t* p, size_t size, bool little)
{
    std::uint64_t value = 0;
    for (size_t i = 0; i < size; ++i) value |= std::uint64_t(p[little ? i : size - 1 - i]) << (8 * i);
    return value;
}

int TiffSampleBits(Bytes& file, const std::uint8_t* head, bool little)
{
    const bool big = Number(head + 2, 2, little) == 43;
    const size_t offsetSize = big ? 8 : 4;
    const size_t countSize = big ? 8 : 2;
    const size_t entrySize = big ? 20 : 12;
    const std::uint64_t ifd = big ? Number(head + 8, 8, little) : Number(head + 4, 4, little);
    std::uint8_t countBytes[8];
    if (!file.At(ifd, countBytes, countSize)) return 0;
    // A directory's entries are sorted by tag, and BitsPerSample is the third
    // of the baseline tags: a hostile count costs no more than a few entries.
    const std::uint64_t entries = std::min<std::uint64_t>(Number(countBytes, countSize, little), 64);
    for (std::uint64_t i = 0; i < entries; ++i) {
        std::uint8_t entry[20];
        if (!file.At(ifd + countSize + i * entrySize, entry, entrySize)) return 0;
        if (Number(entry, 2, little) != kBitsPerSampleTag) continue;
        if (Number(entry + 2, 2, little) != kShortType) return 0;
        const std::uint64_t count = std::min<std::uint64_t>(Number(entry + 4, offsetSize, little), 16);
        std::vector<std::uint8_t> values(size_t(count) * 2);
        if (count * 2 <= offsetSize) {
            std::copy_n(entry + 4 + offsetSize, values.size(), values.begin());
        } else if (!file.At(Number(entry + 4 + offsetSize, offsetSize, little), values.data(), values.size())) {
            return 0;
        }
        int bits = 0;
        for (size_t v = 0; v < count; ++v) bits = std::max(bits, int(Number(&values[v * 2], 2, little)));
        return bits;
    }
    return 1;  // no BitsPerSample: one bit a sample
}

}  // namespace

int FileSampleBits(const std::string& path)
{
    Bytes file(path);
    std::uint8_t head[25];
    if (!file.Ok() || !file.At(0, head, 16)) return file.Ok() && file.At(0, head, 2) ? 8 : 0;
    static const std::uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (std::equal(kPng, kPng + 8, head)) return file.At(0, head, 25) ? head[24] : 0;
    const bool little = head[0] == 'I' && head[1] == 'I';
    const bool bigEndian = head[0] == 'M' && head[1] == 'M';
    if (little || bigEndian) {
        const std::uint64_t version = Number(head + 2, 2, little);
        if (version == 42 || version == 43) return TiffSampleBits(file, head, little);
    }
    return 8;
}

std::string DeepSamplesQuestion(const std::string& path)
{
    return platform::Format("%s holds 16-bit samples; NUVAK writes 8 bits a sample, so the 16-bit levels would be "
                            "lost.  Save anyway?",
                            path.c_str());
}
