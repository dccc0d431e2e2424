// Intensity profile: sampling, statistics, curves and read-out.
#include "forms/ProfileModel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/Format.h"

namespace {

constexpr float kVerticalScale = 175.0f / 255.0f;

int Component(const CColorVal& c, int channel) { return channel == 0 ? c.red : channel == 1 ? c.green : c.blue; }

bool Steep(double angle) { return (angle > 45 && angle < 135) || (angle > 225 && angle < 315); }

}  // namespace

std::vector<CColorVal> SampleProfile(const CImage& image, ImagePoint p1, ImagePoint p2, double angle)
{
    std::vector<CColorVal> samples;
    // Points on the line between two pixels of the image stay inside it; the
    // clamp only guards against a caller's points outside the image.
    auto pixel = [&image](int x, int y) {
        return image.pixelValueArray[std::clamp(y, 0, image.height - 1)][std::clamp(x, 0, image.width - 1)];
    };
    const int stepX = p2.x < p1.x ? -1 : 1;
    const int stepY = p2.y < p1.y ? -1 : 1;
    if (p1.x == p2.x) {
        const int n = std::abs(p2.y - p1.y) + 1;
        for (int i = 0; i < n; ++i) samples.push_back(pixel(p1.x, p1.y + stepY * i));
        return samples;
    }
    const float m = static_cast<float>(p2.y - p1.y) / static_cast<float>(p2.x - p1.x);
    const float c = static_cast<float>(p1.y) - static_cast<float>(p1.x) * m;
    if (Steep(angle)) {
        const int n = std::abs(p2.y - p1.y) + 1;
        for (int i = 0; i < n; ++i) {
            const int y = p1.y + stepY * i;
            samples.push_back(pixel(RoundHalfAway((static_cast<float>(y) - c) / m), y));
        }
    } else {
        const int n = std::abs(p2.x - p1.x) + 1;
        for (int i = 0; i < n; ++i) {
            const int x = p1.x + stepX * i;
            samples.push_back(pixel(x, RoundHalfAway(c + m * static_cast<float>(x))));
        }
    }
    return samples;
}

ProfileStatistics ComputeProfileStatistics(const std::vector<CColorVal>& samples)
{
    ProfileStatistics s;
    if (samples.empty()) return s;
    const double n = static_cast<double>(samples.size());
    for (int k = 0; k < 3; ++k) {
        double sum = 0;
        for (const CColorVal& v : samples) sum += Component(v, k);
        s.mean[k] = sum / n;
        double squares = 0;
        for (const CColorVal& v : samples) squares += (Component(v, k) - s.mean[k]) * (Component(v, k) - s.mean[k]);
        s.deviation[k] = std::sqrt(squares / n);
    }
    return s;
}

void ProfileModel::Open(const CImage& image, ImagePoint p1, ImagePoint p2, double angle,
                        const std::string& measurement)
{
    format_ = image.format;
    p1_ = p1;
    p2_ = p2;
    measurement_ = measurement;
    checked[0] = checked[1] = checked[2] = true;
    samples_ = SampleProfile(image, p1, p2, angle);
    stats_ = ComputeProfileStatistics(samples_);
    if (format_ != FORMAT_RGB) {
        statisticsText_ = platform::Format("Mean: %.1f\nStd Dev: %.1f", stats_.mean[0], stats_.deviation[0]);
        return;
    }
    static const char* const kChannelFormats[3] = {"RED\nMean: %.1f\nStd Dev: %.1f\n",
                                                   "GREEN\nMean: %.1f\nStd Dev: %.1f\n",
                                                   "BLUE\nMean: %.1f\nStd Dev: %.1f\n"};
    statisticsText_.clear();
    for (int k = 0; k < 3; ++k)
        if (checked[k]) statisticsText_ += platform::Format(kChannelFormats[k], stats_.mean[k], stats_.deviation[k]);
}

bool ProfileModel::CurveShown(int channel) const
{
    if (channel < 0 || channel > 2) return false;
    return format_ == FORMAT_RGB ? checked[channel] : channel == 0;
}

std::vector<ImagePoint> ProfileModel::Curve(int channel) const
{
    std::vector<ImagePoint> points;
    const size_t n = samples_.size();
    // One sample has no width to spread over: it sits at the graph's left.
    const float step = n > 1 ? static_cast<float>(kProfileGraphWidth) / static_cast<float>(n - 1) : 0.0f;
    const int low = RangeLow();
    // The fixed range keeps its own single-precision scale, so its curves stay as they were.
    const float scale = fitToSamples ? static_cast<float>(kProfileGraphHeight) / static_cast<float>(RangeHigh() - low)
                                     : kVerticalScale;
    for (size_t i = 0; i < n; ++i) {
        const float value = static_cast<float>(Component(samples_[i], channel) - low);
        points.push_back({kProfileGraphLeft + RoundHalfAway(static_cast<float>(i) * step),
                          kProfileGraphTop + kProfileGraphHeight - RoundHalfAway(value * scale)});
    }
    return points;
}

std::pair<int, int> ProfileModel::ShownExtremes() const
{
    int low = 255, high = 0;
    for (const CColorVal& sample : samples_)
        for (int k = 0; k < 3; ++k)
            if (CurveShown(k)) {
                low = std::min(low, Component(sample, k));
                high = std::max(high, Component(sample, k));
            }
    return {low, high};
}

int ProfileModel::RangeLow() const { return fitToSamples ? std::min(ShownExtremes().first, 254) : 0; }

int ProfileModel::RangeHigh() const
{
    return fitToSamples ? std::max(ShownExtremes().second, RangeLow() + 1) : 255;
}

std::string ProfileModel::ReadOut(int x, int y) const
{
    if (!fitToSamples) return ProfileReadout(x, y);
    if (x < kProfileGraphLeft || x > kProfileGraphLeft + kProfileGraphWidth || y < kProfileGraphTop ||
        y > kProfileGraphTop + kProfileGraphHeight)
        return "Intensity:";
    const double span = RangeHigh() - RangeLow();
    return platform::Format("Intensity:  %d",
                            RangeHigh() - RoundHalfAway((y - kProfileGraphTop) * span / kProfileGraphHeight));
}

std::string ProfileModel::SamplesText(char separator) const
{
    const size_t n = samples_.size();
    const double length = std::hypot(p2_.x - p1_.x, p2_.y - p1_.y);
    std::string text;
    for (size_t i = 0; i < n; ++i) {
        const double distance = n > 1 ? length * static_cast<double>(i) / static_cast<double>(n - 1) : 0.0;
        const CColorVal& s = samples_[i];
        text += platform::Format("%zu%c%.2f%c%d%c%d%c%d\n", i, separator, distance, separator, s.red, separator,
                                 s.green, separator, s.blue);
    }
    return text;
}

std::string ProfileReadout(int x, int y)
{
    if (x < kProfileGraphLeft || x > kProfileGraphLeft + kProfileGraphWidth || y < kProfileGraphTop ||
        y > kProfileGraphTop + kProfileGraphHeight)
        return "Intensity:";
    return platform::Format("Intensity:  %d",
                            255 - RoundHalfAway(static_cast<float>(y - kProfileGraphTop) / kVerticalScale));
}

std::string ProfileMissingText(ProfileHandler handler, ProfileMissing missing)
{
    // Painting and mouse moves carry the histogram dialog's name; the texts
    // are kept exactly as they stand.
    const char* prefix = handler == ProfileHandler::Opening  ? "CProfileDlg::OnPaint() aborted.\n"
                         : handler == ProfileHandler::Painting ? "CHistogramDlg::OnPaint() aborted.\n"
                                                               : "CHistogramDlg::OnMouseMove() aborted.\n";
    const char* what = missing == ProfileMissing::MainFrame     ? "main frame."
                       : missing == ProfileMissing::ChildWindow ? "active MDI child window."
                                                                : "active document.";
    return std::string(prefix) + "Failed to obtain pointer to " + what;
}
