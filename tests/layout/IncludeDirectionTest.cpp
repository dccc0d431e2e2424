// Every include between source folders points down the layers: a folder may
// include from a lower layer and from itself, never from its own layer's
// neighbours or from above. The Python module's sources are a front end
// beside the CLI's, and nothing includes from them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

const std::map<std::string, int> kLayer = {
    {"platform", 0}, {"image", 1},     {"processing", 2}, {"frequency", 3}, {"objects", 3}, {"series", 4},
    {"forms", 5},    {"document", 6},  {"dialogs", 7},    {"cli", 7},       {"app", 8},
};

struct Folder {
    std::string name;
    std::filesystem::path path;
    int layer;
};

TEST(IncludeDirection, EveryIncludePointsDown)
{
    const std::filesystem::path root(NUVAK_SOURCE_DIR);
    const std::regex include(R"(^\s*#\s*include\s+"([a-z]+)/)");
    std::vector<Folder> folders = {{"python", root / "python" / "src", kLayer.at("cli")}};
    for (const auto& [folder, layer] : kLayer) folders.push_back({folder, root / "src" / folder, layer});
    int files = 0;
    for (const auto& [folder, path, layer] : folders) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
            if (!entry.is_regular_file()) continue;
            ++files;
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                std::smatch match;
                if (!std::regex_search(line, match, include)) continue;
                const std::string target = match[1];
                const auto found = kLayer.find(target);
                ASSERT_NE(found, kLayer.end()) << entry.path() << ":" << number << " includes unknown folder " << target;
                EXPECT_TRUE(target == folder || found->second < layer)
                    << entry.path() << ":" << number << " (" << folder << ") includes from " << target;
            }
        }
    }
    EXPECT_GT(files, 100);
}

}  // namespace
