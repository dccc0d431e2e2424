// The text log of a series run: opened for appending, every "\n" written as
// a carriage return and line feed, flushed after each write so the log shows
// how far a run got even if the program dies.
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

private:
    std::FILE* file_ = nullptr;
};
