// The results table: parsing the two file formats, view order, selection,
// summaries and the texts written from it.
#include "forms/ResultsTable.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string_view>

#include "image/File.h"
#include "image/FoundObject.h"
#include "platform/Format.h"
#include "series/CombinedTable.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A field's number, read in the C locale as the writers wrote it, and its
// digits after the decimal point (-1 in exponent form); NaN when the whole
// field is not a finite number.
double Number(const std::string& text, int* decimals)
{
    // Plain decimals of up to 15 digits, as the results file writes them:
    // the digits and the power of ten are both exact doubles, so their
    // quotient is the correctly rounded value that from_chars also gives.
    static constexpr double kTens[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const size_t size = text.size();
    size_t i = size > 0 && text[0] == '-' ? 1 : 0;
    std::int64_t digits = 0;
    int count = 0, after = -1;
    for (; i < size && count <= 15; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + (c - '0');
            ++count;
            if (after >= 0) ++after;
        } else if (c == '.' && after < 0) {
            after = 0;
        } else {
            break;
        }
    }
    if (i == size && count > 0 && count <= 15 && after != 0) {
        *decimals = std::max(after, 0);
        const double value = static_cast<double>(digits) / kTens[std::max(after, 0)];
        return text[0] == '-' ? -value : value;
    }
    double value = kNaN;
    const char* end = text.data() + size;
    const std::from_chars_result result = std::from_chars(text.data(), end, value);
    if (size == 0 || result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) return kNaN;
    const size_t point = text.find('.');
    *decimals = text.find_first_of("eE") != std::string::npos ? -1
                : point == std::string::npos                  ? 0
                                                              : static_cast<int>(size - point - 1);
    return value;
}

// The text's lines without their CR LF or LF ends, as views into it.
std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a byte-order mark from a spreadsheet
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.push_back(text.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> Split(std::string_view line, char separator)
{
    std::vector<std::string> fields;
    for (;;) {
        const size_t end = line.find(separator);
        fields.emplace_back(line.substr(0, end));
        if (end == std::string_view::npos) return fields;
        line.remove_prefix(end + 1);
    }
}

// Splits a line of a results file into the columns' fields; false when it
// has not one field for each.
bool SplitInto(std::string_view line, char separator, std::vector<std::vector<std::string>>& columns, size_t* count)
{
    size_t column = 0;
    for (;;) {
        const size_t end = line.find(separator);
        if (column < columns.size()) columns[column].emplace_back(line.substr(0, end));
        ++column;
        if (end == std::string_view::npos) break;
        line.remove_prefix(end + 1);
    }
    *count = column;
    if (column == columns.size()) return true;
    for (size_t c = 0; c < std::min(column, columns.size()); ++c) columns[c].pop_back();
    return false;
}

const char* const kNotResults =
    "This is neither an object results file nor a series' combined table: its first line is not a header "
    "such as \"#id,x,y\" or \"image,#id,x,y\".";

}  // namespace

CResultsTable CResultsTable::Parse(const std::string& text, std::string* error)
{
    CResultsTable table;
    const std::vector<std::string_view> lines = Lines(text);
    size_t first = 0;
    while (first < lines.size() && lines[first].empty()) ++first;
    if (first == lines.size()) return table;  // a run that found no object
    const std::string header(lines[first]);
    const bool combined = header.starts_with("image,");
    if (!combined && !(header.starts_with("#id") && header.size() > 3 && !std::isalnum(uint8_t(header[3])))) {
        *error = kNotResults;
        return {};
    }
    table.separator_ = combined ? ',' : header[3];
    table.names_ = combined ? CsvFields(header) : Split(header, table.separator_);
    table.imageColumn_ = combined ? 0 : -1;
    table.numberColumn_ = combined ? 1 : 0;
    const size_t columns = table.names_.size();
    table.fields_.resize(columns);
    for (std::vector<std::string>& column : table.fields_) column.reserve(lines.size() - first);
    for (size_t i = first + 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.empty()) continue;
        if (line[0] == '#') {
            if (line.starts_with("# objects:")) table.summaryLine_ = line;
            continue;
        }
        size_t count = 0;
        bool whole = false;
        if (combined) {
            std::vector<std::string> fields = CsvFields(std::string(line));
            count = fields.size();
            whole = count == columns;
            if (whole)
                for (size_t c = 0; c < columns; ++c) table.fields_[c].push_back(std::move(fields[c]));
        } else {
            whole = SplitInto(line, table.separator_, table.fields_, &count);
        }
        if (!whole) {
            *error = platform::Format("Line %zu has %zu fields where the header names %zu.", i + 1, count, columns);
            return {};
        }
    }
    const size_t rows = table.fields_.empty() ? 0 : table.fields_[0].size();
    table.values_.assign(columns, {});
    table.numeric_.assign(columns, false);
    table.decimals_.assign(columns, 0);
    for (size_t c = 0; c < columns; ++c) {
        std::vector<double>& values = table.values_[c];
        values.resize(rows);
        bool numeric = static_cast<int>(c) != table.imageColumn_;
        bool any = false;
        // Columns in a unit are written with six significant digits.
        int decimals = table.names_[c].find('_') != std::string::npos ? -1 : 0;
        for (size_t r = 0; r < rows; ++r) {
            const std::string& field = table.fields_[c][r];
            int written = 0;
            values[r] = Number(field, &written);
            if (field.empty()) continue;
            if (std::isnan(values[r])) {
                numeric = false;
            } else {
                any = true;
                if (decimals >= 0) decimals = written < 0 ? -1 : std::max(decimals, written);
            }
        }
        table.numeric_[c] = numeric && any;
        table.decimals_[c] = decimals;
    }
    table.deleted_.assign(rows, false);
    table.Order();
    return table;
}

CResultsTable CResultsTable::Read(const std::string& path, std::string* error)
{
    std::error_code failure;
    std::ifstream in;
    if (std::filesystem::is_regular_file(path, failure)) in.open(path, std::ios::binary);
    std::string text;
    if (in.is_open()) {
        text.resize(std::filesystem::file_size(path, failure));
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<size_t>(in.gcount()));
    }
    if (!in.is_open() || in.bad() || failure) {
        *error = path + " could not be read.";
        return {};
    }
    CResultsTable table = Parse(text, error);
    table.sourcePath_ = path;
    return table;
}

int CResultsTable::ColumnOf(const std::string& name) const
{
    const auto found = std::find(names_.begin(), names_.end(), name);
    return found == names_.end() ? -1 : static_cast<int>(found - names_.begin());
}

int CResultsTable::RowOfId(int id) const
{
    return id >= 0 && id < static_cast<int>(rowOf_.size()) ? rowOf_[id] : -1;
}

int CResultsTable::ObjectNumber(int row) const
{
    if (numberColumn_ >= ColumnCount()) return 0;
    const double value = Value(row, numberColumn_);
    return std::isnan(value) ? 0 : static_cast<int>(value);
}

std::string CResultsTable::ImageName(int row) const
{
    return imageColumn_ < 0 ? std::string() : Text(row, imageColumn_);
}

void CResultsTable::Sort(int column, bool descending)
{
    sortColumn_ = column >= 0 && column < ColumnCount() ? column : -1;
    descending_ = descending;
    Order();
}

// The rows left, in the file's order or sorted by the precomputed keys.
void CResultsTable::Order()
{
    order_.clear();
    for (int id = 0; id < static_cast<int>(deleted_.size()); ++id)
        if (!deleted_[id]) order_.push_back(id);
    if (sortColumn_ >= 0) {
        const bool down = descending_;
        if (numeric_[sortColumn_]) {
            const std::vector<double>& keys = values_[sortColumn_];
            std::sort(order_.begin(), order_.end(), [&keys, down](int a, int b) {
                const double ka = keys[a], kb = keys[b];
                if (std::isnan(ka) || std::isnan(kb)) return std::isnan(ka) == std::isnan(kb) ? a < b : std::isnan(kb);
                if (ka != kb) return down ? ka > kb : ka < kb;
                return a < b;
            });
        } else {
            const std::vector<std::string>& keys = fields_[sortColumn_];
            std::sort(order_.begin(), order_.end(), [&keys, down](int a, int b) {
                const int compared = keys[a].compare(keys[b]);
                if (compared != 0) return down ? compared > 0 : compared < 0;
                return a < b;
            });
        }
    }
    rowOf_.assign(deleted_.size(), -1);
    for (int row = 0; row < RowCount(); ++row) rowOf_[order_[row]] = row;
}

void CResultsTable::Select(const std::vector<int>& ids, bool add)
{
    if (!add) selected_.clear();
    for (int id : ids)
        if (RowOfId(id) >= 0) selected_.insert(id);
}

// The ids to summarise or export, in view order.
std::vector<int> CResultsTable::Rows(bool selectionOnly) const
{
    if (!selectionOnly) return order_;
    std::vector<int> ids;
    for (int id : order_)
        if (selected_.count(id)) ids.push_back(id);
    return ids;
}

CColumnSummary CResultsTable::Summary(int column, bool selectionOnly) const
{
    CColumnSummary summary;
    summary.mean = summary.deviation = summary.minimum = summary.maximum = kNaN;
    if (column < 0 || column >= ColumnCount() || !numeric_[column]) return summary;
    const std::vector<double>& values = values_[column];
    double sum = 0.0;
    for (int id : Rows(selectionOnly)) {
        const double value = values[id];
        if (std::isnan(value)) continue;
        if (summary.count == 0 || value < summary.minimum) summary.minimum = value;
        if (summary.count == 0 || value > summary.maximum) summary.maximum = value;
        sum += value;
        ++summary.count;
    }
    if (summary.count == 0) return summary;
    summary.mean = sum / summary.count;
    if (summary.count < 2) return summary;
    // Two passes: the squares of deviations, not of values, keep the digits.
    double squares = 0.0;
    for (int id : Rows(selectionOnly))
        if (!std::isnan(values[id])) squares += (values[id] - summary.mean) * (values[id] - summary.mean);
    summary.deviation = std::sqrt(squares / (summary.count - 1));
    return summary;
}

std::string CResultsTable::SummaryText(int column, double value, bool extraDecimals) const
{
    if (std::isnan(value)) return {};
    if (decimals_[column] < 0) return CalibratedText(value);
    return platform::Format("%.*f", decimals_[column] + (extraDecimals ? 2 : 0), value);
}

std::string CResultsTable::HeaderJoined(char separator, bool quoted) const
{
    std::string line;
    for (int c = 0; c < ColumnCount(); ++c) {
        if (c > 0) line += separator;
        line += quoted ? CsvField(names_[c]) : names_[c];
    }
    return line;
}

std::string CResultsTable::Joined(int id, char separator, bool quoted) const
{
    std::string line;
    for (int c = 0; c < ColumnCount(); ++c) {
        if (c > 0) line += separator;
        line += quoted ? CsvField(fields_[c][id]) : fields_[c][id];
    }
    return line;
}

std::string CResultsTable::TabText(bool selectionOnly) const
{
    if (ColumnCount() == 0) return {};
    std::string text = HeaderJoined('\t', false) + '\n';
    for (int id : Rows(selectionOnly)) text += Joined(id, '\t', false) + '\n';
    return text;
}

std::string CResultsTable::CsvText(bool selectionOnly) const
{
    if (ColumnCount() == 0) return {};
    std::string text = HeaderJoined(',', true) + "\r\n";
    for (int id : Rows(selectionOnly)) text += Joined(id, ',', true) + "\r\n";
    return text;
}

// The "# objects:" line as read while every row is there, counted again
// over the rows left otherwise; none without an area column to count.
std::string CResultsTable::SummaryLine() const
{
    if (summaryLine_.empty() || RowCount() == static_cast<int>(deleted_.size())) return summaryLine_;
    int area = -1;
    for (int c = 0; c < ColumnCount(); ++c)
        if (names_[c].rfind("area_", 0) == 0) area = c;  // a calibrated image's summary is in its unit
    const bool calibrated = area >= 0;
    if (!calibrated) area = ColumnOf("area");
    if (area < 0) return {};
    double total = 0.0;
    for (int id : order_) total += std::isnan(values_[area][id]) ? 0.0 : values_[area][id];
    return ObjectsSummaryLine(order_.size(), total, calibrated);
}

std::string CResultsTable::ResultsFileText() const
{
    if (IsCombined()) return CsvText(false);
    if (ColumnCount() == 0) return {};
    std::string text = HeaderJoined(separator_, false) + "\r\n";
    for (int id : order_) text += Joined(id, separator_, false) + "\r\n";
    if (const std::string summary = SummaryLine(); !summary.empty()) text += summary + "\r\n";
    return text;
}

bool CResultsTable::Save(const std::string& path, bool csv, std::string* error)
{
    const std::string text = csv ? CsvText(false) : ResultsFileText();
    CFile file;
    FileError failure;
    try {
        if (!file.Open(path, CFile::Mode::Write, failure)) throw failure;
        file.Write(text.data(), text.size());
        file.Close();
    } catch (const FileError& e) {
        file.Abort();
        *error = path + " could not be written.\n" + e.text;
        return false;
    }
    sourcePath_ = path;
    modified_ = false;
    return true;
}

void CResultsTable::DeleteRows(const std::vector<int>& ids)
{
    std::vector<int> step;
    for (int id : ids)
        if (RowOfId(id) >= 0 && !deleted_[id]) {
            deleted_[id] = true;
            selected_.erase(id);
            step.push_back(id);
        }
    if (step.empty()) return;
    deletions_.push_back(std::move(step));
    modified_ = true;
    Order();
}

void CResultsTable::UndoDelete()
{
    if (deletions_.empty()) return;
    for (int id : deletions_.back()) deleted_[id] = false;
    deletions_.pop_back();
    modified_ = true;
    Order();
}
