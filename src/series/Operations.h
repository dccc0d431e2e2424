// The one table of operations: names, where they are offered, their
// parameters and how they run. The CLI, the series engine and the GUI's lists
// all read it; adding an operation means adding one row.
#pragma once

#include <string>
#include <vector>

#include "image/Image.h"
#include "series/OperationParams.h"
#include "series/Parameters.h"

enum class OfferedFor { Rgb, Grayscale, Both };

// A file written beside the result: the stem of the output name followed by
// the suffix, such as "_red.bmp", or the path when one is given.
struct ExtraImage {
    std::string suffix;
    CImage image;
    std::string path;
};

struct OperationOutputs {
    std::vector<ExtraImage> extras;
};

using OperationRun = int (*)(CImage& image, const OperationParams& params, OperationOutputs& outputs);

struct Operation {
    const char* name;
    bool inSeries;       // offered by the series wizard and engine
    OfferedFor offered;  // which first images the series wizard offers it for
    bool checked;        // a failure ends a series run
    bool aoiKept;        // the first file's resulting AOI is used for the next files
    std::vector<ParamId> params;
    const char* description;
    OperationRun run;  // 0 on success, -1 with the image's errorMessage
};

// Rows in the order in which the series engine recognises the names. Only
// operations that can run are listed.
const std::vector<Operation>& OperationTable();
const Operation* FindOperation(const std::string& name);

// Find Objects' choices of what to report, as a step holds them and as the
// search takes them: every caller goes through these two.
CObjectOptions ObjectOptionsOf(const OperationParams& params);
void SetObjectOptions(OperationParams& params, const CObjectOptions& options);

// Calculations between two images of one size and format: the first operand
// receives the result.
struct CalcOperation {
    const char* name;
    int (*run)(CImage& first, const CImage& second);
};

const std::vector<CalcOperation>& CalcOperationTable();
const CalcOperation* FindCalcOperation(const std::string& name);
