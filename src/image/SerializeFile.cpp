// Reads or writes a named image file and turns every file-layer failure into
// a message text for the caller; the format of a read file is told by its
// first bytes, that of a written one by the options or the extension.
#include <new>
#include <optional>
#include <sys/stat.h>

#include "image/File.h"
#include "image/FormatCodecs.h"
#include "image/Image.h"
#include "platform/Format.h"
#include "platform/UserInterface.h"

namespace {

using platform::Format;

bool FileExists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

const char* const kOutOfMemory = "Out of memory.";

}  // namespace

const std::uint8_t* WrittenRow(const CImage& image, int y, std::uint8_t* buffer)
{
    if (image.format == FORMAT_GRAYSCALE && image.pixelValueArray.HoldsGrey()) return (*image.pixelValueArray.Grey())[y];
    const CColorVal* in = image.pixelValueArray[y];
    if (image.format != FORMAT_GRAYSCALE) return reinterpret_cast<const std::uint8_t*>(in);
    for (int x = 0; x < image.width; ++x) buffer[x] = static_cast<std::uint8_t>(in[x].Luminance());
    return buffer;
}

int WrittenSamples(const CImage& image) { return image.format == FORMAT_GRAYSCALE ? 1 : 3; }

void CImage::Serialize(CArchive& archive)
{
    if (!archive.IsLoading()) {
        WriteBitmap(archive);
        return;
    }
    CFile& file = archive.GetFile();
    std::uint8_t head[kSignatureBytes];
    file.Seek(0);
    const size_t got = file.Read(head, sizeof head);
    switch (DetectFileFormat(head, got)) {
    case FileFormat::Png: ReadPng(file, *this); break;
    case FileFormat::Tiff: ReadTiff(file, *this); break;
    case FileFormat::Jpeg: ReadJpeg(file, *this); break;
    default:
        if (!StartsAsBitmap(head, got))
            platform::abortWith(Format("%s is not a bitmap, PNG, TIFF or JPEG file.", file.Path().c_str()));
        ReadBitmap(archive);
        break;
    }
}

void CImage::Write(CArchive& archive, FileFormat fileFormat, const WriteOptions& options) const
{
    switch (fileFormat) {
    case FileFormat::Png: WritePng(*this, archive); break;
    case FileFormat::Tiff: WriteTiff(*this, archive); break;
    case FileFormat::Jpeg: WriteJpeg(*this, archive, options.jpegQuality); break;
    default: WriteBitmap(archive); break;
    }
}

int CImage::SerializeFile(bool write, const std::string& path, bool askOverwrite, std::string& message,
                          bool& causeValid, int& cause, const WriteOptions& options)
{
    message.clear();
    causeValid = false;
    cause = 0;
    const char* p = path.c_str();

    auto fail = [&](const char* fmt, const FileError* error) {
        message = Format(fmt, p, error ? error->text.c_str() : kOutOfMemory);
        causeValid = error != nullptr;
        cause = error ? error->cause : 0;
        return -1;
    };

    CFile file;
    FileError openError;
    if (!write) {
        if (!file.Open(path, CFile::Mode::Read, openError))
            return fail("Failed to open file %s for reading.\nCause:  %s\n", &openError);
    } else {
        if (askOverwrite && FileExists(path) &&
            !platform::askYesNo(path + " already exists.\nDo you want to overwrite it?")) {
            message = Format("Requested image file %s not written.\n"
                             "User opted NOT to overwrite current file with same name on disk.",
                             p);
            return -1;
        }
        // An empty image would replace a good file by one nobody can read.
        if (IsEmpty()) {
            message = Format("Requested image file %s not written.\nThe image is empty.", p);
            return -1;
        }
        if (!file.Open(path, CFile::Mode::Write, openError))
            return fail("Failed to open file %s for writing.\nCause:  %s\n", &openError);
    }

    std::optional<CArchive> archive;
    try {
        archive.emplace(file, !write);
    } catch (const std::bad_alloc&) {
        file.Abort();
        return fail("Failed to create archive object for file %s.\nCause:  %s\n", nullptr);
    }

    try {
        if (write)
            Write(*archive, options.format.value_or(FormatForPath(path)), options);
        else
            Serialize(*archive);
    } catch (const FileError& e) {
        archive->Abort();
        file.Abort();
        return fail("CImage::Serialize() failed for file %s.\nCause:  %s\n", &e);
    } catch (const std::bad_alloc&) {
        archive->Abort();
        file.Abort();
        return fail("CImage::Serialize() failed for file %s.\nCause:  %s\n", nullptr);
    }

    try {
        archive->Close();
    } catch (const FileError& e) {
        file.Abort();
        return fail("Failed to close archive for file %s.\nCause:  %s\n", &e);
    }

    try {
        file.Close();
    } catch (const FileError& e) {
        return fail("Failed to close file %s.\nCause:  %s\n", &e);
    }
    return 0;
}
