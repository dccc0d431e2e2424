// Small files made to cost: nuvak-cli info refuses each within the readers'
// budget (0.5 s and 256 MB for a file of at most 64 KiB). Measured on a child
// process by its CPU time and peak resident memory, which hold under the
// sanitizers too, where an address-space limit does not.
#include <gtest/gtest.h>

#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

#include "support/LibjpegFiles.h"
#include "support/TestFiles.h"
#include "support/TiffFiles.h"

namespace {

struct ChildRun {
    int status = -1;
    std::string err;
    double cpuSeconds = 0;
    long peakMiB = 0;
};

ChildRun RunCliChild(const std::vector<std::string>& args)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], 2);
        ::close(pipeFds[0]);
        // A runaway is stopped rather than left to hang the suite.
        const rlimit cpu{20, 20};
        ::setrlimit(RLIMIT_CPU, &cpu);
        std::vector<char*> argv{const_cast<char*>(NUVAK_CLI_PATH)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(NUVAK_CLI_PATH, argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    ChildRun run;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) run.err.append(buffer, size_t(n));
    ::close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    run.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.peakMiB = usage.ru_maxrss / 1024;
    return run;
}

void Put(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes, bool bigEndian = false)
{
    for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(v >> (8 * (bigEndian ? bytes - 1 - i : i))));
}

std::vector<std::uint8_t> Deflated(size_t zeros)
{
    std::vector<std::uint8_t> in(zeros, 0), out(compressBound(uLong(zeros)));
    uLongf length = uLongf(out.size());
    compress(out.data(), &length, in.data(), uLong(zeros));
    out.resize(length);
    return out;
}

void PngChunk(std::vector<std::uint8_t>& out, const char* name, const std::vector<std::uint8_t>& data)
{
    Put(out, std::uint32_t(data.size()), 4, true);
    const size_t at = out.size();
    out.insert(out.end(), name, name + 4);
    out.insert(out.end(), data.begin(), data.end());
    Put(out, std::uint32_t(crc32(0, out.data() + at, uInt(out.size() - at))), 4, true);
}

// A black grey PNG of the size and depth given whose data holds the rows
// given, by default a few only.
std::vector<std::uint8_t> ClaimingPng(std::uint32_t width, std::uint32_t height, std::uint8_t depth = 8,
                                      std::uint32_t rows = 4)
{
    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, header;
    Put(header, width, 4, true);
    Put(header, height, 4, true);
    header.insert(header.end(), {depth, 0, 0, 0, 0});
    PngChunk(out, "IHDR", header);
    PngChunk(out, "IDAT", Deflated(size_t(rows) * ((size_t(width) * depth + 7) / 8 + 1)));
    PngChunk(out, "IEND", {});
    return out;
}

// An 8 x 8 grey JPEG by libjpeg whose frame header then claims the size given.
std::vector<std::uint8_t> ClaimingJpeg(std::uint16_t width, std::uint16_t height)
{
    std::vector<std::uint8_t> out = LibjpegFile(8, 8, 1, [](int, int, int) { return 100; });
    for (size_t i = 2; i + 9 < out.size(); ++i)
        if (out[i] == 0xFF && out[i + 1] == 0xC0) {
            out[i + 5] = std::uint8_t(height >> 8), out[i + 6] = std::uint8_t(height);
            out[i + 7] = std::uint8_t(width >> 8), out[i + 8] = std::uint8_t(width);
            break;
        }
    return out;
}

// A progressive grey JPEG whose coefficients come in 128 scans: every one
// in two steps of successive approximation.
std::vector<std::uint8_t> ManyScansJpeg()
{
    static std::vector<jpeg_scan_info> scans;
    scans.clear();
    for (int refine : {0, 1})
        for (int k = 0; k < 64; ++k) scans.push_back({1, {0, 0, 0, 0}, k, k, refine, 1 - refine});
    return LibjpegFile(16, 16, 1, [](int x, int y, int) { return x * 16 + y; }, [](jpeg_compress_struct& info) {
        info.scan_info = scans.data();
        info.num_scans = int(scans.size());
    });
}

}  // namespace

TEST(HostileFiles, AreRefusedWithinTheBudget)
{
    TempDir dir;
    const std::string hostile = std::string(NUVAK_SOURCE_DIR) + "/tests/data/hostile/";
    // 65535 x 900 pixels of 65535 samples, one strip of a few deflated bytes.
    const std::vector<std::uint8_t> zeros = Deflated(1000);
    WriteBytes(dir.path("samples.tif"),
               OneIfdTiff({{256, 3, 1, 65535}, {257, 3, 1, 900}, {258, 3, 1, 8}, {259, 3, 1, 8}, {262, 3, 1, 1},
                     {273, 4, 1, TiffDataOffset(10)}, {277, 3, 1, 65535}, {278, 3, 1, 900},
                     {279, 4, 1, std::uint32_t(zeros.size())}, {284, 3, 1, 1}},
                    zeros));
    // 4000 x 4000 uncompressed bytes declared, 16 stored.
    WriteBytes(dir.path("strips.tif"),
               OneIfdTiff({{256, 3, 1, 4000}, {257, 3, 1, 4000}, {258, 3, 1, 8}, {259, 3, 1, 1}, {262, 3, 1, 1},
                     {273, 4, 1, TiffDataOffset(8)}, {278, 3, 1, 4000}, {279, 4, 1, 16000000}},
                    std::vector<std::uint8_t>(16, 7)));
    WriteBytes(dir.path("claims.png"), ClaimingPng(12000, 12000));
    WriteBytes(dir.path("claims.jpg"), ClaimingJpeg(9000, 9000));
    WriteBytes(dir.path("scans.jpg"), ManyScansJpeg());
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {hostile + "oom.png", "The file ends too early."},
        {hostile + "slow.tif", "TIFF images of 19969 samples per pixel are not supported; at most 5 are."},
        {dir.path("samples.tif"), "TIFF images of 65535 samples per pixel are not supported; at most 5 are."},
        {dir.path("strips.tif"),
         "The TIFF file's image data (16 bytes) cannot decode to the 16000000 bytes its pixels need."},
        {dir.path("claims.png"), "The file's " + std::to_string(ReadBytes(dir.path("claims.png")).size()) +
                                     " bytes cannot hold a 12000 x 12000 image."},
        {dir.path("claims.jpg"), "The file's " + std::to_string(ReadBytes(dir.path("claims.jpg")).size()) +
                                     " bytes cannot hold a 9000 x 9000 image."},
        {dir.path("scans.jpg"), "The JPEG file has more than 100 scans."},
    };
    for (const auto& c : cases) {
        const ChildRun run = RunCliChild({"info", c.path});
        EXPECT_EQ(run.status, 3) << c.path;
        EXPECT_EQ(run.err, "error: Failed to read image " + c.path + ".\n" + c.reason + "\n") << c.path;
        EXPECT_LT(run.cpuSeconds, 0.5) << c.path;
        EXPECT_LT(run.peakMiB, 256) << c.path;
    }
}

// What the budget grants any file: a blank page scanned at 600 dpi, a few
// kilobytes of bilevel data for 6000 x 6000 pixels, is read.
TEST(HostileFiles, BlankScanIsRead)
{
    TempDir dir;
    WriteBytes(dir.path("blank.png"), ClaimingPng(6000, 6000, 1, 6000));
    ASSERT_LT(ReadBytes(dir.path("blank.png")).size(), 64u * 1024);
    const ChildRun run = RunCliChild({"info", dir.path("blank.png")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_LT(run.cpuSeconds, 0.5);
    EXPECT_LT(run.peakMiB, 256);
}
