// Frequency wizard: the steps from the document's image to the result.
#include "forms/FftSheetModel.h"

#include "platform/Format.h"
#include "platform/UserInterface.h"
#include "series/Operations.h"

namespace {

OperationStep StepOf(const char* name, const std::optional<AoiBox>& aoi)
{
    OperationStep step;
    step.op = FindOperation(name);
    step.aoi = aoi;
    return step;
}

}  // namespace

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
    window_ = window;
    if (window.apply && spectrum_.Window(window.type, window.alpha, window.percent) != 0) {
        spectrum_ = aoi_;
        window_.apply = false;
    }
}

bool FftSheetModel::Transform()
{
    platform::WaitCursor wait;
    result_ = spectrum_;
    resultSteps_ = {StepOf("Crop", StepAoi(work_))};
    if (window_.apply) {
        resultSteps_.push_back(StepOf("Window", std::nullopt));
        OperationParams& p = resultSteps_.back().params;
        p.windowType = window_.type;
        p.alpha = window_.alpha;
        p.percent = window_.percent;
    }
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
    RecordFilter(outside);
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
    resultSteps_ = {StepOf("Crop", StepAoi(work_))};
    if (spectrum_.Fft() == 0) return true;
    platform::error(spectrum_.errorMessage);
    return false;
}

// Deleting inside is FFT Filter with that ellipse; deleting outside is its
// low pass, whose ellipse comes from the slider position that made it.
void FftSheetModel::RecordFilter(bool outside)
{
    OperationStep step = StepOf("FFT Filter", StepAoi(work_));
    const FilterEllipse ellipse = Ellipse();
    OperationParams& p = step.params;
    p.customEllipse = !outside;
    p.ellipseLeft = ellipse.left;
    p.ellipseTop = ellipse.top;
    p.ellipseRight = ellipse.right;
    p.ellipseBottom = ellipse.bottom;
    resultSteps_ = {step};
    if (!outside) return;
    for (int position = 0; position <= 100; ++position) {
        const FilterEllipse made = FilterEllipse::FromSlider(spectrum_.width, spectrum_.height, position);
        if (made.left == ellipse.left && made.top == ellipse.top && made.right == ellipse.right &&
            made.bottom == ellipse.bottom) {
            p.filterKind = 0;
            p.slider = position;
            resultSteps_ = {step};
            return;
        }
    }
    resultSteps_.clear();
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
