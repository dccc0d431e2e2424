// The text log of a series run: opened for appending, every "\n" written as
// a carriage return and line feed, flushed after each write so the log shows
// how far a run got even if the program dies. A write that does not reach
// the file (a full disk) is remembered, so the run need not claim a log it
// does not have.
#pragma once

#include <cstdio>
#include <string>

class SeriesLog {
public:
    SeriesLog() = default;
    ~SeriesLog() { Close(); }
    SeriesLog(const SeriesLog&) = delete;
    SeriesLog& operator=(const SeriesLog&) = delete;

    bool Open(const std::string& path);
    void Write(const std::string& text);
    void Close();
    bool Failed() const { return failed_; }

private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

// The log's first lines: the confirmation text under a row of stars.
std::string LogOpening(const std::string& confirmationText);
// The log's last lines: the message that ended the run, or "" for a run
// that completed.
std::string LogClosing(const std::string& message);
