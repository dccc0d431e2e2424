// CImage: an image's pixels, format, area of interest, histograms, frequency
// buffer and found objects. Operations are its methods, implemented in the
// folder of their subsystem.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "image/ColorVal.h"
#include "image/PixelRows.h"
#include "objects/FoundObject.h"

class CArchive;

enum ImageFormat { FORMAT_RGB = 0, FORMAT_GRAYSCALE = 1 };

// "RGB", "GRAYSCALE" or "UNKNOWN".
const char* FormatName(int format);

class CImage {
public:
    CImage() = default;
    CImage(const CImage& other) { *this = other; }
    CImage(CImage&& other) noexcept = default;
    ~CImage() = default;

    // Deep copy without the found objects. When the pixels cannot be
    // allocated the user is told and platform::UserAbort is raised with the
    // target unchanged.
    CImage& operator=(const CImage& source);
    CImage& operator=(CImage&& source) noexcept = default;

    // ---- Lifecycle and storage (image/ImageStorage.cpp)
    void ReleaseStorage();
    int BlankImage(int width, int height, CColorVal fill);
    // rows: height rows of width colour references, 0x00BBGGRR.
    int CopyFromBuffer(int width, int height, const std::uint32_t* const* rows, bool replace);
    int Crop(int left, int top, int right, int bottom);
    void SetFormat(int newFormat) { format = newFormat; }
    int ObjectCount() const { return static_cast<int>(objects.size()); }
    bool IsEmpty() const { return width == 0 || height == 0; }

    // ---- Area of interest (image/Aoi.cpp)
    void SetUpperLeft(int x, int y, bool warn);
    void SetLowerRight(int x, int y, bool warn);
    void SetWholeAoi();  // (0, 0)-(width - 1, height - 1), no notices

    // ---- Colour conversions (image/Conversions.cpp)
    void ConvertToGrayscale();
    void ConvertToRgb();
    int ExtractRgbPlanes(CImage& red, CImage& green, CImage& blue) const;
    int Comb(CImage& even, CImage& odd) const;

    // ---- Bitmap files (image/BitmapReader.cpp, BitmapWriter.cpp, SerializeFile.cpp)
    void Serialize(CArchive& archive);
    int SerializeFile(bool write, const std::string& path, bool askOverwrite,
                      std::string& message, bool& causeValid, int& cause);

    // ---- Point operations (processing/PointOps.cpp)

    // ---- Image arithmetic (processing/Arithmetic.cpp): the whole image, not the AOI
    int AddImage(const CImage& other);
    int SubtractImage(const CImage& other);
    int AbsoluteDifference(const CImage& other);
    int MultiplyImage(const CImage& other);
    int DivideImage(const CImage& other);

    // ---- Neighbourhood operations: linear filters, edges, median, clean (processing/)
    // Each works on the AOI and may ask to shrink it so that every neighbourhood
    // lies in the image; a size outside 3..9 is corrected with a notice.
    int LowPass(int size);
    int HighPass(int size);
    int Laplace(int size);
    int UnsharpMask(int size, double boost);
    // weights: size x size values, row-major from the top left.
    int CustomFilter(int size, std::span<const float> weights);
    // direction 0..7 North, Northeast, ... Northwest; any other value is North.
    int Prewitt(int direction);
    // Writes grey magnitudes, also into an RGB image.
    int Sobel();
    // Grayscale images only.
    int MedianFilter(int size);
    // Grayscale images only. background: 0 black, 255 white (offers to invert
    // the AOI), anything else asks the detector.
    int Clean(int maskSize, int clutter, int significance, int background);

    // ---- Morphology (processing/Morphology.cpp)
    // Grayscale images only. direction: 0 Omnidirectional (the n x n square),
    // 1 Horizontal, 2 Vertical, 3 Diagonal (upper right to lower left); any
    // other value is Omnidirectional.
    int Erosion(int size, int direction);
    int Dilation(int size, int direction);
    int Opening(int size, int direction, int repetitions);
    int Closing(int size, int direction, int repetitions);
    // The differences (processing/MorphologyDifferences.cpp) blacken every
    // pixel outside the AOI.
    int Outline(int size, int direction);
    int MorphologicalGradient(int size, int direction);
    int PeakDetector(int size, int direction, int repetitions);
    int ValleyDetector(int size, int direction, int repetitions);

    // ---- Geometric transforms (processing/Geometry.cpp)

    // ---- Histograms (processing/Histogram.cpp)

    // ---- Frequency domain (frequency/)

    // ---- Objects (objects/)
    // Proposes 0 or 255 from the AOI's left column and top row and asks the
    // user to confirm.
    int DetectBackground();

    // ---- Fields
    std::uint32_t objectColor = 255;  // 0x00BBGGRR
    int aoiRight = 0;
    int aoiBottom = 0;
    int aoiLeft = 0;
    int aoiTop = 0;
    FrequencyBuffer dataArray;
    std::string errorMessage;
    int height = 0;
    std::array<int, 256> redHistogram{};
    std::array<int, 256> greenHistogram{};
    std::array<int, 256> blueHistogram{};
    int format = FORMAT_RGB;
    std::vector<CFoundObject> objects;
    PixelRows pixelValueArray;
    int width = 0;

private:
    void ReadBitmap(CArchive& archive);
    void WriteBitmap(CArchive& archive) const;
};
