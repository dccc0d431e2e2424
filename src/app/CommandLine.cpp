// Recognises nuvak's options and the Qt options QApplication takes itself.
#include "app/CommandLine.h"

#include <array>
#include <string_view>

namespace {

// Qt's options that are followed by a value, and those that stand alone;
// each may be written with one dash or two.
constexpr std::array<std::string_view, 13> kQtWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowtitle",
    "qwindowicon", "display", "geometry", "style", "stylesheet", "session", "qmljsdebugger"};
constexpr std::array<std::string_view, 5> kQtAlone = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

template <std::size_t N>
bool Among(std::string_view name, const std::array<std::string_view, N>& names)
{
    for (std::string_view known : names)
        if (name == known) return true;
    return false;
}

}  // namespace

NuvakOptions ParseNuvakOptions(int argc, const char* const* argv)
{
    NuvakOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--version") {
            options.version = true;
            continue;
        }
        if (arg == "--no-splash" || arg.size() < 2 || arg[0] != '-') continue;
        std::string_view name = arg.substr(arg[1] == '-' ? 2 : 1);
        const bool joined = name.find('=') != std::string_view::npos;
        name = name.substr(0, name.find('='));
        if (Among(name, kQtWithValue)) {
            if (!joined) ++i;  // its value
            continue;
        }
        if (Among(name, kQtAlone)) continue;
        if (options.unknown.empty()) options.unknown = std::string(arg);
    }
    return options;
}

std::string UnknownOptionText(const std::string& option)
{
    return "nuvak: unknown option " + option + "; see nuvak --help";
}
