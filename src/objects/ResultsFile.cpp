// The object results file: its header and one row per object, comma
// separated, reals with one decimal, CR LF line ends.
#include <charconv>
#include <string_view>
#include <vector>

#include "image/FoundObject.h"

namespace {

// One line being built: every field after the first is preceded by the
// separator.
class Line {
public:
    Line(std::string first, const std::string& separator) : text_(std::move(first)), separator_(separator) {}

    void Add(std::string_view field)
    {
        text_ += separator_;
        text_ += field;
    }
    void Int(int value) { Add(std::to_string(value)); }
    // "%.1f" in the C locale whatever locale the program runs in, so that
    // a decimal comma never splits a field.
    void Real(double value)
    {
        char digits[400];  // the longest fixed form of a double fits
        const std::to_chars_result end =
            std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 1);
        Add(std::string_view(digits, static_cast<size_t>(end.ptr - digits)));
    }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
    const std::string& separator_;
};

// Column groups in file order; the colour statistics follow them all.
struct ColumnGroup {
    int flag;
    std::vector<const char*> names;
    void (*values)(const CFoundObject&, Line&);
};

const ColumnGroup kColumnGroups[] = {
    {METRIC_AREA, {"area"}, [](const CFoundObject& o, Line& line) { line.Int(o.area); }},
    {METRIC_BOUNDING_BOX, {"left", "top", "right", "bottom"},
     [](const CFoundObject& o, Line& line) {
         line.Int(o.left);
         line.Int(o.top);
         line.Int(o.right);
         line.Int(o.bottom);
     }},
    {METRIC_CIRCUMFERENCE, {"circum"}, [](const CFoundObject& o, Line& line) { line.Real(o.circumference); }},
    {METRIC_ELONGATION, {"elong"}, [](const CFoundObject& o, Line& line) { line.Real(o.elongation); }},
    {METRIC_MAJOR_AXIS, {"major"}, [](const CFoundObject& o, Line& line) { line.Real(o.majorAxis); }},
    {METRIC_MINOR_AXIS, {"minor"}, [](const CFoundObject& o, Line& line) { line.Real(o.minorAxis); }},
    {METRIC_PARTIAL, {"partl"}, [](const CFoundObject& o, Line& line) { line.Add(o.partial ? "T" : "F"); }},
    {METRIC_PERIMETER, {"perim"}, [](const CFoundObject& o, Line& line) { line.Int(o.PerimeterCount()); }},
    {METRIC_THETA, {"theta"}, [](const CFoundObject& o, Line& line) { line.Real(o.theta); }},
    {METRIC_ROUNDNESS, {"round"}, [](const CFoundObject& o, Line& line) { line.Real(o.roundness); }},
};

struct ColourChannel {
    const char* prefix;
    CChannelStats CFoundObject::*stats;
};

// A grayscale image reports its grey level, held in the red statistics.
std::vector<ColourChannel> ColourChannels(bool grayscale)
{
    if (grayscale) return {{"g", &CFoundObject::red}};
    return {{"r", &CFoundObject::red}, {"g", &CFoundObject::green}, {"b", &CFoundObject::blue}};
}

}  // namespace

std::string CFoundObject::HeaderLine(int metricFlags, bool grayscale) const
{
    Line line("#id", separator);
    line.Add("x");
    line.Add("y");
    for (const ColumnGroup& group : kColumnGroups)
        if (metricFlags & group.flag)
            for (const char* name : group.names) line.Add(name);
    if (metricFlags & METRIC_COLOR)
        for (const ColourChannel& channel : ColourChannels(grayscale))
            for (const char* statistic : {"Min", "Max", "Avg", "Dev"}) line.Add(std::string(channel.prefix) + statistic);
    return line.Text();
}

std::string CFoundObject::RowText(int number, bool grayscale, int metricFlags) const
{
    Line line(std::to_string(number), separator);
    line.Real(centroidX);
    line.Real(centroidY);
    for (const ColumnGroup& group : kColumnGroups)
        if (metricFlags & group.flag) group.values(*this, line);
    if (metricFlags & METRIC_COLOR)
        for (const ColourChannel& channel : ColourChannels(grayscale)) {
            const CChannelStats& stats = this->*channel.stats;
            line.Int(stats.min);
            line.Int(stats.max);
            line.Real(stats.mean);
            line.Real(stats.deviation);
        }
    return line.Text();
}

bool CFoundObject::WriteRow(std::FILE* stream, int number, bool grayscale, int metricFlags) const
{
    return WriteResultsLine(stream, RowText(number, grayscale, metricFlags));
}

bool WriteResultsLine(std::FILE* stream, const std::string& text)
{
    const bool written = std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
                         std::fwrite("\r\n", 1, 2, stream) == 2;
    return std::fflush(stream) == 0 && written && !std::ferror(stream);
}
