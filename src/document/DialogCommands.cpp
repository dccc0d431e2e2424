// Image commands with a parameter dialog.
#include "document/DialogCommands.h"

#include <array>

#include "document/CommandIds.h"

namespace {

using D = CommandDialog;

// Filter types: 0 high pass, 1 Laplace, 2 low pass, 3 median, 4 Prewitt, 6
// unsharp mask. Morphological operations: 0 Erosion .. 7 Valley Detector.
constexpr std::array kCommands = {
    DialogCommand{cmd::Threshold, D::Threshold, 0, false, false},
    DialogCommand{cmd::BrightnessSlice, D::BrightnessSlice, 0, true, true},
    DialogCommand{cmd::Bound, D::Bound, 0, true, false},
    DialogCommand{cmd::Clean, D::Clean, 0, true, true},
    DialogCommand{cmd::HighPass, D::Filter, 0, true, true},
    DialogCommand{cmd::Laplace, D::Filter, 1, true, true},
    DialogCommand{cmd::LowPass, D::Filter, 2, true, true},
    DialogCommand{cmd::Median, D::Filter, 3, true, true},
    DialogCommand{cmd::Prewitt, D::Filter, 4, true, true},
    DialogCommand{cmd::UnsharpMask, D::Filter, 6, true, true},
    DialogCommand{cmd::Erosion, D::Morphology, 0, true, true},
    DialogCommand{cmd::Dilation, D::Morphology, 1, true, true},
    DialogCommand{cmd::Opening, D::Morphology, 2, true, true},
    DialogCommand{cmd::Closing, D::Morphology, 3, true, true},
    DialogCommand{cmd::Outline, D::Morphology, 4, true, true},
    DialogCommand{cmd::Gradient, D::Morphology, 5, true, true},
    DialogCommand{cmd::PeakDetector, D::Morphology, 6, true, true},
    DialogCommand{cmd::ValleyDetector, D::Morphology, 7, true, true},
    DialogCommand{cmd::Rotate, D::Rotate, 0, true, true},
    DialogCommand{cmd::Scale, D::Scale, 0, true, true},
};

}  // namespace

const DialogCommand* FindDialogCommand(int id)
{
    for (const DialogCommand& command : kCommands)
        if (command.id == id) return &command;
    return nullptr;
}
