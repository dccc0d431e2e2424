// The frequency wizard's images and the steps its pages take on them: the
// work copy of the document's image, the AOI crop, the (windowed) spectrum
// whose AOI holds the ellipse to delete, and the result Finish hands over.
// A step that returns false has shown its message; the wizard then closes
// as cancelled.
#pragma once

#include <optional>
#include <vector>

#include "forms/FftWindowModel.h"
#include "forms/Measurement.h"
#include "forms/PreviewPicModel.h"
#include "frequency/FilterEllipse.h"
#include "image/DeviceBitmap.h"
#include "image/Image.h"
#include "series/OperationStep.h"

inline constexpr const char* kFftSheetCaption = "Frequency processing";
// Drawing failures: of the AOI and window pages, and of the processing page.
inline constexpr const char* kFftPictureFailed = "Error:  the image cannot be displayed.\n%s";
inline constexpr const char* kFftProcessingPictureFailed = "The image cannot be displayed.\n%s";

class FftSheetModel {
public:
    explicit FftSheetModel(const CImage& document) : work_(document) {}

    // Leaving the AOI page.
    void SetWorkAoi(const AoiRect& aoi);
    // The window page becomes active: the AOI crop of the work image.
    bool CropAoi();
    // A fresh copy of the AOI crop, windowed as chosen; a failing window
    // leaves it unwindowed without a message.
    void ApplyWindow(const WindowArguments& window);
    // Next on the window page: the windowed crop is the result, the
    // spectrum is its transform.
    bool Transform();
    // The ellipse of frequencies to delete, kept as the spectrum's AOI.
    void SetEllipse(const FilterEllipse& ellipse);
    FilterEllipse Ellipse() const;
    // Apply Filter: the unwindowed crop transformed, the frequencies inside
    // or outside the ellipse deleted, transformed back into the result.
    bool ApplyFilter(bool outside);
    // Undo: the unwindowed crop as the result and its spectrum.
    bool Undo();
    // Finish: the document's image becomes the result with the whole AOI.
    void PutResult(CImage& document) const;
    // The result as steps of the operation table on the document's image:
    // Crop and Window, Crop alone, or FFT Filter, each with the work AOI;
    // none for a low pass ellipse that no slider position makes.
    const std::vector<OperationStep>& ResultSteps() const { return resultSteps_; }

    const CImage& Work() const { return work_; }
    const CImage& Aoi() const { return aoi_; }
    const CImage& Spectrum() const { return spectrum_; }
    const CImage& Result() const { return result_; }
    CImage& Work() { return work_; }
    CImage& Spectrum() { return spectrum_; }
    CImage& Result() { return result_; }

private:
    // The spectrum starts again from the crop, keeping its ellipse.
    void RestartSpectrum();

    void RecordFilter(bool outside);

    CImage work_, aoi_, spectrum_, result_;
    WindowArguments window_;  // the window the spectrum was made with
    std::vector<OperationStep> resultSteps_;
};

// Draws image into the picture's bitmap; on failure shows failureFormat
// with the picture's error text and returns false.
bool ShowPicture(PreviewPicModel& picture, CImage& image, CDeviceBitmap& bitmap, int displayBits,
                 const char* failureFormat);
