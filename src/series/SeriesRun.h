// One series run's work on its files, one file at a time: read, given the
// run's AOI, processed and written, with the file's lines in the log. The
// engine runs the files in turn; a front end may also run each file apart
// (in another process) with settings of its own and put the pieces together
// in the files' order.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "series/CombinedTable.h"
#include "series/SeriesEngine.h"
#include "series/SeriesLog.h"

template <typename F, typename... Args>
void Notify(const std::function<F>& callback, Args&&... args)
{
    if (callback) callback(std::forward<Args>(args)...);
}

using OperationRunner = std::function<int(const OperationParams& params, OperationOutputs& outputs)>;

// An image's results file added to a combined table of the run: the table's
// name in the output folder and the results file's path.
struct AddedResults {
    std::string table;
    std::string results;
};

class SeriesRun {
public:
    SeriesRun(SeriesSettings& settings, const SeriesCallbacks& callbacks, const OperationLookup& lookup,
              SeriesLog& log)
        : settings_(settings), callbacks_(callbacks), log_(log), op_(lookup(settings.operationName)),
          params_(settings.params), wholeFiles_(settings.WholeFiles())
    {
        // Bound takes its fill colour by the first image's format.
        params_.firstImageFormat = settings.firstImage.format;
    }

    // "" when the file was done or skipped, else the message that ends the run.
    std::string ProcessFile(int index, const std::string& path);
    const std::vector<std::pair<std::string, std::string>>& Skipped() const { return skipped_; }
    // The results files added to combined tables so far, in order.
    const std::vector<AddedResults>& Added() const { return added_; }
    // The combined tables written so far, by path.
    std::vector<std::string> CombinedPaths() const
    {
        std::vector<std::string> paths;
        for (const auto& [path, table] : combined_) paths.push_back(path);
        return paths;
    }

private:
    std::string Write(CImage& image, const std::string& path, FileFormat format) const;
    std::string OutputPath(const std::string& source, const std::string& name) const;
    // A file of the image's own from a name the run gives every image, and
    // the image's stem (objects.dat -> objects_IMAGE.dat), where the image's
    // result goes.
    std::string OwnPath(const std::string& source, const std::string& name) const;
    // Runs one operation; "" or the message that ends the run. Find Objects
    // writes each image's results and overlay under names of its own, adds
    // the rows to the run's combined table and logs the file.
    std::string RunOperation(CImage& working, const std::string& source, const Operation& op,
                             OperationParams params, const OperationRunner& run);
    // Gives the file the run's AOI; "" or the message that ends the run.
    std::string SetFileAoi(CImage& working, const std::string& path);
    std::string WriteExtras(OperationOutputs& outputs, const std::string& source, FileFormat format) const;
    // Adds the rows of an image's results file to the combined table of that
    // file's name, each after the image's file name; "" or the message that
    // ends the run.
    std::string AddToCombined(const std::string& source, const std::string& given, const std::string& results);

    SeriesSettings& settings_;
    const SeriesCallbacks& callbacks_;
    SeriesLog& log_;
    const Operation* op_;
    OperationParams params_;
    std::vector<std::pair<std::string, std::string>> skipped_;
    std::map<std::string, CombinedTable> combined_;  // by path
    std::vector<AddedResults> added_;
    const bool wholeFiles_;
    bool firstDone_ = false;  // the first file has been processed
};
