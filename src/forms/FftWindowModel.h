// The frequency wizard's window page without its window: the choice, the
// two sliders and the rolloff percent, which controls they enable, and the
// arguments of the window they choose.
#pragma once

#include <array>
#include <string>

#include "forms/DataExchange.h"
#include "forms/PreviewPicModel.h"

inline constexpr const char* kFftWindowTitle = "Frequency processing - apply window before performing FFT";
inline constexpr const char* kFftWindowIntro =
    "The FFT sees an image as wrapping from top to bottom and from left to right.\nFading the image edges before "
    "applying an FFT can help reduce anomalies.";
inline constexpr const char* kFftWindowSelect = "Select a window to apply (see help for details on each window type)";
// The radio buttons in choice order.
inline constexpr std::array<const char*, 6> kFftWindowNames = {"None",       "Hamming", "Hann",
                                                               "Triangular", "Cosine",  "Rolloff"};

enum FftWindowChoice { kWindowNone, kWindowHamming, kWindowHann, kWindowTriangular, kWindowCosine, kWindowRolloff };

// What CImage::Window is called with; nothing when apply is false.
struct WindowArguments {
    bool apply = false;
    int type = 0;
    double alpha = 0.0;
    int percent = 0;
};

class FftWindowModel {
public:
    static constexpr int kSliderMin = 50;
    static constexpr int kSliderMax = 100;

    // Room for 300 x 400 (width x height) at the page's top-left.
    FftWindowModel();

    int choice = kWindowNone;
    int cosinePosition = 50;
    int rolloffPosition = 50;
    int rolloffPercent = 10;

    WindowArguments Arguments() const;
    bool CosineEnabled() const { return choice == kWindowCosine; }
    bool RolloffEnabled() const { return choice == kWindowRolloff; }
    // "%4.2f" of position x 0.01: "0.50" .. "1.00".
    static std::string SliderLabel(int position);
    // The typed percent, 0..100 with the standard range text; kept when ok.
    Exchanged<int> TakePercent(const std::string& text);

    const PreviewPicModel& Picture() const { return picture_; }
    PreviewPicModel& Picture() { return picture_; }

private:
    PreviewPicModel picture_;
};
