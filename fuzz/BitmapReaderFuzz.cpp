// The bitmap reader fed raw bytes: a refused file leaves the image as it was
// with one message shown; an accepted one is consistent and survives a write
// and a second read unchanged.
#include <filesystem>

#include "FuzzSupport.h"
#include "platform/Format.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    static const std::string input = ScratchFolder() + "/input.bmp";
    static const std::string copy = ScratchFolder() + "/copy.bmp";
    WriteFileBytes(input, std::string_view(reinterpret_cast<const char*>(data), size));

    FakeUserInterface ui;
    CImage image = MakeImage(5, 3, [](int x, int y) { return CColorVal(x * 40, y * 80, 7); });
    image.SetUpperLeft(1, 1, false);
    image.SetLowerRight(3, 2, false);
    const CImage before = image;

    std::string message;
    const int status = Read(image, input, message);
    if (status != 0) {
        if (!SameImage(before, image)) FuzzFail("a refused bitmap changed the image");
        if (status == -2 && ui.errors.size() != 1)
            FuzzFail(platform::Format("the reader refused with %zu messages", ui.errors.size()));
        if (status == -1 && message.empty()) FuzzFail("a failed read without a message");
        return 0;
    }
    CheckConsistent(image, "reading");
    if (image.IsEmpty()) FuzzFail("an empty image was accepted");
    if (image.aoiLeft != 0 || image.aoiTop != 0 || image.aoiRight != image.width - 1 ||
        image.aoiBottom != image.height - 1)
        FuzzFail("the AOI of a read image is not the whole image");
    if ((image.format == FORMAT_GRAYSCALE) != AllGrey(image)) FuzzFail("the format does not match the pixels");
    if (!ui.errors.empty()) FuzzFail("an accepted bitmap showed an error");

    std::filesystem::remove(copy);
    bool causeValid = false;
    int cause = 0;
    if (image.SerializeFile(true, copy, false, message, causeValid, cause) != 0) FuzzFail("write: " + message);
    CImage again;
    if (Read(again, copy, message) != 0) FuzzFail("the written bitmap was refused: " + message);
    if (!SameImage(image, again)) FuzzFail("the written bitmap reads back differently");
    return 0;
}
