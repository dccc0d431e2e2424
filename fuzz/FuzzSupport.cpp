// Shared pieces of the fuzz targets.
#include "FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/Format.h"
#include "platform/Memory.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

void FuzzFail(const std::string& what)
{
    std::fprintf(stderr, "\n*** invariant broken: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

namespace {

std::string MakeScratch()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "nuvak-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) FuzzFail("no scratch folder");
    return pattern;
}

void RemoveScratch()
{
    std::error_code ec;
    std::filesystem::remove_all(ScratchFolder(), ec);
}

// Walks the pixels of the AOI of ref (inside true) or the rest.
bool SameWhere(const CImage& ref, const CImage& other, bool inside)
{
    if (ref.width != other.width || ref.height != other.height) return false;
    for (int y = 0; y < ref.height; ++y)
        for (int x = 0; x < ref.width; ++x) {
            const bool in = x >= ref.aoiLeft && x <= ref.aoiRight && y >= ref.aoiTop && y <= ref.aoiBottom;
            if (in == inside && !(ref.pixelValueArray[y][x] == other.pixelValueArray[y][x])) return false;
        }
    return true;
}

}  // namespace

const std::string& ScratchFolder()
{
    static const std::string folder = MakeScratch();
    static const bool removedAtExit = std::atexit(RemoveScratch) == 0;
    (void)removedAtExit;
    return folder;
}

void WriteFileBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) FuzzFail("cannot write " + path);
}

std::optional<std::string> FileBytes(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

CImage FuzzImage(FuzzedDataProvider& data, int maxSide)
{
    // Powers of two half the time, so that the transforms run too.
    auto side = [&] {
        return data.ConsumeBool() ? std::min(maxSide, 1 << data.ConsumeIntegralInRange(0, 4))
                                  : data.ConsumeIntegralInRange(1, maxSide);
    };
    const int width = side();
    const int height = side();
    const bool grey = data.ConsumeBool();
    CImage image;
    image.BlankImage(width, height, CColorVal(0, 0, 0));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t r = data.ConsumeIntegral<std::uint8_t>();
            image.pixelValueArray[y][x] =
                grey ? CColorVal(r, r, r)
                     : CColorVal(r, data.ConsumeIntegral<std::uint8_t>(), data.ConsumeIntegral<std::uint8_t>());
        }
    image.format = grey ? FORMAT_GRAYSCALE : FORMAT_RGB;
    // Corners beyond the image are clamped; callers pass them in order.
    auto corners = [&](int side) {
        const int a = data.ConsumeIntegralInRange(-2, side + 1);
        const int b = data.ConsumeIntegralInRange(-2, side + 1);
        return std::pair{std::min(a, b), std::max(a, b)};
    };
    const auto [left, right] = corners(width);
    const auto [top, bottom] = corners(height);
    image.SetUpperLeft(left, top, false);
    image.SetLowerRight(right, bottom, false);
    return image;
}

bool SameImage(const CImage& a, const CImage& b)
{
    return a.width == b.width && a.height == b.height && a.format == b.format && a.aoiLeft == b.aoiLeft &&
           a.aoiTop == b.aoiTop && a.aoiRight == b.aoiRight && a.aoiBottom == b.aoiBottom &&
           a.pixelValueArray.size() == b.pixelValueArray.size() && SameWhere(a, b, true) && SameWhere(a, b, false);
}

bool SameOutsideAoi(const CImage& before, const CImage& after) { return SameWhere(before, after, false); }
bool SameInsideAoi(const CImage& before, const CImage& after) { return SameWhere(before, after, true); }

void CheckConsistent(const CImage& image, const char* after)
{
    using platform::Format;
    if (image.width < 0 || image.height < 0 ||
        image.pixelValueArray.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
        FuzzFail(Format("%s: storage of %zu pixels for %d x %d", after, image.pixelValueArray.size(), image.width,
                        image.height));
    if (image.format != FORMAT_RGB && image.format != FORMAT_GRAYSCALE)
        FuzzFail(Format("%s: format %d", after, image.format));
    if (image.IsEmpty()) return;
    if (image.aoiLeft < 0 || image.aoiTop < 0 || image.aoiRight >= image.width || image.aoiBottom >= image.height ||
        image.aoiLeft > image.aoiRight || image.aoiTop > image.aoiBottom)
        FuzzFail(Format("%s: AOI (%d, %d)-(%d, %d) in %d x %d", after, image.aoiLeft, image.aoiTop, image.aoiRight,
                        image.aoiBottom, image.width, image.height));
    if (image.format == FORMAT_GRAYSCALE)
        for (size_t i = 0; i < image.pixelValueArray.size(); ++i)
            if (!image.pixelValueArray.data()[i].IsGrey())
                FuzzFail(Format("%s: GRAYSCALE image with a colour pixel at %zu", after, i));
}

namespace {

// -1 refused by SerializeFile, -2 refused by the reader with its own message.
int Read(CImage& image, const std::string& path, std::string& message)
{
    bool causeValid = false;
    int cause = 0;
    try {
        return image.SerializeFile(false, path, false, message, causeValid, cause);
    } catch (const platform::UserAbort&) {
        return -2;
    }
}

bool AllGrey(const CImage& image)
{
    for (size_t i = 0; i < image.pixelValueArray.size(); ++i)
        if (!image.pixelValueArray.data()[i].IsGrey()) return false;
    return true;
}

}  // namespace

void FuzzReader(const std::uint8_t* data, size_t size)
{
    // As on a machine with 1 GB free: a header claiming more is refused before
    // anything is allocated, and the fuzzer's memory limit holds.
    static const bool limited = (platform::LimitAvailableMemory(std::uint64_t(1) << 30), true);
    (void)limited;
    static const std::string input = ScratchFolder() + "/input";
    static const std::string copy = ScratchFolder() + "/copy";
    WriteFileBytes(input, std::string_view(reinterpret_cast<const char*>(data), size));

    FakeUserInterface ui;
    CImage image = MakeImage(5, 3, [](int x, int y) { return CColorVal(x * 40, y * 80, 7); });
    image.SetUpperLeft(1, 1, false);
    image.SetLowerRight(3, 2, false);
    const CImage before = image;

    std::string message;
    const int status = Read(image, input, message);
    if (status != 0) {
        if (!SameImage(before, image)) FuzzFail("a refused file changed the image");
        if (status == -2 && ui.errors.size() != 1)
            FuzzFail(platform::Format("the reader refused with %zu messages", ui.errors.size()));
        if (status == -1 && message.empty()) FuzzFail("a failed read without a message");
        return;
    }
    CheckConsistent(image, "reading");
    if (image.IsEmpty()) FuzzFail("an empty image was accepted");
    if (image.aoiLeft != 0 || image.aoiTop != 0 || image.aoiRight != image.width - 1 ||
        image.aoiBottom != image.height - 1)
        FuzzFail("the AOI of a read image is not the whole image");
    if ((image.format == FORMAT_GRAYSCALE) != AllGrey(image)) FuzzFail("the format does not match the pixels");
    if (!ui.errors.empty()) FuzzFail("an accepted file showed an error");

    // Written back in its own format (JPEG, being lossy, as PNG). Larger
    // images are the reading's to check: written, read again and compared
    // pixel by pixel under the sanitizers they would take several times the
    // time the reading is allowed.
    constexpr std::uint64_t kRoundTripPixels = 1 << 16;
    if (std::uint64_t(image.width) * std::uint64_t(image.height) > kRoundTripPixels) return;
    std::filesystem::remove(copy);
    bool causeValid = false;
    int cause = 0;
    const FileFormat format = image.fileFacts.format == FileFormat::Jpeg ? FileFormat::Png : image.fileFacts.format;
    if (image.SerializeFile(true, copy, false, message, causeValid, cause, {format, 95}) != 0)
        FuzzFail("write: " + message);
    CImage again;
    if (Read(again, copy, message) != 0) FuzzFail("the written file was refused: " + message);
    if (!SameImage(image, again)) FuzzFail("the written file reads back differently");
}
