#include "series/SeriesRunFixture.h"

#include <algorithm>
#include <filesystem>

#include "series/ConfirmationText.h"
#include "support/TestImages.h"

LocalDateTime FixedTime() { return {2026, 3, 7, 14, 5, 9}; }

std::vector<std::string> FolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Crlf(const std::string& text)
{
    std::string result;
    for (char c : text) {
        if (c == '\n') result += '\r';
        result += c;
    }
    return result;
}

SeriesRunTest::SeriesRunTest()
{
    std::filesystem::create_directory(in);
    std::filesystem::create_directory(out);
    settings.outputFolder = out;
    callbacks.setRunning = [this](bool running) { events.push_back(running ? "running" : "idle"); };
    callbacks.showText = [this](const std::string& text) { events.push_back("text:" + text); };
    callbacks.setProgress = [this](int percent) { progress.push_back(percent); };
    callbacks.setStatus = [this](const std::string& text) { events.push_back("status:" + text); };
    callbacks.dispatchMessages = [this](int count) { events.push_back("dispatch:" + std::to_string(count)); };
    callbacks.fileReached = [this](int index, const std::string& path) {
        events.push_back("file:" + std::to_string(index) + ":" + path);
    };
}

std::string SeriesRunTest::AddSource(const std::string& name, int width, int height, int seed)
{
    CImage image = MakeImage(width, height, [seed](int x, int y) { return CColorVal(10 * x + seed, 20 * y + seed, 3 * seed); });
    const std::string path = in + "/" + name;
    SaveBitmap(image, path);
    settings.AddFile(path);
    return path;
}

void SeriesRunTest::ReadFirstImage()
{
    settings.firstImage = LoadBitmap(settings.fileList.substr(0, settings.fileList.find("\r\n")));
}

SeriesResult SeriesRunTest::Run(const OperationLookup& lookup)
{
    confirmation = ConfirmationText(settings);
    return RunSeries(settings, callbacks, FixedTime, lookup);
}

std::string SeriesRunTest::LogHead() const
{
    return "\r\n\r\n***************************************************\r\n" + Crlf(confirmation) + "\r\n\r\n";
}
