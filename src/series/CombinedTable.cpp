// The combined table of a series' object results.
#include "series/CombinedTable.h"

#include <algorithm>
#include <fstream>
#include <utility>

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::vector<std::string> CsvFields(const std::string& line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

namespace {

// The table's columns with those of an image's header that it lacks, each
// placed after the image's column before it, so that groups stay together;
// columns in a unit ("x_um") stay last, as in every results file.
std::vector<std::string> Merged(std::vector<std::string> columns, const std::vector<std::string>& added)
{
    auto at = columns.begin();
    for (const std::string& name : added) {
        const auto found = std::find(columns.begin(), columns.end(), name);
        if (found != columns.end())
            at = found + 1;
        else
            at = columns.insert(name.find('_') != std::string::npos ? columns.end() : at, name) + 1;
    }
    return columns;
}

std::string Line(const std::string& image, const std::vector<std::string>& fields)
{
    std::string line = image;
    for (const std::string& field : fields) line += ',' + field;
    return line + "\r\n";
}

// A row of fields under names, laid out under the table's columns.
std::vector<std::string> Placed(const std::vector<std::string>& names, const std::vector<std::string>& fields,
                                const std::vector<std::string>& columns)
{
    std::vector<std::string> placed(columns.size());
    for (size_t i = 0; i < names.size() && i < fields.size(); ++i)
        placed[std::find(columns.begin(), columns.end(), names[i]) - columns.begin()] = fields[i];
    return placed;
}

}  // namespace

bool CombinedTable::Add(const std::string& image, const std::string& resultsPath)
{
    std::ifstream in(resultsPath, std::ios::binary);
    std::vector<std::string> names;
    std::string rows;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("# ", 0) == 0) continue;  // an image's summary belongs to its own file
        if (line.rfind("#", 0) == 0) {
            names = CsvFields(line);
            const std::vector<std::string> merged = Merged(columns_, names);
            if (merged != columns_ && !Rewrite(merged)) return false;
            continue;
        }
        if (names.empty()) continue;
        rows += Line(CsvField(image), Placed(names, CsvFields(line), columns_));
    }
    std::ofstream out(path_, std::ios::binary | (started_ ? std::ios::app : std::ios::trunc));
    started_ = true;
    out << rows;
    out.close();
    return static_cast<bool>(out);
}

// Writes the table again under new columns: its header, then its rows.
bool CombinedTable::Rewrite(const std::vector<std::string>& columns)
{
    std::string text = Line("image", columns);
    if (started_) {
        std::ifstream in(path_, std::ios::binary);
        std::string line;
        bool header = true;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::vector<std::string> fields = CsvFields(line);
            const std::string image = CsvField(fields.front());
            fields.erase(fields.begin());
            if (!std::exchange(header, false)) text += Line(image, Placed(columns_, fields, columns));
        }
    }
    columns_ = columns;
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    started_ = true;
    out << text;
    out.close();
    return static_cast<bool>(out);
}
