// The Custom Filter dialog without its window: the kernel size, the 9 x 9
// weight texts, Clear All, the filter file and the kernel OK hands over.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/FilterGrid.h"
#include "forms/OperationDialog.h"
#include "processing/FilterFile.h"

class CustomFilterModel : public OperationDialog {
public:
    enum Control {
        kFirstSizeRadio = 2011,  // 3x3, 5x5, 7x7, 9x9 follow
        kSaveToFile = 2015,
        kReadFromFile = 2016,
        kClearAll = 2017,
        kFirstWeight = 2018,  // 81 boxes row by row
    };

    CustomFilterModel() { grid.fill("0"); }

    std::string Title() const override { return "Custom Filter"; }
    std::string OperationName() const override { return "Custom Filter"; }

    bool BoxEnabled(int box) const { return GridBoxEnabled(size, box / 9, box % 9); }
    void ClearAll() { grid.fill("0"); }
    // The converted weights of the enabled boxes, row-major; meaningful once
    // Validate passes.
    std::vector<float> Weights() const;
    int ApplyTo(CImage& image) const override;
    // Custom Filter with the file the kernel was last saved to or read from,
    // while the grid still holds that kernel; none otherwise, as a recipe
    // could not name the kernel.
    std::vector<OperationStep> Steps() const override;

    // Save To File before the file is chosen: shows a refused weight and
    // then why nothing is written; the refused box to focus.
    std::optional<FieldFailure> CheckBeforeSave() const;
    // "" when written, otherwise the message to show.
    std::string SaveTo(const std::string& path);
    // "" when read (size and boxes replaced), otherwise the message to show
    // with the dialog unchanged.
    std::string ReadFrom(const std::string& path);

    int size = 3;  // 3, 5, 7 or 9
    WeightGrid grid;

private:
    FilterFileContents Contents() const;

    std::string kernelFile_;
    FilterFileContents kernelContents_;

protected:
    std::optional<FieldFailure> Read(OperationParams& p) const override;
};
