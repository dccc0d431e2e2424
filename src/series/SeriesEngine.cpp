// The series run: one file after another, each read, given the run's AOI,
// processed by the operation table's row and written, with its log.
#include "series/SeriesEngine.h"

#include "platform/UserInterface.h"
#include "series/ConfirmationText.h"
#include "series/SeriesLog.h"
#include "series/SeriesRun.h"

const Operation* FindSeriesOperation(const std::string& name)
{
    const Operation* op = FindOperation(name);
    return op && op->inSeries ? op : nullptr;
}

SeriesResult RunSeries(SeriesSettings& settings, const SeriesCallbacks& callbacks, const SeriesClock& clock,
                       const OperationLookup& lookup)
{
    platform::WaitCursor wait;
    Notify(callbacks.setRunning, true);
    Notify(callbacks.setProgress, 0);
    Notify(callbacks.setStatus, std::string());

    SeriesResult result;
    result.confirmationText = ConfirmationText(settings);
    Notify(callbacks.showText, result.confirmationText);
    result.logPath = JoinPath(settings.outputFolder, LogFileName(clock()));

    const SeriesRun* running = nullptr;  // once files are processed
    // Restore: the page returns to its idle state showing the final text.
    auto restore = [&]() -> SeriesResult {
        if (running) result.combinedTables = running->CombinedPaths();
        Notify(callbacks.showText, result.confirmationText);
        Notify(callbacks.setStatus, std::string());
        Notify(callbacks.setRunning, false);
        return result;
    };

    SeriesLog log;
    if (!log.Open(result.logPath)) {
        result.ending = SeriesEnding::LogNotOpened;
        result.confirmationText += LogNotOpenedText(result.logPath);
        return restore();
    }
    // A run whose record is lost stops, before it changes more files unlogged.
    auto logLost = [&]() -> SeriesResult {
        log.Close();
        result.ending = SeriesEnding::LogNotWritten;
        result.confirmationText += LogNotWrittenText(result.logPath);
        return restore();
    };
    log.Write(LogOpening(result.confirmationText));
    if (log.Failed()) return logLost();

    SeriesRun run(settings, callbacks, lookup, log);
    running = &run;
    const std::string& list = settings.fileList;
    size_t start = 0;
    size_t end = list.find("\r\n");
    for (int index = 0; end != std::string::npos; ++index) {
        const std::string path = list.substr(start, end - start);
        std::string message;
        try {
            message = run.ProcessFile(index, path);
        } catch (const platform::UserAbort&) {
            // The user has seen why; the log stops at this file without a closing line.
            log.Close();
            result.skipped = run.Skipped();
            result.ending = SeriesEnding::Abandoned;
            result.stoppedAt = path;
            return restore();
        }
        if (!message.empty()) {
            log.Write(LogClosing(message));
            log.Close();
            result.ending = SeriesEnding::Ended;
            result.skipped = run.Skipped();
            result.message = message;
            result.confirmationText += EndedText(message, result.logPath);
            return restore();
        }
        if (log.Failed()) return logLost();
        start = end + 2;
        end = list.find("\r\n", start);
    }
    log.Write(LogClosing(std::string()));
    log.Close();
    if (log.Failed()) return logLost();
    result.ending = SeriesEnding::Complete;
    result.skipped = run.Skipped();
    result.confirmationText = CompleteText(result.logPath, settings.inWizard) + SkippedText(result.skipped.size());
    return restore();
}
