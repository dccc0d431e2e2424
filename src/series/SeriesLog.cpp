// The text log of a series run.
#include "series/SeriesLog.h"

bool SeriesLog::Open(const std::string& path)
{
    Close();
    file_ = std::fopen(path.c_str(), "ab");
    return file_ != nullptr;
}

void SeriesLog::Write(const std::string& text)
{
    if (!file_) return;
    std::string lines;
    lines.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') lines += '\r';
        lines += c;
    }
    std::fwrite(lines.data(), 1, lines.size(), file_);
    std::fflush(file_);
}

void SeriesLog::Close()
{
    if (file_) std::fclose(file_);
    file_ = nullptr;
}
