// Frequency wizard: the steps from the document's image to the result.
#include "forms/FftSheetModel.h"

#include "platform/Format.h"
#include "platform/UserInterface.h"

void FftSheetModel::SetWorkAoi(const AoiRect& aoi)
{
    work_.SetUpperLeft(aoi.left, aoi.top, true);
    work_.SetLowerRight(aoi.right, aoi.bottom, true);
}

bool FftSheetModel::CropAoi()
{
    platform::WaitCursor wait;
    aoi_ = work_;
    if (aoi_.Crop(work_.aoiLeft, work_.aoiTop, work_.aoiRight, work_.aoiBottom) == 0) return true;
    platform::error(aoi_.errorMessage);
    return false;
}

void FftSheetModel::ApplyWindow(const WindowArguments& window)
{
    platform::WaitCursor wait;
    spectrum_ = aoi_;
    if (window.apply && spectrum_.Window(window.type, window.alpha, window.percent) != 0) spectrum_ = aoi_;
}

bool FftSheetModel::Transform()
{
    platform::WaitCursor wait;
    result_ = spectrum_;
    if (spectrum_.Fft() == 0) return true;
    platform::error(spectrum_.errorMessage);
    return false;
}

void FftSheetModel::SetEllipse(const FilterEllipse& e)
{
    spectrum_.aoiLeft = e.left;
    spectrum_.aoiTop = e.top;
    spectrum_.aoiRight = e.right;
    spectrum_.aoiBottom = e.bottom;
}

FilterEllipse FftSheetModel::Ellipse() const
{
    return {spectrum_.aoiLeft, spectrum_.aoiTop, spectrum_.aoiRight, spectrum_.aoiBottom};
}

void FftSheetModel::RestartSpectrum()
{
    const FilterEllipse ellipse = Ellipse();
    spectrum_ = aoi_;
    SetEllipse(ellipse);
}

bool FftSheetModel::ApplyFilter(bool outside)
{
    platform::WaitCursor wait;
    RestartSpectrum();
    if (spectrum_.Fft() != 0) platform::error(spectrum_.errorMessage);
    spectrum_.DeleteEllipseFrequencies(outside);
    result_ = spectrum_;
    if (result_.FftInverse() != 0) {
        platform::error(result_.errorMessage);
        return false;
    }
    if (spectrum_.FftForDisplay() != 0) {
        platform::error(spectrum_.errorMessage);
        return false;
    }
    return true;
}

bool FftSheetModel::Undo()
{
    platform::WaitCursor wait;
    RestartSpectrum();
    result_ = spectrum_;
    if (spectrum_.Fft() == 0) return true;
    platform::error(spectrum_.errorMessage);
    return false;
}

void FftSheetModel::PutResult(CImage& document) const
{
    document = result_;
    document.SetUpperLeft(0, 0, true);
    document.SetLowerRight(document.width - 1, document.height - 1, true);
}

bool ShowPicture(PreviewPicModel& picture, CImage& image, CDeviceBitmap& bitmap, int displayBits,
                 const char* failureFormat)
{
    if (picture.Display(image, bitmap, displayBits) == 0) return true;
    platform::error(platform::Format(failureFormat, picture.ErrorText().c_str()));
    return false;
}
