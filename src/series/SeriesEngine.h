// The series engine: applies one operation with fixed parameters, or the
// steps of a recipe, to every file of a run, writes the results and records
// the run in a log.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "series/Operations.h"
#include "series/SeriesPaths.h"
#include "series/SeriesSettings.h"

// How many pending messages the front end may dispatch before each file, so
// that its Abort button is served.
constexpr int kSeriesDispatchLimit = 10;

// What the confirmation page (or another front end) does for the engine.
// Every member may be left empty.
struct SeriesCallbacks {
    // true when the run starts (show Abort, progress and status); false on
    // the way out (show "Process Series Now" again).
    std::function<void(bool running)> setRunning;
    std::function<void(const std::string& text)> showText;  // the confirmation text
    std::function<void(int percent)> setProgress;
    std::function<void(const std::string& text)> setStatus;
    // Lets up to maxMessages pending messages through; the Abort button sets
    // the settings' abort request from here.
    std::function<void(int maxMessages)> dispatchMessages;
    // A file was read and is about to be processed (index from 0).
    std::function<void(int index, const std::string& path)> fileReached;
    // A notice the file gave while it was read (16-bit levels, alpha,
    // pages); it is in the log too.
    std::function<void(const std::string& text)> fileNotice;
};

enum class SeriesEnding {
    Complete,
    Ended,         // stopped with a message, written to the log and the text
    LogNotOpened,  // nothing was read or written
    LogNotWritten,  // the log lost a write (a full disk): the run stopped there
    Abandoned      // a silent abort (already shown to the user) stopped the run
};

struct SeriesResult {
    SeriesEnding ending = SeriesEnding::Complete;
    std::string confirmationText;  // as the page shows it after the run
    std::string logPath;
    std::string message;    // the ending message of an Ended run
    std::string stoppedAt;  // the file at which an Abandoned run stopped
    // Files left out because they could not be read, with the reader's text
    // on one line.
    std::vector<std::pair<std::string, std::string>> skipped;
    // The combined tables of Find Objects' results written, however the run ended.
    std::vector<std::string> combinedTables;
};

using SeriesClock = std::function<LocalDateTime()>;
using OperationLookup = std::function<const Operation*(const std::string& name)>;

// The table's row of a series operation; nullptr for any other name, which
// the engine runs as "leave the image unchanged".
const Operation* FindSeriesOperation(const std::string& name);

SeriesResult RunSeries(SeriesSettings& settings, const SeriesCallbacks& callbacks = {},
                       const SeriesClock& clock = LocalNow, const OperationLookup& lookup = FindSeriesOperation);
