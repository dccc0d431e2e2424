// The object results file: its header and one row per object, comma
// separated, reals with one decimal (six significant digits in a
// calibrated unit), CR LF line ends.
#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

#include "image/FoundObject.h"
#include "platform/Format.h"

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
    void Real(double value, int decimals = 1)
    {
        char digits[400];  // the longest fixed form of a double fits
        const std::to_chars_result end =
            std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
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

// The calibrated columns, after every specified one: x and y always, the
// others with their metric's flag.
struct CalibratedColumn {
    int flag;  // 0: always
    const char* name;
    bool squared;
    double (*value)(const CFoundObject&, const CCalibration&);
};

// An axis's length in the unit: the pixel steps along its direction.
double AxisLength(double pixels, double degrees, const CCalibration& c)
{
    const double radians = degrees * 3.14159265358979323846 / 180;
    return pixels * c.Length(std::cos(radians), std::sin(radians));
}

const CalibratedColumn kCalibratedColumns[] = {
    {0, "x", false, [](const CFoundObject& o, const CCalibration& c) { return o.centroidX * c.pixelWidth; }},
    {0, "y", false, [](const CFoundObject& o, const CCalibration& c) { return o.centroidY * c.pixelHeight; }},
    {METRIC_AREA, "area", true, [](const CFoundObject& o, const CCalibration& c) { return o.CalibratedArea(c); }},
    {METRIC_CIRCUMFERENCE, "circum", false,
     [](const CFoundObject& o, const CCalibration& c) {
         double length = 0.0;
         const std::vector<CBoundaryPoint>& points = o.boundaryPoints;
         for (size_t i = 0; i < points.size(); ++i) {
             const CBoundaryPoint& previous = points[i == 0 ? points.size() - 1 : i - 1];
             length += c.Length(points[i].x - previous.x, points[i].y - previous.y);
         }
         return length;
     }},
    {METRIC_MAJOR_AXIS, "major", false,
     [](const CFoundObject& o, const CCalibration& c) { return AxisLength(o.majorAxis, o.theta, c); }},
    {METRIC_MINOR_AXIS, "minor", false,
     [](const CFoundObject& o, const CCalibration& c) { return AxisLength(o.minorAxis, o.theta + 90, c); }},
};

}  // namespace

// Six significant digits rather than fixed decimals: a pixel may be a tiny
// part of the unit (a square metre), and no object's value may read as 0.
std::string CalibratedText(double value)
{
    char digits[32];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 6);
    return std::string(digits, end.ptr);
}

std::string ObjectsSummaryLine(std::size_t count, double totalArea, bool calibrated)
{
    const double mean = count == 0 ? 0.0 : totalArea / static_cast<double>(count);
    if (calibrated)
        return platform::Format("# objects: %zu, total area: %s, mean area: %s", count, CalibratedText(totalArea).c_str(),
                                CalibratedText(mean).c_str());
    return platform::Format("# objects: %zu, total area: %.0f, mean area: %.1f", count, totalArea, mean);
}

double CFoundObject::CalibratedArea(const CCalibration& calibration) const
{
    return calibration.Calibrated() ? area * calibration.pixelWidth * calibration.pixelHeight : area;
}

std::string CFoundObject::HeaderLine(int metricFlags, bool grayscale, const CCalibration& calibration) const
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
    if (calibration.Calibrated())
        for (const CalibratedColumn& column : kCalibratedColumns)
            if (column.flag == 0 || (metricFlags & column.flag))
                line.Add(std::string(column.name) + "_" + calibration.UnitName() + (column.squared ? "2" : ""));
    return line.Text();
}

std::string CFoundObject::RowText(int number, bool grayscale, int metricFlags, const CCalibration& calibration) const
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
    if (calibration.Calibrated())
        for (const CalibratedColumn& column : kCalibratedColumns)
            if (column.flag == 0 || (metricFlags & column.flag))
                line.Add(CalibratedText(column.value(*this, calibration)));
    return line.Text();
}

bool CFoundObject::WriteRow(std::FILE* stream, int number, bool grayscale, int metricFlags,
                            const CCalibration& calibration) const
{
    return WriteResultsLine(stream, RowText(number, grayscale, metricFlags, calibration));
}

bool WriteResultsLine(std::FILE* stream, const std::string& text)
{
    const bool written = std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
                         std::fwrite("\r\n", 1, 2, stream) == 2;
    return std::fflush(stream) == 0 && written && !std::ferror(stream);
}
