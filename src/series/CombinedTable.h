// The combined table of a series' object results: one CSV file with the
// image's file name first and one header for every row. When an image brings
// columns the table lacks (an RGB image's colour statistics after grey ones,
// a calibrated image's columns in its unit), the table is written again with
// them, earlier rows leaving them empty.
#pragma once

#include <string>
#include <vector>

class CombinedTable {
public:
    explicit CombinedTable(std::string path) : path_(std::move(path)) {}

    // Adds the rows of an image's results file after its name; false when
    // the table could not be written completely.
    bool Add(const std::string& image, const std::string& resultsPath);
    const std::string& Path() const { return path_; }

private:
    bool Rewrite(const std::vector<std::string>& columns);

    std::string path_;
    std::vector<std::string> columns_;  // after "image"
    bool started_ = false;
};

// A field as RFC 4180 writes it: quoted, with its quotes doubled, when it
// holds a comma, a quote or a line end.
std::string CsvField(const std::string& text);
// The fields of one line written so.
std::vector<std::string> CsvFields(const std::string& line);
