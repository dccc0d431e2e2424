// CImage: an image's pixels, format, area of interest, histograms, frequency
// buffer and found objects. Operations are its methods, implemented in the
// folder of their subsystem.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "image/ColorVal.h"
#include "image/PixelRows.h"
#include "image/PixelStore.h"
#include "image/Calibration.h"
#include "image/FoundObject.h"
#include "image/ImageFormat.h"

class CArchive;
class CCanvas;
struct CDeviceBitmap;

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
    // Settles how the pixels are held once the format is known: a grayscale
    // image whose pixels are all grey keeps one byte a pixel (see PixelStore).
    void SettleStorage()
    {
        if (format == FORMAT_GRAYSCALE) pixelValueArray.KeepGreyOnly();
    }
    int ObjectCount() const { return static_cast<int>(objects.size()); }
    // ---- Calibration (image/ImageCalibration.cpp)
    // What a pixel measures, and the resolution files are written with.
    void SetCalibration(const CCalibration& pixelSize);
    // A read file's resolution and the calibration it gives.
    void TakeResolution(const FileResolution& resolution);
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

    // ---- Image files (image/BitmapReader.cpp, BitmapWriter.cpp, SerializeFile.cpp,
    // PngFile.cpp, TiffFile.cpp, JpegFile.cpp). A loading Serialize reads any
    // of the formats, told apart by their first bytes; a storing one writes a
    // bitmap. SerializeFile writes the format of options, or of the path's extension.
    void Serialize(CArchive& archive);
    int SerializeFile(bool write, const std::string& path, bool askOverwrite,
                      std::string& message, bool& causeValid, int& cause,
                      const WriteOptions& options = {});

    // ---- Display rendering (image/Rendering.cpp): displayBits is the screen's depth
    int MakeBitmap(CDeviceBitmap& bitmap, bool wholeImage, int displayBits);
    int MakeScaledBitmap(CDeviceBitmap& bitmap, float factor, bool bilinear, int displayBits);
    void Draw(CCanvas& canvas, float zoom, bool bilinear);

    // ---- Point operations (processing/PointOps.cpp, Flips.cpp)
    void Invert();
    // below: replace values under level, else over it; component 0 R, 1 G,
    // 2 B, 3 (or other) all; a grayscale image always uses all three.
    void Threshold(int level, int fill, bool below, int component);
    // Grayscale only: low..high white, the rest black.
    int BrightnessSlice(int low, int high);
    // mode 0 fills inside the AOI, 1 outside it; a grayscale image turns RGB
    // for a colour that is not grey.
    void Bound(int mode, CColorVal color);
    void FlipHorizontal();  // mirrors the AOI about its own centre
    void FlipVertical();

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

    // ---- Geometric transforms (processing/Geometry*.cpp)
    // Turns the AOI's contents about its centre; method 0 nearest neighbour,
    // any other bilinear. Only AOI pixels are sampled.
    int Rotate(double degrees, int method);
    // Resamples the whole image to new sizes; the AOI becomes the whole image
    // and the found objects go.
    int Scale(double xPercent, double yPercent, int method);

    // ---- Histograms (processing/Histogram.cpp)
    // Channel 0 R, 1 G, 2 B. The level queries and EqualizeChannel read the
    // histograms of the last ComputeHistograms.
    void ComputeHistograms();
    int LowestLevel(int channel) const;   // 0 when the histogram is empty
    int HighestLevel(int channel) const;  // 255 when the histogram is empty
    int PeakCount(int channel) const;
    void SlideChannel(int offset, int channel);
    void StretchChannel(float factor, int channel);
    void EqualizeChannel(int channel);

    // ---- Frequency domain (frequency/)
    // True when both sides are powers of two (1 = 2^0); the exponents are the
    // floors of their base-2 logarithms and are set for any positive sides.
    bool PowerOfTwoDimensions(int& heightExponent, int& widthExponent) const;
    // Forward transform into dataArray (divided by width x height), pixels
    // the centred spectrum; offers a centred power-of-two crop.
    int Fft();
    // Pixels from dataArray as the centred log-magnitude picture.
    int FftForDisplay();
    // Inverse transform of dataArray in place; pixels the magnitudes.
    int FftInverse();
    // type 0 Hamming (and any unknown code), 1 Hann, 2 Cosine, 3 Triangular,
    // 4 Rolloff; alpha is used by Cosine and Rolloff, percent by Rolloff.
    int Window(int type, double alpha, int percent);
    // Zeroes the dataArray values shown inside (or outside) the ellipse
    // inscribed in the AOI of the spectrum picture, with their point mirrors.
    int DeleteEllipseFrequencies(bool outside);

    // ---- Objects (objects/)
    // Proposes 0 or 255 from the AOI's left column and top row and asks the
    // user to confirm.
    int DetectBackground();
    // The level an answer to DetectBackground's question chose; none for
    // any other question.
    static std::optional<int> BackgroundAnswered(const std::string& question, bool yes);
    // Finds the objects of the AOI on a 0 or 255 background (anything else
    // detects it), writes the results file with the chosen metric columns and
    // replaces the object list. The pixels are not changed. A calibrated
    // image adds its calibrated columns; options choose which objects are
    // reported and how they are measured.
    int CentroidDetermination(const std::string& fileName, int metricFlags, int background,
                              const CObjectOptions& options = {});
    // Raster scan of the working copy over the AOI, from (x, y) on, for the
    // first pixel whose grey level is not the background; false when none.
    // Everything before (x, y) in raster order must be background already.
    bool FindStartPixel(const PixelRows& work, int background, int& x, int& y) const;
    bool FindStartPixel(const GreyRows& work, int background, int& x, int& y) const;
    // Directions run clockwise from 1 north to 8 north-west, y downwards.
    // Blocked: the neighbour lies outside the AOI or is background in work.
    bool StepBlocked(const PixelRows& work, int background, int x, int y, int direction) const;
    bool StepBlocked(const GreyRows& work, int background, int x, int y, int direction) const;
    // Moves (x, y) to the first unblocked neighbour, trying firstDirection
    // and then clockwise; returns the direction taken, 0 when all eight are
    // blocked and the point stays.
    int NextBoundaryPoint(const PixelRows& work, int background, int& x, int& y, int firstDirection) const;
    int NextBoundaryPoint(const GreyRows& work, int background, int& x, int& y, int firstDirection) const;
    // Follows the boundary from the start point (x, y) until it returns
    // there; by then the object is measured and erased from work.
    // Work is the image's colour rows or, for a grey image, its grey plane.
    CFoundObject TraceObject(PixelRows& work, int background, int x, int y, bool ownPixels = false) const;
    CFoundObject TraceObject(GreyRows& work, int background, int x, int y, bool ownPixels = false) const;
    // A copy in RGB with every stored object's boundary points in objectColor.
    CImage ObjectOverlay() const;

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
    CCalibration calibration;  // what a pixel measures; uncalibrated by default
    PixelStore pixelValueArray;  // colour rows, or a grey plane (see PixelStore)
    int width = 0;
    // What the last read file was, and its resolution (0 when unknown), kept
    // as exactly as the file or the calibration gives it.
    FileFacts fileFacts;
    double xPixelsPerMetre = 0;
    double yPixelsPerMetre = 0;

private:
    // Replaces the storage by w x h black pixels with the whole-image AOI;
    // false with failure stored in errorMessage when the memory is not there.
    bool NewStorage(int w, int h, int newFormat, const char* failure);
    void PasteColorRefs(int w, int h, const std::uint32_t* const* rows, int left, int top);
    void ReadBitmap(CArchive& archive);
    void WriteBitmap(CArchive& archive) const;
    void Write(CArchive& archive, FileFormat fileFormat, const WriteOptions& options) const;
};
