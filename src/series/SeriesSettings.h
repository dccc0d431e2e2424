// The settings of one series run as the series wizard collects them: files,
// where results go, the operation with its parameters, the first image with
// the AOI for every file, and the abort request.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "image/Image.h"
#include "series/OperationParams.h"
#include "series/OperationStep.h"

enum SeriesOutputChoice { SERIES_OVERWRITE = 0, SERIES_SAVE_TO_FOLDER = 1 };

struct SeriesSettings {
    std::string outputFolder;  // in overwrite mode the first file's folder
    int fileCount = 0;
    std::string fileList;  // each full path followed by "\r\n", in the chosen order
    int overwriteChoice = SERIES_SAVE_TO_FOLDER;
    std::string operationName;
    CImage firstImage;  // read from the first file; its AOI is the AOI of the run
    // The AOI was given for the run (--aoi): every file gets it even when it
    // is the whole first image. Otherwise a whole first image means that
    // each file is processed whole, whatever its size.
    bool aoiGiven = false;
    bool abortRequest = false;  // set by the Abort button, cleared when a run acts on it
    // A file that cannot be read is logged as skipped and the run goes on,
    // instead of ending there.
    bool skipUnreadable = false;
    // A pixel size given for the run, in place of each file's resolution.
    std::optional<CCalibration> calibration;
    OperationParams params;
    // Results keep each source's format unless one is chosen here.
    std::optional<FileFormat> outputFormat;
    int jpegQuality = 95;
    // A recipe run: these steps, each with its own AOI and answer, instead of
    // the operation; recipeName is the recipe file the texts name.
    std::vector<OperationStep> recipe;
    std::string recipeName;
    // The final text names the wizard's BACK and FINISH buttons.
    bool inWizard = true;

    bool Overwrites() const { return overwriteChoice == SERIES_OVERWRITE; }
    // Each file is processed whole: no AOI was given and the first image's is whole.
    bool WholeFiles() const;
    // Appends a path to the file list as the file dialog's selection does.
    void AddFile(const std::string& path);
    // The first file the run would write its result over whose 16-bit
    // samples would be lost; "" when there is none.
    std::string FirstDeepSourceReplaced() const;
};
