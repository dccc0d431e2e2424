// The text log of a series run.
#include "series/SeriesLog.h"

bool SeriesLog::Open(const std::string& path)
{
    Close();
    file_ = std::fopen(path.c_str(), "ab");
    failed_ = false;
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
    if (std::fwrite(lines.data(), 1, lines.size(), file_) != lines.size() || std::fflush(file_) != 0) failed_ = true;
}

void SeriesLog::Close()
{
    if (file_ && std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
}

std::string LogOpening(const std::string& confirmationText)
{
    return "\n\n" + std::string(51, '*') + "\n" + confirmationText + "\n\n";
}

std::string LogClosing(const std::string& message)
{
    return message.empty() ? "\nImage series processing complete.\n" : "\n\n" + message + "\n";
}
