// Histogram dialog: bars, ramp, read-out and dragging.
#include "forms/HistogramModel.h"

#include "platform/Format.h"
#include "processing/HistogramCombos.h"

namespace {

constexpr int kGraphBottom = kHistogramGraphTop + kHistogramGraphHeight;

const std::array<int, 256>& Counts(const CImage& image, int channel)
{
    return channel == 1 ? image.greenHistogram : channel == 2 ? image.blueHistogram : image.redHistogram;
}

}  // namespace

std::vector<std::string> HistogramChannelEntries(int format)
{
    if (format == FORMAT_GRAYSCALE) return {"Intensity"};
    return {"Red", "Green", "Blue"};
}

std::vector<int> HistogramBarTops(CImage& image, int channel)
{
    image.ComputeHistograms();
    const int peak = image.PeakCount(channel);
    const float scale = peak > 0 ? static_cast<float>(kHistogramGraphHeight) / static_cast<float>(peak) : 0.0f;
    std::vector<int> tops(256);
    const std::array<int, 256>& counts = Counts(image, channel);
    for (int i = 0; i < 256; ++i)
        tops[i] = static_cast<int>(static_cast<float>(kGraphBottom) - static_cast<float>(counts[i]) * scale);
    return tops;
}

CColorVal HistogramPenColor(int format, int channel)
{
    return format == FORMAT_GRAYSCALE ? CColorVal() : HistogramRampColor(format, channel, 255);
}

CColorVal HistogramRampColor(int format, int channel, int level)
{
    if (format == FORMAT_GRAYSCALE) return CColorVal(level, level, level);
    return CColorVal(channel == 0 ? level : 0, channel == 1 ? level : 0, channel == 2 ? level : 0);
}

bool HistogramDrag::Press(CImage& image, int channel, int x, int y)
{
    image.ComputeHistograms();
    const int lowest = image.LowestLevel(channel);
    const int highest = image.HighestLevel(channel);
    if (x < kHistogramGraphLeft + lowest || x > kHistogramGraphLeft + highest || y < kHistogramGraphTop ||
        y > kGraphBottom)
        return false;
    dragging_ = true;
    startX_ = x;
    toLowest_ = x - kHistogramGraphLeft - lowest;
    toHighest_ = highest + kHistogramGraphLeft - x;
    return true;
}

HistogramReadout HistogramDrag::Move(const CImage& image, int channel, int x, int y) const
{
    HistogramReadout readout;
    const bool inGraph = x >= kHistogramGraphLeft && x < kHistogramGraphLeft + kHistogramGraphWidth &&
                         y > kHistogramGraphTop && y < kGraphBottom;
    if (inGraph && !dragging_) {
        const int level = x - kHistogramGraphLeft;
        readout.intensity = platform::Format("Intensity:  %d", level);
        readout.count = platform::Format("Pixel Count:  %d", Counts(image, channel)[level]);
    }
    return readout;
}

bool HistogramDrag::MarkersFit(int x) const
{
    return LowMarker(x) >= kHistogramGraphLeft && HighMarker(x) <= kHistogramGraphLeft + kHistogramGraphWidth;
}

int HistogramDrag::Release(CImage& image, int channel, int x)
{
    if (!dragging_) return 0;
    dragging_ = false;
    return SlideHistogram(image, channel, x - startX_);
}

std::string HistogramNoDocumentText(HistogramHandler handler)
{
    const char* prefix = "";
    switch (handler) {
        case HistogramHandler::Opening: prefix = "CHistogramDlg::OnInitDialog() aborted."; break;
        case HistogramHandler::Painting: prefix = "CHistogramDlg::OnPaint() aborted."; break;
        case HistogramHandler::MouseMove: prefix = "CHistogramDlg::OnMouseMove() aborted."; break;
        case HistogramHandler::ChannelChange: prefix = "CHistogramDlg::OnSelchangeHstChannel() aborted."; break;
        case HistogramHandler::Stretch: prefix = "CHistogramDlg::OnHstStretch() aborted."; break;
        case HistogramHandler::Equalize: prefix = "CHistogramDlg::OnHstEqualize() aborted."; break;
        case HistogramHandler::Reset: prefix = "CHistogramDlg::OnReset() cannot restore original image data."; break;
        case HistogramHandler::Cancel: prefix = "CHistogramDlg::OnCancel() cannot restore original image data."; break;
    }
    return std::string(prefix) + "\nFailed to obtain pointer to active document.";
}
